// The IUnknown part that the COM objects here share: one interface besides IUnknown, an
// atomic reference count that starts at 1, and deletion on the last Release.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <atomic>

// Derived names the class to delete; Interface and kInterfaceId the one interface it
// answers besides IUnknown. Derived befriends this base if its destructor is private.
template <typename Derived, typename Interface, const IID& kInterfaceId>
class ComObject : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID interfaceId, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (!IsEqualIID(interfaceId, IID_IUnknown) && !IsEqualIID(interfaceId, kInterfaceId)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<Interface*>(this);
        AddRef();
        return S_OK;
    }

    // Both answer the count after the change.
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG remaining = --references_;
        if (remaining == 0) delete static_cast<Derived*>(this);
        return remaining;
    }

    ULONG references() const { return references_; }

protected:
    ComObject() = default;
    ~ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

private:
    std::atomic<ULONG> references_{1};
};
