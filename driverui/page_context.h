// The record DevicePropertySheets hands the page in PROPSHEETPAGEW.lParam.
#pragma once

#include <windows.h>
#include <compstui.h>
#include <prsht.h>

#include "driverui/oem_interfaces.h"
#include "settings/printer_paths.h"

#include <optional>
#include <string>

// Allocated zero-filled from the host's plug-in heap; the host owns it and frees the
// heap. Only `oemParam` is read after the page is added.
struct PageContext {
    HANDLE hComPropSheet;
    POEMUIPSPARAM oemParam;
    PFNCOMPROPSHEET pfnComPropSheet;
};

// The host's parameter block behind a page-creation record, or nullptr.
inline POEMUIPSPARAM OemParamOf(const PROPSHEETPAGEW* page) {
    if (page == nullptr) return nullptr;
    const auto* context = reinterpret_cast<const PageContext*>(page->lParam);
    return context != nullptr ? context->oemParam : nullptr;
}

// The printer's PrinterDriverData key path for a page-creation record; none when the
// record names no printer, or one whose name could reach another key.
inline std::optional<std::wstring> PrinterKeyPathOf(const PROPSHEETPAGEW* page) {
    const POEMUIPSPARAM param = OemParamOf(page);
    if (param == nullptr || param->pPrinterName == nullptr) return std::nullopt;
    return schema::PrinterDriverDataPath(std::wstring_view(param->pPrinterName));
}
