// The page's dialog procedure: opening the page, noticing changes, and its three
// commands Save, Refresh and Restore.
#include "driverui/language_monitor_version.h"
#include "driverui/message_box.h"
#include "driverui/page_choices.h"
#include "driverui/page_context.h"
#include "driverui/page_state.h"
#include "driverui/page_texts.h"
#include "driverui/property_page.h"
#include "driverui/resource.h"
#include "settings/registry_store.h"
#include "settings/schema.h"
#include "settings/spooler.h"

#include <string>

namespace {

constexpr DWORD kSpoolerRestartWaitMs = 2000;
// The command fields take what a load can read back: 1023 characters.
constexpr WPARAM kCommandFieldLimit = schema::kPageStringBytes / sizeof(wchar_t) - 1;

bool Ask(HWND page, const page_text::Message& question) {
    return page_ui::ShowMessageBox(page, question.text, question.caption, question.type) == IDYES;
}

void AddChoices(HWND page, int control, ChoiceSlice slice) {
    for (int i = 0; i < slice.count; ++i) {
        SendDlgItemMessageW(page, control, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(PageChoiceTable[slice.first + i]));
    }
}

void OpenPage(HWND page, const PROPSHEETPAGEW* currentPage) {
    if (!AttachPageState(page, currentPage)) {
        // Without its state the page cannot tell its printer or its changes: it only
        // shows the values, and its commands stay off.
        EnableWindow(GetDlgItem(page, IDC_RESTORE), FALSE);
    }
    SetDlgItemTextW(page, IDC_DRIVER_VERSION, page_text::kDriverVersion);
    const std::wstring lmVersion = LanguageMonitorProductVersion();
    if (!lmVersion.empty()) SetDlgItemTextW(page, IDC_LM_VERSION, lmVersion.c_str());

    AddChoices(page, IDC_PERIODIC_STATUS, kPeriodicStatusChoices);
    AddChoices(page, IDC_SKIP_FIRST_PAGE, kSkipFirstPageChoices);
    AddChoices(page, IDC_KNIFE_CUT, kKnifeCutChoices);
    AddChoices(page, IDC_CASH_DRAWER1, kCashDrawerChoices);
    AddChoices(page, IDC_CASH_DRAWER2, kCashDrawerChoices);
    for (int field : {IDC_START_DOC, IDC_START_PAGE, IDC_END_DOC}) {
        SendDlgItemMessageW(page, field, EM_SETLIMITTEXT, kCommandFieldLimit, 0);
    }
    LoadPageSettings(page, currentPage);
}

void Save(HWND page, const PROPSHEETPAGEW* currentPage) {
    if (!Ask(page, page_text::kConfirmSave)) return;
    if (!SavePageSettings(page, currentPage)) return;  // it has said why and reloaded
    spooler::RestartSpooler(kSpoolerRestartWaitMs);
    LoadPageSettings(page, currentPage);
}

void Refresh(HWND page, const PROPSHEETPAGEW* currentPage) {
    if (!Ask(page, page_text::kConfirmRefresh)) return;
    LoadPageSettings(page, currentPage);
}

// Drops the printer's own values so that the driver-wide defaults apply; the key stays.
void Restore(HWND page, const PROPSHEETPAGEW* currentPage) {
    if (!Ask(page, page_text::kConfirmRestore)) return;
    const auto path = PrinterKeyPathOf(currentPage);
    const store::Key printer = path ? store::OpenForWrite(path->c_str()) : store::Key();
    if (printer) {
        // An absent value, or one that will not go, is skipped.
        for (const schema::Text& value : schema::kPrinterValuesInDeleteOrder) {
            store::DeleteValueIgnoringResult(printer, value.wide);
        }
    } else {
        const page_text::Message& m = page_text::kRestoreFailed;
        page_ui::ShowMessageBox(page, m.text, m.caption, m.type);
    }
    LoadPageSettings(page, currentPage);
}

bool IsCombo(int control) {
    switch (control) {
        case IDC_PERIODIC_STATUS:
        case IDC_KNIFE_CUT:
        case IDC_CASH_DRAWER1:
        case IDC_CASH_DRAWER2:
        case IDC_SKIP_FIRST_PAGE: return true;
        default: return false;
    }
}

bool IsEdit(int control) {
    switch (control) {
        case IDC_STATUS_PERIOD:
        case IDC_START_DOC:
        case IDC_END_DOC:
        case IDC_LINE_FEEDS:
        case IDC_START_PAGE: return true;
        default: return false;
    }
}

BOOL OnCommand(HWND page, int control, int notification) {
    PageState* state = GetPageState(page);
    if (state == nullptr) return FALSE;

    if (IsCombo(control)) {
        if (notification != CBN_SELCHANGE && notification != CBN_EDITUPDATE) return FALSE;
        SetChangesPending(page, true);
        return TRUE;
    }
    if (IsEdit(control)) {
        // Text set by a load clears the modified flag, so loading never counts as a change.
        if (SendDlgItemMessageW(page, control, EM_GETMODIFY, 0, 0) != 0)
            SetChangesPending(page, true);
        return TRUE;
    }

    const bool clicked = notification == BN_CLICKED;
    switch (control) {
        case IDC_SAVE:
            if (clicked && state->changesPending) Save(page, state->currentPage);
            return TRUE;
        case IDC_REFRESH:
            if (clicked && state->changesPending) Refresh(page, state->currentPage);
            return TRUE;
        case IDC_RESTORE:
            if (clicked) Restore(page, state->currentPage);
            return TRUE;
        default: return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK PageDialogProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    // Nothing may escape into the host's dialog manager.
    try {
        switch (message) {
            case WM_INITDIALOG:
                OpenPage(page, reinterpret_cast<const PROPSHEETPAGEW*>(lParam));
                return FALSE;  // the dialog manager leaves the keyboard focus alone
            case WM_COMMAND: return OnCommand(page, LOWORD(wParam), HIWORD(wParam));
            case WM_NCDESTROY: DetachPageState(page); return FALSE;
            default: return FALSE;
        }
    } catch (...) {
        return FALSE;
    }
}
