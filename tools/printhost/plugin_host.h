// The host side of driverui.dll, as a printer driver's user interface plays it: load the
// module through its exports, create the plug-in, publish a driver interface, ask for
// pages and show them in a property sheet.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "driverui/com_object.h"
#include "driverui/oem_interfaces.h"

namespace printhost {

// "<folder of this executable>\<fileName>".
std::wstring PathBesideExecutable(const wchar_t* fileName);

// driverui.dll, loaded for the lifetime of this object, with its exports found by ordinal.
class PluginModule {
public:
    explicit PluginModule(const std::wstring& path);
    ~PluginModule();
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    // True when the module loaded and both ordinals were found.
    bool usable() const { return getClassObject_ != nullptr && canUnloadNow_ != nullptr; }
    HMODULE handle() const { return module_; }
    HRESULT GetClassObject(REFCLSID classId, REFIID interfaceId, void** object) const;
    HRESULT CanUnloadNow() const;

private:
    using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, LPVOID*);
    using CanUnloadNowFn = HRESULT(STDAPICALLTYPE*)();

    HMODULE module_ = nullptr;
    GetClassObjectFn getClassObject_ = nullptr;
    CanUnloadNowFn canUnloadNow_ = nullptr;
};

// A COM reference that releases itself.
template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    // Takes over a reference the caller holds, such as a new object's first.
    explicit ComRef(Interface* adopted) : object_(adopted) {}
    ~ComRef() { Reset(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    Interface* get() const { return object_; }
    Interface* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    // For the out parameter of a call that hands out a reference.
    void** put() {
        Reset();
        return reinterpret_cast<void**>(&object_);
    }
    void Reset() {
        if (object_ != nullptr) object_->Release();
        object_ = nullptr;
    }

private:
    Interface* object_ = nullptr;
};

// The plug-in's OemUI object, made the way a host makes it: the class factory from
// DllGetClassObject, then CreateInstance for IPrintOemUI.
HRESULT CreateOemUI(const PluginModule& module, ComRef<IPrintOemUI>* oemUI);

// The driver interface this host publishes: it answers IUnknown and IPrintOemDriverUI,
// and each of its methods answers E_NOTIMPL. Lives on the heap; the last Release frees it.
// references() tells whether the plug-in gave back what it took.
class HostDriverInterface final
    : public ComObject<HostDriverInterface, IPrintOemDriverUI, IID_IPrintOemDriverUI> {
public:
    HostDriverInterface() = default;
    HRESULT STDMETHODCALLTYPE DrvGetDriverSetting(PVOID, PCSTR, PVOID, DWORD, PDWORD,
                                                  PDWORD) override;
    HRESULT STDMETHODCALLTYPE DrvUpgradeRegistrySetting(HANDLE, PCSTR, PCSTR) override;
    HRESULT STDMETHODCALLTYPE DrvUpdateUISetting(PVOID, PVOID, DWORD, DWORD) override;

private:
    friend ComObject;  // deletes it on the last Release
    ~HostDriverInterface() = default;
};

// A private heap, as the host hands one to the plug-in in OEMUIPSPARAM.hOEMHeap.
class HostHeap {
public:
    HostHeap() : heap_(HeapCreate(0, 0, 0)) {}
    ~HostHeap() {
        if (heap_ != nullptr) HeapDestroy(heap_);
    }
    HostHeap(const HostHeap&) = delete;
    HostHeap& operator=(const HostHeap&) = delete;
    HANDLE handle() const { return heap_; }

private:
    HANDLE heap_;
};

// The host's property-sheet function and what it collects: function code 1 creates the
// described page with comctl32; the pages not handed to a sheet are destroyed with this.
class PageCollector {
public:
    PageCollector() = default;
    ~PageCollector();
    PageCollector(const PageCollector&) = delete;
    PageCollector& operator=(const PageCollector&) = delete;

    static LONG_PTR CALLBACK ComPropSheet(HANDLE sheet, UINT function, LPARAM lParam1,
                                          LPARAM lParam2);
    HANDLE handle() { return this; }
    const std::vector<HPROPSHEETPAGE>& pages() const { return pages_; }
    // Hands the pages over to a sheet, which destroys them with itself.
    std::vector<HPROPSHEETPAGE> TakePages();

private:
    std::vector<HPROPSHEETPAGE> pages_;
};

// What the plug-in answered when asked for its pages.
struct PageRequest {
    HRESULT headerResult = E_FAIL;  // reason 1
    std::wstring headerTitle;
    HRESULT initResult = E_FAIL;  // reason 0
    ULONG_PTR initSheetResult = 0;
};

// A PROPSHEETUI_INFO for the given reason, as the host fills it in.
PROPSHEETUI_INFO SheetInfo(WORD reason, PageCollector* collector, OEMUIPSPARAM* oemParam);

// DevicePropertySheets with reason 1 (header), then reason 0 (add pages).
// The parameter block a host hands the plug-in for one printer's device sheet.
OEMUIPSPARAM HostParameters(const PluginModule& module, std::wstring* printerName,
                            const HostHeap& heap);

PageRequest RequestPages(IPrintOemUI* oemUI, OEMUIPSPARAM* oemParam, PageCollector* collector);
// DevicePropertySheets with reason 2, as the host says when its sheet has closed.
HRESULT EndPages(IPrintOemUI* oemUI, OEMUIPSPARAM* oemParam, PageCollector* collector);

// A modeless property sheet "Properties for <printer>" holding `pages`, which it destroys
// with itself; null on failure.
HWND CreatePrinterSheet(const std::wstring& printerName, std::vector<HPROPSHEETPAGE> pages);

}  // namespace printhost
