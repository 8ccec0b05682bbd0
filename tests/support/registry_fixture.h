// Direct registry access for setting up and checking test state, apart from the store
// under test.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// Printers the tests use; ResetRegistry removes their keys.
inline constexpr wchar_t kTestPrinter[] = L"Brimcote Test Printer";
inline constexpr wchar_t kOtherTestPrinter[] = L"Brimcote Other Printer";

// Deletes the language-monitor key and the test printers' keys, so that each test starts
// from a registry without any of the settings.
void ResetRegistry();

std::wstring DriverDataPath(const std::wstring& printer);
void DeleteKeyTree(const std::wstring& path);
void CreateKey(const std::wstring& path);
bool KeyExists(const std::wstring& path);

void PutString(const std::wstring& path, const wchar_t* name, const std::wstring& text);
void PutNumber(const std::wstring& path, const wchar_t* name, std::uint32_t number);
// Stores raw bytes under a type, for values no writer of ours would produce.
void PutRaw(const std::wstring& path, const wchar_t* name, DWORD type, const void* data,
            DWORD bytes);

struct StoredValue {
    DWORD type;
    std::vector<BYTE> data;
};
std::optional<StoredValue> GetValue(const std::wstring& path, const wchar_t* name);
// A REG_SZ value's text without its terminator.
std::optional<std::wstring> GetString(const std::wstring& path, const wchar_t* name);
std::optional<std::int32_t> GetNumber(const std::wstring& path, const wchar_t* name);
// The names of all values of a key, in no particular order.
std::vector<std::wstring> ValueNames(const std::wstring& path);

}  // namespace testing_support
