// OemUI: the object the host drives through IPrintOemUI. It names the plug-in, keeps its
// private device-mode block valid, adds the properties page and names a colour profile.
#pragma once

#include <windows.h>

#include "driverui/com_object.h"
#include "driverui/oem_interfaces.h"

class OemUI final : public ComObject<OemUI, IPrintOemUI, IID_IPrintOemUI> {
public:
    // Counts itself among the module's live objects until its last Release.
    OemUI();

    // IPrintOemCommon
    HRESULT STDMETHODCALLTYPE GetInfo(DWORD mode, PVOID buffer, DWORD bufferBytes,
                                      PDWORD neededBytes) override;
    HRESULT STDMETHODCALLTYPE DevMode(DWORD mode, POEMDMPARAM param) override;

    // IPrintOemUI
    HRESULT STDMETHODCALLTYPE PublishDriverInterface(IUnknown* hostObject) override;
    HRESULT STDMETHODCALLTYPE CommonUIProp(DWORD mode, POEMCUIPPARAM param) override;
    HRESULT STDMETHODCALLTYPE DocumentPropertySheets(PPROPSHEETUI_INFO info,
                                                     LPARAM lParam) override;
    HRESULT STDMETHODCALLTYPE DevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam) override;
    HRESULT STDMETHODCALLTYPE DevQueryPrintEx(POEMUIOBJ, PDEVQUERYPRINT_INFO, PDEVMODEW,
                                              PVOID) override;
    HRESULT STDMETHODCALLTYPE DeviceCapabilities(POEMUIOBJ, HANDLE, PWSTR, WORD, PVOID, PDEVMODEW,
                                                 PVOID, DWORD, DWORD*) override;
    HRESULT STDMETHODCALLTYPE UpgradePrinter(DWORD, PBYTE) override;
    HRESULT STDMETHODCALLTYPE PrinterEvent(PWSTR, INT, DWORD, LPARAM) override;
    HRESULT STDMETHODCALLTYPE DriverEvent(DWORD, DWORD, LPBYTE, LPARAM) override;
    HRESULT STDMETHODCALLTYPE QueryColorProfile(HANDLE printer, POEMUIOBJ uiObject,
                                                PDEVMODEW publicDevmode, PVOID privateDevmode,
                                                ULONG queryMode, VOID* profile, ULONG* profileBytes,
                                                FLONG* profileFlags) override;
    HRESULT STDMETHODCALLTYPE FontInstallerDlgProc(HWND, UINT, WPARAM, LPARAM) override;
    HRESULT STDMETHODCALLTYPE UpdateExternalFonts(HANDLE, HANDLE, PWSTR) override;

private:
    friend ComObject;  // deletes it on the last Release
    ~OemUI();

    // Adds the properties page through the host's property-sheet function (reason 0).
    HRESULT AddPropertiesPage(PPROPSHEETUI_INFO info);

    IPrintOemDriverUI* driverInterface_ = nullptr;
};
