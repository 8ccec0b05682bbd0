// The "Brimcote Printer Properties" page: its dialog procedure and the load and save of
// the values it shows.
#pragma once

#include <windows.h>
#include <prsht.h>

// The page's dialog procedure; the page-creation record arrives with WM_INITDIALOG.
INT_PTR CALLBACK PageDialogProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Fills the page's controls from the registry and leaves it unchanged (Save and Refresh
// disabled). Never writes and never shows a message.
void LoadPageSettings(HWND page, const PROPSHEETPAGEW* currentPage);

// Checks the two numbers and writes the shown values. Reloads the page on every path;
// true when both keys were opened and the values written.
bool SavePageSettings(HWND page, const PROPSHEETPAGEW* currentPage);

// Enables or disables Save and Refresh together, when the state changes.
void SetChangesPending(HWND page, bool pending);
