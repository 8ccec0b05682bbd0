// OemClassFactory: hands out OemUI objects and moves the module's lock count.
#include "driverui/class_factory.h"

#include <new>

#include "driverui/module.h"
#include "driverui/oem_ui.h"

HRESULT STDMETHODCALLTYPE OemClassFactory::CreateInstance(IUnknown* outer, REFIID interfaceId,
                                                          void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    auto* oemUI = new (std::nothrow) OemUI;
    if (oemUI == nullptr) return E_OUTOFMEMORY;
    const HRESULT result = oemUI->QueryInterface(interfaceId, object);
    oemUI->Release();
    return result;
}

HRESULT STDMETHODCALLTYPE OemClassFactory::LockServer(BOOL lock) {
    if (lock) {
        LockModule();
    } else {
        UnlockModule();
    }
    return S_OK;
}
