// A registry store for tests: passes every call to the real registry, records it, counts
// opens and closes, and fails the calls a test chooses.
#pragma once

#include "settings/registry_store.h"

#include <string>
#include <vector>

namespace testing_support {

enum class StoreOp { kOpenForRead, kOpenForWrite, kCreate, kQuery, kSet, kDelete, kClose };

struct StoreCall {
    StoreOp op;
    std::wstring target;     // key path for opens, value name for value calls, empty for close
    DWORD type = 0;          // for kSet
    std::vector<BYTE> data;  // for kSet
    LONG result = ERROR_SUCCESS;
};

class RecordingStore final : public store::RegistryStore {
public:
    // Puts itself in place of the store in use until it is destroyed.
    RecordingStore();
    ~RecordingStore() override;
    RecordingStore(const RecordingStore&) = delete;
    RecordingStore& operator=(const RecordingStore&) = delete;

    // Every later call of `op` whose target contains `targetPart` (letter case ignored;
    // empty matches all) fails with `error` without reaching the registry.
    void Fail(StoreOp op, const std::wstring& targetPart, LONG error = ERROR_ACCESS_DENIED);

    const std::vector<StoreCall>& calls() const { return calls_; }
    std::vector<StoreCall> CallsOf(StoreOp op) const;
    int successfulOpens() const { return opens_; }
    int closes() const { return closes_; }
    int openKeys() const { return opens_ - closes_; }
    void Clear();

    // Optional shared journal: each call appends "<op> <target>" so that tests can check
    // the order of registry calls against other recorded events.
    void JournalInto(std::vector<std::wstring>* journal) { journal_ = journal; }

    LONG OpenKey(const wchar_t* path, REGSAM access, HKEY* key) override;
    LONG OpenKey(const char* path, REGSAM access, HKEY* key) override;
    LONG CreateKey(const wchar_t* path, HKEY* key) override;
    LONG CreateKey(const char* path, HKEY* key) override;
    LONG QueryValue(HKEY key, const wchar_t* name, void* data, DWORD* bytes) override;
    LONG QueryValue(HKEY key, const char* name, void* data, DWORD* bytes) override;
    LONG SetValue(HKEY key, const wchar_t* name, DWORD type, const void* data,
                  DWORD bytes) override;
    LONG SetValue(HKEY key, const char* name, DWORD type, const void* data, DWORD bytes) override;
    LONG DeleteValue(HKEY key, const wchar_t* name) override;
    LONG DeleteValue(HKEY key, const char* name) override;
    LONG CloseKey(HKEY key) override;

private:
    struct Fault {
        StoreOp op;
        std::wstring targetPart;
        LONG error;
    };
    const Fault* FaultFor(StoreOp op, const std::wstring& target) const;
    LONG Record(StoreCall call);
    template <typename Char>
    LONG Open(StoreOp op, const Char* path, REGSAM access, HKEY* key);
    template <typename Char>
    LONG Query(HKEY key, const Char* name, void* data, DWORD* bytes);
    template <typename Char>
    LONG Set(HKEY key, const Char* name, DWORD type, const void* data, DWORD bytes);
    template <typename Char>
    LONG Delete(HKEY key, const Char* name);

    store::RegistryStore& inner_;
    store::RegistryStore* previous_;
    std::vector<Fault> faults_;
    std::vector<StoreCall> calls_;
    std::vector<std::wstring>* journal_ = nullptr;
    int opens_ = 0;
    int closes_ = 0;
};

const wchar_t* OpName(StoreOp op);
std::wstring Widen(const char* ascii);

}  // namespace testing_support
