// What each page window keeps while it lives: its page-creation record and whether
// changes are pending. Kept per window, so that two pages in one host never act on each
// other's printer or buttons.
#pragma once

#include <windows.h>
#include <prsht.h>

struct PageState {
    const PROPSHEETPAGEW* currentPage = nullptr;
    bool changesPending = false;
};

// Gives `page` its state; false when no memory is left for it.
bool AttachPageState(HWND page, const PROPSHEETPAGEW* currentPage);
// The page's state, or nullptr before WM_INITDIALOG or when it could not be attached.
PageState* GetPageState(HWND page);
// Frees the page's state; called when the window goes away.
void DetachPageState(HWND page);
