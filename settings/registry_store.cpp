// The registry store over the real Windows registry, and the typed operations on top.
#include "settings/registry_store.h"

#include <cstring>
#include <cwchar>

namespace store {
namespace {

class Win32Registry final : public RegistryStore {
public:
    LONG OpenKey(const wchar_t* path, REGSAM access, HKEY* key) override {
        return RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, kNoOptions, access, key);
    }
    LONG OpenKey(const char* path, REGSAM access, HKEY* key) override {
        return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, kNoOptions, access, key);
    }
    LONG CreateKey(const wchar_t* path, HKEY* key) override {
        return RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, kReserved, kNoClassW,
                               REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, kDefaultSecurity, key,
                               kDispositionNotWanted);
    }
    LONG CreateKey(const char* path, HKEY* key) override {
        return RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, kReserved, kNoClassA,
                               REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, kDefaultSecurity, key,
                               kDispositionNotWanted);
    }
    LONG QueryValue(HKEY key, const wchar_t* name, void* data, DWORD* bytes) override {
        return RegQueryValueExW(key, name, kReservedPtr, kTypeNotWanted, static_cast<BYTE*>(data),
                                bytes);
    }
    LONG QueryValue(HKEY key, const char* name, void* data, DWORD* bytes) override {
        return RegQueryValueExA(key, name, kReservedPtr, kTypeNotWanted, static_cast<BYTE*>(data),
                                bytes);
    }
    LONG SetValue(HKEY key, const wchar_t* name, DWORD type, const void* data,
                  DWORD bytes) override {
        return RegSetValueExW(key, name, kReserved, type, static_cast<const BYTE*>(data), bytes);
    }
    LONG SetValue(HKEY key, const char* name, DWORD type, const void* data, DWORD bytes) override {
        return RegSetValueExA(key, name, kReserved, type, static_cast<const BYTE*>(data), bytes);
    }
    LONG DeleteValue(HKEY key, const wchar_t* name) override { return RegDeleteValueW(key, name); }
    LONG DeleteValue(HKEY key, const char* name) override { return RegDeleteValueA(key, name); }
    LONG CloseKey(HKEY key) override { return RegCloseKey(key); }

private:
    static constexpr DWORD kNoOptions = 0;
    static constexpr DWORD kReserved = 0;
    static constexpr DWORD* kReservedPtr = nullptr;
    static constexpr DWORD* kTypeNotWanted = nullptr;
    static constexpr wchar_t* kNoClassW = nullptr;
    static constexpr char* kNoClassA = nullptr;
    static constexpr SECURITY_ATTRIBUTES* kDefaultSecurity = nullptr;
    static constexpr DWORD* kDispositionNotWanted = nullptr;
};

Win32Registry g_realRegistry;
RegistryStore* g_store = &g_realRegistry;

template <typename Char>
Key Open(const Char* path, REGSAM access) {
    RegistryStore& s = Store();
    HKEY handle = nullptr;
    if (s.OpenKey(path, access, &handle) != ERROR_SUCCESS) return Key();
    return Key(s, handle);
}

template <typename Char>
Key Create(const Char* path) {
    RegistryStore& s = Store();
    HKEY handle = nullptr;
    if (s.CreateKey(path, &handle) != ERROR_SUCCESS) return Key();
    return Key(s, handle);
}

template <typename Char>
ReadResult Read(const Key& key, const Char* name, void* buffer, DWORD bufferBytes) {
    if (!key) return {ReadStatus::kFailed, 0};
    DWORD bytes = bufferBytes;
    switch (key.store().QueryValue(key.handle(), name, buffer, &bytes)) {
        case ERROR_SUCCESS: return {ReadStatus::kRead, bytes};
        case ERROR_MORE_DATA: return {ReadStatus::kTooSmall, 0};
        case ERROR_FILE_NOT_FOUND: return {ReadStatus::kAbsent, 0};
        default: return {ReadStatus::kFailed, 0};
    }
}

template <typename Char>
void WriteString(const Key& key, const Char* name, const Char* text, std::size_t length) {
    if (!key) return;
    const DWORD bytes = static_cast<DWORD>((length + 1) * sizeof(Char));
    (void)key.store().SetValue(key.handle(), name, REG_SZ, text, bytes);
}

template <typename Char>
void WriteNumber(const Key& key, const Char* name, std::int32_t number) {
    if (!key) return;
    (void)key.store().SetValue(key.handle(), name, REG_DWORD, &number, sizeof number);
}

template <typename Char>
void Delete(const Key& key, const Char* name) {
    if (!key) return;
    (void)key.store().DeleteValue(key.handle(), name);
}

}  // namespace

RegistryStore& Store() { return *g_store; }
RegistryStore& RealRegistry() { return g_realRegistry; }

RegistryStore* ReplaceStore(RegistryStore* replacement) {
    RegistryStore* old = g_store;
    g_store = replacement != nullptr ? replacement : &g_realRegistry;
    return old;
}

Key& Key::operator=(Key&& other) noexcept {
    if (this != &other) {
        Close();
        store_ = other.store_;
        handle_ = other.handle_;
        other.handle_ = nullptr;
    }
    return *this;
}

void Key::Close() {
    if (handle_ == nullptr) return;
    (void)store_->CloseKey(handle_);  // nothing can be done about a failed close
    handle_ = nullptr;
}

Key OpenForRead(const wchar_t* path) { return Open(path, KEY_READ); }
Key OpenForRead(const char* path) { return Open(path, KEY_QUERY_VALUE); }
Key OpenForWrite(const wchar_t* path) { return Open(path, KEY_ALL_ACCESS); }
Key OpenForWrite(const char* path) { return Open(path, KEY_ALL_ACCESS); }
Key OpenOrCreate(const wchar_t* path) { return Create(path); }
Key OpenOrCreate(const char* path) { return Create(path); }

ReadResult ReadValue(const Key& key, const wchar_t* name, void* buffer, DWORD bufferBytes) {
    return Read(key, name, buffer, bufferBytes);
}
ReadResult ReadValue(const Key& key, const char* name, void* buffer, DWORD bufferBytes) {
    return Read(key, name, buffer, bufferBytes);
}

void WriteStringIgnoringResult(const Key& key, const wchar_t* name, const wchar_t* text) {
    WriteString(key, name, text, std::wcslen(text));
}
void WriteStringIgnoringResult(const Key& key, const char* name, const char* text) {
    WriteString(key, name, text, std::strlen(text));
}
void WriteNumberIgnoringResult(const Key& key, const wchar_t* name, std::int32_t number) {
    WriteNumber(key, name, number);
}
void WriteNumberIgnoringResult(const Key& key, const char* name, std::int32_t number) {
    WriteNumber(key, name, number);
}
void DeleteValueIgnoringResult(const Key& key, const wchar_t* name) { Delete(key, name); }
void DeleteValueIgnoringResult(const Key& key, const char* name) { Delete(key, name); }

}  // namespace store
