// OemClassFactory: the class factory that DllGetClassObject hands out; it creates OemUI.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <atomic>

class OemClassFactory final : public IClassFactory {
public:
    OemClassFactory() = default;
    OemClassFactory(const OemClassFactory&) = delete;
    OemClassFactory& operator=(const OemClassFactory&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID interfaceId, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IClassFactory
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID interfaceId,
                                             void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    ~OemClassFactory() = default;

    std::atomic<ULONG> references_{1};
};
