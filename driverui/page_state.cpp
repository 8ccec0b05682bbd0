// Per-window page state and the Save/Refresh enabled state that mirrors it.
#include "driverui/page_state.h"

#include "driverui/property_page.h"
#include "driverui/resource.h"

#include <new>

bool AttachPageState(HWND page, const PROPSHEETPAGEW* currentPage) {
    auto* state = new (std::nothrow) PageState{currentPage, false};
    if (state == nullptr) return false;
    SetWindowLongPtrW(page, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    return true;
}

PageState* GetPageState(HWND page) {
    return reinterpret_cast<PageState*>(GetWindowLongPtrW(page, DWLP_USER));
}

void DetachPageState(HWND page) {
    delete GetPageState(page);
    SetWindowLongPtrW(page, DWLP_USER, 0);
}

void SetChangesPending(HWND page, bool pending) {
    PageState* state = GetPageState(page);
    if (state == nullptr || state->changesPending == pending) return;
    EnableWindow(GetDlgItem(page, IDC_SAVE), pending);
    EnableWindow(GetDlgItem(page, IDC_REFRESH), pending);
    state->changesPending = pending;
}
