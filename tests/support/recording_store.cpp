// A registry store for tests: records, counts and fails chosen calls.
#include "tests/support/recording_store.h"

#include <algorithm>
#include <cwctype>

namespace testing_support {
namespace {

std::wstring Lower(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return text;
}

StoreOp OpenOp(REGSAM access) {
    return access == KEY_ALL_ACCESS ? StoreOp::kOpenForWrite : StoreOp::kOpenForRead;
}

std::wstring AsWide(const wchar_t* text) { return text != nullptr ? text : L""; }
std::wstring AsWide(const char* text) { return Widen(text); }

}  // namespace

std::wstring Widen(const char* ascii) {
    std::wstring wide;
    for (; ascii != nullptr && *ascii != '\0'; ++ascii) wide += static_cast<wchar_t>(*ascii);
    return wide;
}

const wchar_t* OpName(StoreOp op) {
    switch (op) {
        case StoreOp::kOpenForRead: return L"open-read";
        case StoreOp::kOpenForWrite: return L"open-write";
        case StoreOp::kCreate: return L"create";
        case StoreOp::kQuery: return L"query";
        case StoreOp::kSet: return L"set";
        case StoreOp::kDelete: return L"delete";
        case StoreOp::kClose: return L"close";
    }
    return L"?";
}

RecordingStore::RecordingStore()
    : inner_(store::RealRegistry()), previous_(store::ReplaceStore(this)) {}

RecordingStore::~RecordingStore() { store::ReplaceStore(previous_); }

void RecordingStore::Fail(StoreOp op, const std::wstring& targetPart, LONG error) {
    faults_.push_back({op, Lower(targetPart), error});
}

std::vector<StoreCall> RecordingStore::CallsOf(StoreOp op) const {
    std::vector<StoreCall> selected;
    std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(selected),
                 [op](const StoreCall& c) { return c.op == op; });
    return selected;
}

void RecordingStore::Clear() {
    calls_.clear();
    opens_ = closes_ = 0;
}

const RecordingStore::Fault* RecordingStore::FaultFor(StoreOp op,
                                                      const std::wstring& target) const {
    const std::wstring lowered = Lower(target);
    for (const Fault& f : faults_) {
        if (f.op == op && lowered.find(f.targetPart) != std::wstring::npos) return &f;
    }
    return nullptr;
}

LONG RecordingStore::Record(StoreCall call) {
    if (journal_ != nullptr)
        journal_->push_back(std::wstring(OpName(call.op)) + L" " + call.target);
    const LONG result = call.result;
    calls_.push_back(std::move(call));
    return result;
}

template <typename Char>
LONG RecordingStore::Open(StoreOp op, const Char* path, REGSAM access, HKEY* key) {
    const std::wstring target = AsWide(path);
    if (const Fault* f = FaultFor(op, target)) return Record({op, target, 0, {}, f->error});
    const LONG result =
        op == StoreOp::kCreate ? inner_.CreateKey(path, key) : inner_.OpenKey(path, access, key);
    if (result == ERROR_SUCCESS) ++opens_;
    return Record({op, target, 0, {}, result});
}

template <typename Char>
LONG RecordingStore::Query(HKEY key, const Char* name, void* data, DWORD* bytes) {
    const std::wstring target = AsWide(name);
    if (const Fault* f = FaultFor(StoreOp::kQuery, target)) {
        return Record({StoreOp::kQuery, target, 0, {}, f->error});
    }
    return Record({StoreOp::kQuery, target, 0, {}, inner_.QueryValue(key, name, data, bytes)});
}

template <typename Char>
LONG RecordingStore::Set(HKEY key, const Char* name, DWORD type, const void* data, DWORD bytes) {
    const auto* first = static_cast<const BYTE*>(data);
    StoreCall call{StoreOp::kSet, AsWide(name), type, std::vector<BYTE>(first, first + bytes)};
    const Fault* f = FaultFor(StoreOp::kSet, call.target);
    call.result = f != nullptr ? f->error : inner_.SetValue(key, name, type, data, bytes);
    return Record(std::move(call));
}

template <typename Char>
LONG RecordingStore::Delete(HKEY key, const Char* name) {
    const std::wstring target = AsWide(name);
    if (const Fault* f = FaultFor(StoreOp::kDelete, target)) {
        return Record({StoreOp::kDelete, target, 0, {}, f->error});
    }
    return Record({StoreOp::kDelete, target, 0, {}, inner_.DeleteValue(key, name)});
}

LONG RecordingStore::OpenKey(const wchar_t* path, REGSAM access, HKEY* key) {
    return Open(OpenOp(access), path, access, key);
}
LONG RecordingStore::OpenKey(const char* path, REGSAM access, HKEY* key) {
    return Open(OpenOp(access), path, access, key);
}
LONG RecordingStore::CreateKey(const wchar_t* path, HKEY* key) {
    return Open(StoreOp::kCreate, path, KEY_ALL_ACCESS, key);
}
LONG RecordingStore::CreateKey(const char* path, HKEY* key) {
    return Open(StoreOp::kCreate, path, KEY_ALL_ACCESS, key);
}
LONG RecordingStore::QueryValue(HKEY key, const wchar_t* name, void* data, DWORD* bytes) {
    return Query(key, name, data, bytes);
}
LONG RecordingStore::QueryValue(HKEY key, const char* name, void* data, DWORD* bytes) {
    return Query(key, name, data, bytes);
}
LONG RecordingStore::SetValue(HKEY key, const wchar_t* name, DWORD type, const void* data,
                              DWORD bytes) {
    return Set(key, name, type, data, bytes);
}
LONG RecordingStore::SetValue(HKEY key, const char* name, DWORD type, const void* data,
                              DWORD bytes) {
    return Set(key, name, type, data, bytes);
}
LONG RecordingStore::DeleteValue(HKEY key, const wchar_t* name) { return Delete(key, name); }
LONG RecordingStore::DeleteValue(HKEY key, const char* name) { return Delete(key, name); }

LONG RecordingStore::CloseKey(HKEY key) {
    ++closes_;
    return Record({StoreOp::kClose, L"", 0, {}, inner_.CloseKey(key)});
}

}  // namespace testing_support
