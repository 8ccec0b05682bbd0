// OemClassFactory: the class factory that DllGetClassObject hands out; it creates OemUI.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include "driverui/com_object.h"

class OemClassFactory final : public ComObject<OemClassFactory, IClassFactory, IID_IClassFactory> {
public:
    OemClassFactory() = default;

    // IClassFactory
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID interfaceId,
                                             void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    friend ComObject;  // deletes it on the last Release
    ~OemClassFactory() = default;
};
