// Direct registry access for setting up and checking test state.
#include "tests/support/registry_fixture.h"

#include "settings/printer_paths.h"
#include "settings/schema.h"

#include <cstring>
#include <stdexcept>

namespace testing_support {
namespace {

struct RawKey {
    HKEY handle = nullptr;
    ~RawKey() {
        if (handle != nullptr) RegCloseKey(handle);
    }
};

}  // namespace

std::wstring DriverDataPath(const std::wstring& printer) {
    return *schema::PrinterDriverDataPath(std::wstring_view(printer));
}

void DeleteKeyTree(const std::wstring& path) { RegDeleteTreeW(HKEY_LOCAL_MACHINE, path.c_str()); }

void ResetRegistry() {
    DeleteKeyTree(schema::kLanguageMonitorKey.wide);
    for (const wchar_t* printer : {kTestPrinter, kOtherTestPrinter}) {
        DeleteKeyTree(std::wstring(schema::kPrintersKeyPlugIn) + L"\\" + printer);
    }
}

void CreateKey(const std::wstring& path) {
    RawKey key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key.handle, nullptr) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot create a test key");
    }
}

bool KeyExists(const std::wstring& path) {
    RawKey key;
    return RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key.handle) ==
           ERROR_SUCCESS;
}

void PutRaw(const std::wstring& path, const wchar_t* name, DWORD type, const void* data,
            DWORD bytes) {
    RawKey key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key.handle, nullptr) != ERROR_SUCCESS ||
        RegSetValueExW(key.handle, name, 0, type, static_cast<const BYTE*>(data), bytes) !=
            ERROR_SUCCESS) {
        throw std::runtime_error("cannot write a test value");
    }
}

void PutString(const std::wstring& path, const wchar_t* name, const std::wstring& text) {
    PutRaw(path, name, REG_SZ, text.c_str(),
           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void PutNumber(const std::wstring& path, const wchar_t* name, std::uint32_t number) {
    PutRaw(path, name, REG_DWORD, &number, sizeof number);
}

std::optional<StoredValue> GetValue(const std::wstring& path, const wchar_t* name) {
    RawKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key.handle) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key.handle, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    StoredValue value{type, std::vector<BYTE>(bytes)};
    if (RegQueryValueExW(key.handle, name, nullptr, &type, value.data.data(), &bytes) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.data.resize(bytes);
    return value;
}

std::optional<std::wstring> GetString(const std::wstring& path, const wchar_t* name) {
    auto value = GetValue(path, name);
    if (!value || value->type != REG_SZ) return std::nullopt;
    std::wstring text(reinterpret_cast<const wchar_t*>(value->data.data()),
                      value->data.size() / sizeof(wchar_t));
    if (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

std::optional<std::int32_t> GetNumber(const std::wstring& path, const wchar_t* name) {
    auto value = GetValue(path, name);
    if (!value || value->type != REG_DWORD || value->data.size() != 4) return std::nullopt;
    std::int32_t number;
    std::memcpy(&number, value->data.data(), sizeof number);
    return number;
}

std::vector<std::wstring> ValueNames(const std::wstring& path) {
    std::vector<std::wstring> names;
    RawKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key.handle) !=
        ERROR_SUCCESS) {
        return names;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD chars = 256;
        if (RegEnumValueW(key.handle, index, name, &chars, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        names.emplace_back(name, chars);
    }
    return names;
}

}  // namespace testing_support
