// The module's entry point, its two exports and the counts behind DllCanUnloadNow.
#include "driverui/module.h"

#include <objbase.h>

#include <atomic>
#include <new>

#include "driverui/class_factory.h"
#include "driverui/oem_interfaces.h"

namespace {

// Written once on process attach, before any export can be called; only read afterwards.
HINSTANCE moduleHandle = nullptr;
std::atomic<LONG> liveObjects{0};
std::atomic<LONG> locks{0};

}  // namespace

HINSTANCE ModuleHandle() { return moduleHandle; }
void ObjectCreated() { ++liveObjects; }
void ObjectDestroyed() { --liveObjects; }
void LockModule() { ++locks; }
void UnlockModule() { --locks; }

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    if (reason == DLL_PROCESS_ATTACH) moduleHandle = instance;
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID classId, REFIID interfaceId,
                                                    LPVOID* object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!IsEqualCLSID(classId, CLSID_OEMUI)) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new (std::nothrow) OemClassFactory;
    if (factory == nullptr) return E_OUTOFMEMORY;
    const HRESULT result = factory->QueryInterface(interfaceId, object);
    factory->Release();
    return result;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return liveObjects.load() == 0 && locks.load() == 0 ? S_OK : S_FALSE;
}
