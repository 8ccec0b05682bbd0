// The product version of the language monitor's module.
#include "driverui/language_monitor_version.h"

#include "driverui/page_texts.h"

#include <windows.h>

#include <cwchar>
#include <memory>
#include <new>

namespace {

constexpr std::size_t kModulePathChars = 256;
constexpr std::size_t kVersionTextChars = 15;

// "<Windows directory>\system32\brimlangmon.dll", from "windir" or, where that is not
// set, from the system. A path that does not fit its buffer is not guessed at.
std::wstring LanguageMonitorPath() {
    std::wstring path(kModulePathChars, L'\0');
    DWORD length = GetEnvironmentVariableW(page_text::kWindowsDirectoryVariable, path.data(),
                                           kModulePathChars);
    if (length == 0) length = GetWindowsDirectoryW(path.data(), kModulePathChars);
    if (length == 0 || length >= kModulePathChars) return std::wstring();
    path.resize(length);
    path += page_text::kLanguageMonitorModule;
    if (path.size() >= kModulePathChars) return std::wstring();
    return path;
}

// The module's product version as "a.b.c.d", cut to 14 characters; empty when unreadable.
std::wstring ProductVersionOf(const std::wstring& module) {
    if (module.empty()) return std::wstring();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(module.c_str(), &ignored);
    if (size == 0) return std::wstring();
    std::unique_ptr<BYTE[]> block(new (std::nothrow) BYTE[size]);
    if (!block || !GetFileVersionInfoW(module.c_str(), 0, size, block.get())) return std::wstring();
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoBytes = 0;
    if (!VerQueryValueW(block.get(), L"\\", reinterpret_cast<void**>(&info), &infoBytes) ||
        info == nullptr || infoBytes < sizeof *info) {
        return std::wstring();
    }
    wchar_t text[32];
    std::swprintf(text, 32, L"%d.%d.%d.%d", HIWORD(info->dwProductVersionMS),
                  LOWORD(info->dwProductVersionMS), HIWORD(info->dwProductVersionLS),
                  LOWORD(info->dwProductVersionLS));
    text[kVersionTextChars - 1] = L'\0';
    return text;
}

}  // namespace

std::wstring LanguageMonitorProductVersion() { return ProductVersionOf(LanguageMonitorPath()); }
