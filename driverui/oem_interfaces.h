// The printer driver's user-interface plug-in interface: IPrintOemUI, IPrintOemDriverUI
// and their parameter blocks, declared with the member order and types of the public
// interface, so that a real driver host can load this module.
#pragma once

#include <windows.h>

typedef struct _OEMUIOBJ* POEMUIOBJ;

// Handed to DevicePropertySheets and DocumentPropertySheets in PROPSHEETUI_INFO.lParamInit.
typedef struct _OEMUIPSPARAM {
    DWORD cbSize;
    POEMUIOBJ poemuiobj;
    HANDLE hPrinter;
    PWSTR pPrinterName;
    HANDLE hModule;
    HANDLE hOEMHeap;
    PDEVMODEW pPublicDM;
    PVOID pOEMDM;
    PVOID pOEMUserData;
    DWORD dwFlags;
    PVOID pOemEntry;
} OEMUIPSPARAM, *POEMUIPSPARAM;
