// The host side of driverui.dll: loading, creating the plug-in, asking for its pages.
#include "tools/printhost/plugin_host.h"

#include <prsht.h>

namespace printhost {

constexpr WORD kOrdinalCanUnloadNow = 1;
constexpr WORD kOrdinalGetClassObject = 2;

// GetProcAddress answers a generic function pointer; the export's real type is known.
template <typename Function>
Function ExportByOrdinal(HMODULE module, WORD ordinal) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal))));
}

std::wstring PathBesideExecutable(const wchar_t* fileName) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    path.erase(path.find_last_of(L"\\/") + 1);
    return path + fileName;
}

PluginModule::PluginModule(const std::wstring& path) : module_(LoadLibraryW(path.c_str())) {
    if (module_ == nullptr) return;
    getClassObject_ = ExportByOrdinal<GetClassObjectFn>(module_, kOrdinalGetClassObject);
    canUnloadNow_ = ExportByOrdinal<CanUnloadNowFn>(module_, kOrdinalCanUnloadNow);
}

PluginModule::~PluginModule() {
    if (module_ != nullptr) FreeLibrary(module_);
}

// A module that did not load, or lacks an export, answers as a missing class would.
HRESULT PluginModule::GetClassObject(REFCLSID classId, REFIID interfaceId, void** object) const {
    if (getClassObject_ == nullptr) return CLASS_E_CLASSNOTAVAILABLE;
    return getClassObject_(classId, interfaceId, object);
}

HRESULT PluginModule::CanUnloadNow() const {
    return canUnloadNow_ != nullptr ? canUnloadNow_() : S_OK;
}

HRESULT CreateOemUI(const PluginModule& module, ComRef<IPrintOemUI>* oemUI) {
    ComRef<IClassFactory> factory;
    const HRESULT got = module.GetClassObject(CLSID_OEMUI, IID_IClassFactory, factory.put());
    if (FAILED(got)) return got;
    return factory->CreateInstance(nullptr, IID_IPrintOemUI, oemUI->put());
}

// ---- HostDriverInterface ----

HRESULT STDMETHODCALLTYPE HostDriverInterface::DrvGetDriverSetting(PVOID, PCSTR, PVOID, DWORD,
                                                                   PDWORD, PDWORD) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE HostDriverInterface::DrvUpgradeRegistrySetting(HANDLE, PCSTR, PCSTR) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE HostDriverInterface::DrvUpdateUISetting(PVOID, PVOID, DWORD, DWORD) {
    return E_NOTIMPL;
}

// ---- PageCollector ----

PageCollector::~PageCollector() {
    for (HPROPSHEETPAGE page : pages_) DestroyPropertySheetPage(page);
}

LONG_PTR CALLBACK PageCollector::ComPropSheet(HANDLE sheet, UINT function, LPARAM lParam1,
                                              LPARAM /*lParam2*/) {
    auto* collector = static_cast<PageCollector*>(sheet);
    if (collector == nullptr || function != CPSFUNC_ADD_PROPSHEETPAGEW || lParam1 == 0) return 0;
    HPROPSHEETPAGE page =
        CreatePropertySheetPageW(reinterpret_cast<const PROPSHEETPAGEW*>(lParam1));
    if (page == nullptr) return 0;
    collector->pages_.push_back(page);
    // A page handle, as the common property-sheet function answers for an added page.
    return reinterpret_cast<LONG_PTR>(page);
}

std::vector<HPROPSHEETPAGE> PageCollector::TakePages() {
    std::vector<HPROPSHEETPAGE> taken;
    taken.swap(pages_);
    return taken;
}

// ---- Asking for pages ----

PROPSHEETUI_INFO SheetInfo(WORD reason, PageCollector* collector, OEMUIPSPARAM* oemParam) {
    PROPSHEETUI_INFO info{};
    info.cbSize = sizeof info;
    info.Version = PROPSHEETUI_INFO_VERSION;
    info.Flags = PSUIINFO_UNICODE;
    info.Reason = reason;
    info.hComPropSheet = collector->handle();
    info.pfnComPropSheet = &PageCollector::ComPropSheet;
    info.lParamInit = reinterpret_cast<LPARAM>(oemParam);
    return info;
}

PageRequest RequestPages(IPrintOemUI* oemUI, OEMUIPSPARAM* oemParam, PageCollector* collector) {
    PageRequest request;
    PROPSHEETUI_INFO_HEADER header{};
    header.cbSize = sizeof header;
    PROPSHEETUI_INFO info = SheetInfo(PROPSHEETUI_REASON_GET_INFO_HEADER, collector, oemParam);
    request.headerResult = oemUI->DevicePropertySheets(&info, reinterpret_cast<LPARAM>(&header));
    // The title pointer is declared as TCHAR text; a Unicode plug-in hands out UTF-16.
    if (SUCCEEDED(request.headerResult) && header.pTitle != nullptr) {
        request.headerTitle = reinterpret_cast<const wchar_t*>(header.pTitle);
    }

    info = SheetInfo(PROPSHEETUI_REASON_INIT, collector, oemParam);
    request.initResult = oemUI->DevicePropertySheets(&info, 0);
    request.initSheetResult = info.Result;
    return request;
}

OEMUIPSPARAM HostParameters(const PluginModule& module, std::wstring* printerName,
                            const HostHeap& heap) {
    OEMUIPSPARAM oemParam{};
    oemParam.cbSize = sizeof oemParam;
    oemParam.pPrinterName = printerName->data();
    oemParam.hModule = module.handle();
    oemParam.hOEMHeap = heap.handle();
    return oemParam;
}

HRESULT EndPages(IPrintOemUI* oemUI, OEMUIPSPARAM* oemParam, PageCollector* collector) {
    PROPSHEETUI_INFO info = SheetInfo(PROPSHEETUI_REASON_DESTROY, collector, oemParam);
    return oemUI->DevicePropertySheets(&info, 0);
}

HWND CreatePrinterSheet(const std::wstring& printerName, std::vector<HPROPSHEETPAGE> pages) {
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_MODELESS | PSH_PROPTITLE;
    header.pszCaption = printerName.c_str();
    header.nPages = static_cast<UINT>(pages.size());
    header.phpage = pages.data();
    const INT_PTR sheet = PropertySheetW(&header);
    // Whether a sheet that failed has destroyed some pages is not told, so a failure
    // leaves them alone rather than risk destroying one twice.
    if (sheet == 0 || sheet == -1) return nullptr;
    return reinterpret_cast<HWND>(sheet);
}

}  // namespace printhost
