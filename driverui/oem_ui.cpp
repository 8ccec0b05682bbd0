// OemUI: the IPrintOemUI methods, in slot order.
#include "driverui/oem_ui.h"

#define STRSAFE_NO_DEPRECATE
#include <strsafe.h>

#include "driverui/module.h"
#include "driverui/page_context.h"
#include "driverui/private_devmode.h"
#include "driverui/property_page.h"
#include "driverui/resource.h"

namespace {

constexpr WORD kPropSheetUIVersion = PROPSHEETUI_INFO_VERSION;  // 0x0100
constexpr DWORD kInfoBytes = sizeof(DWORD);
constexpr wchar_t kHeaderTitle[] = L"OEM UI Page";
constexpr wchar_t kColorProfile[] = L"OEMPROFILE.icm";
constexpr ULONG kColorProfileBufferBytes = 32;  // what the host must offer; 30 are used
constexpr LONG_PTR kReasonDone = 1;

// The page-creation record as the platform defines it in full: the members that
// <prsht.h> declares, then the header bitmap. Hosts copy dwSize bytes of it.
struct PropSheetPageRecord {
    PROPSHEETPAGEW_V3 page;
    union {
        HBITMAP hbmHeader;
        LPCWSTR pszbmHeader;
    };
};
#ifdef _WIN64
static_assert(sizeof(PropSheetPageRecord) == 104, "the complete page-creation record");
#else
static_assert(sizeof(PropSheetPageRecord) == 56, "the complete page-creation record");
#endif

HRESULT FailWith(DWORD lastError) {
    SetLastError(lastError);
    return E_FAIL;
}

bool IsUsableSheetInfo(const PROPSHEETUI_INFO* info) {
    return info != nullptr && info->Version == kPropSheetUIVersion;
}

}  // namespace

OemUI::OemUI() { ObjectCreated(); }

OemUI::~OemUI() {
    if (driverInterface_ != nullptr) driverInterface_->Release();
    ObjectDestroyed();
}

// ---- IPrintOemCommon ----

HRESULT STDMETHODCALLTYPE OemUI::GetInfo(DWORD mode, PVOID buffer, DWORD bufferBytes,
                                         PDWORD neededBytes) {
    if (neededBytes == nullptr) return FailWith(ERROR_INVALID_PARAMETER);
    if (mode != OEMGI_GETSIGNATURE && mode != OEMGI_GETVERSION && mode != OEMGI_GETPUBLISHERINFO) {
        return FailWith(ERROR_INVALID_PARAMETER);
    }
    *neededBytes = kInfoBytes;
    if (bufferBytes < kInfoBytes || buffer == nullptr) return FailWith(ERROR_INSUFFICIENT_BUFFER);
    switch (mode) {
        case OEMGI_GETSIGNATURE:
            *static_cast<DWORD*>(buffer) = kPrivateDevmodeSignature;
            return S_OK;
        case OEMGI_GETVERSION: *static_cast<DWORD*>(buffer) = kPrivateDevmodeVersion; return S_OK;
        default:  // publisher information: this plug-in has none
            *neededBytes = 0;
            return FailWith(ERROR_NOT_SUPPORTED);
    }
}

HRESULT STDMETHODCALLTYPE OemUI::DevMode(DWORD mode, POEMDMPARAM param) {
    if (param == nullptr || mode < OEMDM_SIZE || mode > OEMDM_MERGE) {
        return FailWith(ERROR_INVALID_PARAMETER);
    }
    auto* input = static_cast<const PrivateDevmode*>(param->pOEMDMIn);
    auto* output = static_cast<PrivateDevmode*>(param->pOEMDMOut);
    switch (mode) {
        case OEMDM_SIZE: param->cbBufSize = kPrivateDevmodeSize; break;
        case OEMDM_DEFAULT:
            // Defaults asked for and nowhere to put them: that is no success.
            if (output == nullptr) return FailWith(ERROR_INVALID_PARAMETER);
            SetDefaultPrivateDevmode(output);
            break;
        case OEMDM_CONVERT: ConvertPrivateDevmode(input, output); break;
        case OEMDM_MERGE:
            ConvertPrivateDevmode(input, output);
            ValidatePrivateDevmode(output);
            break;
    }
    return S_OK;
}

// ---- IPrintOemUI ----

HRESULT STDMETHODCALLTYPE OemUI::PublishDriverInterface(IUnknown* hostObject) {
    if (driverInterface_ != nullptr) return S_OK;
    if (hostObject == nullptr) return FailWith(ERROR_INVALID_PARAMETER);
    const HRESULT result = hostObject->QueryInterface(IID_IPrintOemDriverUI,
                                                      reinterpret_cast<void**>(&driverInterface_));
    if (FAILED(result)) {
        driverInterface_ = nullptr;
        return E_FAIL;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OemUI::CommonUIProp(DWORD mode, POEMCUIPPARAM param) {
    if (param == nullptr) return FailWith(ERROR_INVALID_PARAMETER);
    switch (mode) {
        case OEMCUIP_DOCPROP:
            // The one option item is asked for but never filled in.
            if (param->pOEMOptItems == nullptr) param->cOEMOptItems = 1;
            return S_OK;
        case OEMCUIP_PRNPROP: param->cOEMOptItems = 0; return S_OK;
        default: return FailWith(ERROR_INVALID_PARAMETER);
    }
}

HRESULT STDMETHODCALLTYPE OemUI::DocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM) {
    if (!IsUsableSheetInfo(info)) return FailWith(ERROR_INVALID_PARAMETER);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OemUI::DevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam) {
    if (!IsUsableSheetInfo(info)) return FailWith(ERROR_INVALID_PARAMETER);
    switch (info->Reason) {
        case PROPSHEETUI_REASON_INIT: return AddPropertiesPage(info);
        case PROPSHEETUI_REASON_GET_INFO_HEADER: {
            auto* header = reinterpret_cast<PPROPSHEETUI_INFO_HEADER>(lParam);
            if (header == nullptr) return FailWith(ERROR_INVALID_PARAMETER);
            // pTitle is a TCHAR pointer in the header's declaration; the host reads UTF-16.
            header->pTitle = reinterpret_cast<LPTSTR>(const_cast<wchar_t*>(kHeaderTitle));
            info->Result = kReasonDone;
            return S_OK;
        }
        case PROPSHEETUI_REASON_DESTROY: info->Result = kReasonDone; return S_OK;
        case PROPSHEETUI_REASON_SET_RESULT: {
            auto* setResult = reinterpret_cast<const SETRESULT_INFO*>(lParam);
            if (setResult == nullptr) return FailWith(ERROR_INVALID_PARAMETER);
            info->Result = setResult->Result;
            return S_OK;
        }
        default: info->Result = 0; return S_OK;
    }
}

HRESULT OemUI::AddPropertiesPage(PPROPSHEETUI_INFO info) {
    auto* oemParam = reinterpret_cast<POEMUIPSPARAM>(info->lParamInit);
    if (oemParam == nullptr || oemParam->hOEMHeap == nullptr || info->pfnComPropSheet == nullptr) {
        return FailWith(ERROR_INVALID_PARAMETER);
    }
    // The host owns this block and frees it with its heap; the page reads it while it lives.
    auto* context = static_cast<PageContext*>(
        HeapAlloc(oemParam->hOEMHeap, HEAP_ZERO_MEMORY, sizeof(PageContext)));
    if (context == nullptr) return FailWith(ERROR_NOT_ENOUGH_MEMORY);
    context->hComPropSheet = info->hComPropSheet;
    context->oemParam = oemParam;
    context->pfnComPropSheet = info->pfnComPropSheet;

    PropSheetPageRecord record{};
    record.page.dwSize = sizeof record;
    record.page.dwFlags = 0;  // the tab shows the dialog's own caption
    record.page.hInstance = ModuleHandle();
    record.page.pszTemplate = MAKEINTRESOURCEW(IDD_PRINTER_PROPERTIES);
    record.page.pfnDlgProc = PageDialogProc;
    record.page.lParam = reinterpret_cast<LPARAM>(context);

    constexpr LPARAM kNoSecondArgument = 0;
    info->Result = info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW,
                                         reinterpret_cast<LPARAM>(&record), kNoSecondArgument);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OemUI::DevQueryPrintEx(POEMUIOBJ, PDEVQUERYPRINT_INFO, PDEVMODEW, PVOID) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE OemUI::DeviceCapabilities(POEMUIOBJ, HANDLE, PWSTR, WORD, PVOID,
                                                    PDEVMODEW, PVOID, DWORD, DWORD*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE OemUI::UpgradePrinter(DWORD, PBYTE) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE OemUI::PrinterEvent(PWSTR, INT, DWORD, LPARAM) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE OemUI::DriverEvent(DWORD, DWORD, LPBYTE, LPARAM) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE OemUI::QueryColorProfile(HANDLE, POEMUIOBJ, PDEVMODEW, PVOID,
                                                   ULONG queryMode, VOID* profile,
                                                   ULONG* profileBytes, FLONG* profileFlags) {
    if (queryMode != QCP_DEVICEPROFILE) return E_FAIL;
    if (profileBytes == nullptr || profileFlags == nullptr) {
        return FailWith(ERROR_INVALID_PARAMETER);
    }
    if (profile == nullptr || *profileBytes < kColorProfileBufferBytes) {
        *profileBytes = kColorProfileBufferBytes;
        return FailWith(ERROR_INSUFFICIENT_BUFFER);
    }
    const HRESULT copied =
        StringCbCopyW(static_cast<wchar_t*>(profile), *profileBytes, kColorProfile);
    *profileBytes = kColorProfileBufferBytes;
    *profileFlags = QCP_PROFILEDISK;
    if (FAILED(copied)) {
        SetLastError(static_cast<DWORD>(copied));
        return copied;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE OemUI::FontInstallerDlgProc(HWND, UINT, WPARAM, LPARAM) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE OemUI::UpdateExternalFonts(HANDLE, HANDLE, PWSTR) { return E_NOTIMPL; }
