// The registry operations the deliverables use, all under HKEY_LOCAL_MACHINE, in the
// UTF-16 form (plug-in) and the ANSI form (utilities), with keys that close themselves.
#pragma once

#include <windows.h>

#include <cstdint>

namespace store {

// The raw operations, behind one interface so that a test can wrap the real registry in
// a decorator that fails a chosen call or counts opens and closes. Each answers the
// registry's own result code.
class RegistryStore {
public:
    virtual ~RegistryStore() = default;

    virtual LONG OpenKey(const wchar_t* path, REGSAM access, HKEY* key) = 0;
    virtual LONG OpenKey(const char* path, REGSAM access, HKEY* key) = 0;
    // Opens the key, creating it and any missing parents: non-volatile, no class,
    // full access, default security.
    virtual LONG CreateKey(const wchar_t* path, HKEY* key) = 0;
    virtual LONG CreateKey(const char* path, HKEY* key) = 0;
    // On entry *bytes is the buffer's size; on success it is the size of the data.
    virtual LONG QueryValue(HKEY key, const wchar_t* name, void* data, DWORD* bytes) = 0;
    virtual LONG QueryValue(HKEY key, const char* name, void* data, DWORD* bytes) = 0;
    virtual LONG SetValue(HKEY key, const wchar_t* name, DWORD type, const void* data,
                          DWORD bytes) = 0;
    virtual LONG SetValue(HKEY key, const char* name, DWORD type, const void* data,
                          DWORD bytes) = 0;
    virtual LONG DeleteValue(HKEY key, const wchar_t* name) = 0;
    virtual LONG DeleteValue(HKEY key, const char* name) = 0;
    virtual LONG CloseKey(HKEY key) = 0;
};

// The store in use: the real registry unless a test has put another in its place.
RegistryStore& Store();
RegistryStore& RealRegistry();
// Puts `replacement` in place (nullptr restores the real registry); answers the old one.
RegistryStore* ReplaceStore(RegistryStore* replacement);

// An open key, closed through the store that opened it when it goes out of scope.
class Key {
public:
    Key() = default;
    Key(RegistryStore& store, HKEY handle) : store_(&store), handle_(handle) {}
    Key(Key&& other) noexcept : store_(other.store_), handle_(other.handle_) {
        other.handle_ = nullptr;
    }
    Key& operator=(Key&& other) noexcept;
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    ~Key() { Close(); }

    explicit operator bool() const { return handle_ != nullptr; }
    HKEY handle() const { return handle_; }
    RegistryStore& store() const { return *store_; }
    void Close();

private:
    RegistryStore* store_ = nullptr;
    HKEY handle_ = nullptr;
};

// Opening. A failed open answers an empty Key; whatever the reason, callers only ask
// whether the key is open.
Key OpenForRead(const wchar_t* path);   // KEY_READ
Key OpenForRead(const char* path);      // KEY_QUERY_VALUE
Key OpenForWrite(const wchar_t* path);  // KEY_ALL_ACCESS; the key must exist
Key OpenForWrite(const char* path);
Key OpenOrCreate(const wchar_t* path);  // KEY_ALL_ACCESS; creates missing keys
Key OpenOrCreate(const char* path);

// Reading. The data lands in the caller's buffer as stored: no type is converted and no
// terminator is added. When the result is not kRead the buffer's contents are undefined.
enum class ReadStatus { kRead, kTooSmall, kAbsent, kFailed };
struct ReadResult {
    ReadStatus status;
    DWORD bytes;  // the data's size; meaningful only when read
    bool read() const { return status == ReadStatus::kRead; }
};
ReadResult ReadValue(const Key& key, const wchar_t* name, void* buffer, DWORD bufferBytes);
ReadResult ReadValue(const Key& key, const char* name, void* buffer, DWORD bufferBytes);
template <typename Char>
ReadResult ReadNumber(const Key& key, const Char* name, std::int32_t* number) {
    return ReadValue(key, name, number, sizeof *number);
}

// Writing and deleting. Nobody examines what the registry answers to these, so they
// answer nothing: a refused write or delete goes unnoticed by design.
// A string is written as REG_SZ: its characters and one terminator.
void WriteStringIgnoringResult(const Key& key, const wchar_t* name, const wchar_t* text);
void WriteStringIgnoringResult(const Key& key, const char* name, const char* text);
void WriteNumberIgnoringResult(const Key& key, const wchar_t* name, std::int32_t number);
void WriteNumberIgnoringResult(const Key& key, const char* name, std::int32_t number);
void DeleteValueIgnoringResult(const Key& key, const wchar_t* name);
void DeleteValueIgnoringResult(const Key& key, const char* name);

}  // namespace store
