// Filling the page's controls from the registry: the shared language-monitor settings,
// then the printer's own values with the driver-wide defaults where the printer has none.
#include "driverui/page_choices.h"
#include "driverui/page_context.h"
#include "driverui/property_page.h"
#include "driverui/resource.h"
#include "settings/printer_paths.h"
#include "settings/registry_store.h"
#include "settings/schema.h"

#include <cstdint>
#include <cwchar>
#include <optional>
#include <string>

namespace {

// A string value read into a buffer of a fixed byte size. One unit more than the read
// may fill keeps the text terminated even when the stored data carries no terminator.
template <std::size_t Bytes>
struct StringRead {
    wchar_t text[Bytes / sizeof(wchar_t) + 1] = {};
    store::ReadResult result{store::ReadStatus::kFailed, 0};

    StringRead(const store::Key& key, const wchar_t* name) {
        result = store::ReadValue(key, name, text, Bytes);
        text[result.read() ? result.bytes / sizeof(wchar_t) : 0] = L'\0';
    }
    bool read() const { return result.read(); }
    bool readWithData() const { return result.read() && result.bytes > 0; }
};
using ComboRead = StringRead<schema::kPageStringBytes>;

// One printer-control combo box: its control, its words, its value and default.
struct ComboSetting {
    int control;
    ChoiceSlice choices;
    const wchar_t* value;
    const wchar_t* defaultValue;
    bool enabledOnlyByAMatch;  // the cash drawers
};

const ComboSetting kComboSettings[] = {
    {IDC_KNIFE_CUT, kKnifeCutChoices, schema::kEndOfDocKnifeCut.wide, schema::kDefaultKnifeCut.wide,
     false},
    {IDC_SKIP_FIRST_PAGE, kSkipFirstPageChoices, schema::kSkipFirstStartPage.wide,
     schema::kDefaultSkipFirstStartPage.wide, false},
    {IDC_CASH_DRAWER1, kCashDrawerChoices, schema::kCashDrawer1.wide,
     schema::kDefaultCashDrawer1.wide, true},
    {IDC_CASH_DRAWER2, kCashDrawerChoices, schema::kCashDrawer2.wide,
     schema::kDefaultCashDrawer2.wide, true},
};

struct CommandSetting {
    int control;
    const wchar_t* value;
    const wchar_t* defaultValue;
};

const CommandSetting kCommandSettings[] = {
    {IDC_START_DOC, schema::kStartDocString.wide, schema::kDefaultStartDoc.wide},
    {IDC_START_PAGE, schema::kStartPageString.wide, schema::kDefaultStartPage.wide},
    {IDC_END_DOC, schema::kEndDocString.wide, schema::kDefaultEndDoc.wide},
};

void SetNumberText(HWND page, int control, std::int32_t number) {
    wchar_t text[16];
    std::swprintf(text, 16, L"%d", static_cast<int>(number));
    SetDlgItemTextW(page, control, text);
}

// Selects the word equal to `text`; answers whether one matched.
bool SelectChoice(HWND page, int control, ChoiceSlice choices, const wchar_t* text,
                  bool enableOnMatch) {
    const int index = FindChoice(choices, text);
    if (index < 0) return false;
    if (enableOnMatch) EnableWindow(GetDlgItem(page, control), TRUE);
    SendDlgItemMessageW(page, control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    return true;
}

void LoadSharedSettings(HWND page, const store::Key& monitor) {
    StringRead<schema::kPagePeriodicStatusBytes> status(monitor, schema::kPeriodicStatus.wide);
    if (status.readWithData()) {
        SelectChoice(page, IDC_PERIODIC_STATUS, kPeriodicStatusChoices, status.text, false);
    }
    std::int32_t interval = 0;
    if (store::ReadNumber(monitor, schema::kStatusInterval.wide, &interval).read()) {
        SetNumberText(page, IDC_STATUS_PERIOD, interval);
    }
}

// A combo value falls back to its default only when the printer's read fails; a value
// that is there but matches no word leaves the combo box as it is.
void LoadCombo(HWND page, const ComboSetting& s, const store::Key& printer,
               const store::Key& monitor) {
    ComboRead own(printer, s.value);
    if (own.read()) {
        SelectChoice(page, s.control, s.choices, own.text, s.enabledOnlyByAMatch);
        return;
    }
    if (!monitor) return;
    ComboRead fallback(monitor, s.defaultValue);
    if (fallback.read())
        SelectChoice(page, s.control, s.choices, fallback.text, s.enabledOnlyByAMatch);
}

void LoadLineFeeds(HWND page, const store::Key& printer, const store::Key& monitor) {
    std::int32_t feeds = 0;
    if (store::ReadNumber(printer, schema::kEndOfDocLineFeeds.wide, &feeds).read() ||
        (monitor && store::ReadNumber(monitor, schema::kDefaultLineFeeds.wide, &feeds).read())) {
        SetNumberText(page, IDC_LINE_FEEDS, feeds);
    }
}

// A command string falls back to its default also when the printer's value holds no
// data at all; an empty string with its terminator is the printer's own empty command.
void LoadCommand(HWND page, const CommandSetting& s, const store::Key& printer,
                 const store::Key& monitor) {
    StringRead<schema::kPageStringBytes> own(printer, s.value);
    if (own.readWithData()) {
        SetDlgItemTextW(page, s.control, own.text);
        return;
    }
    if (!monitor) return;
    StringRead<schema::kPageStringBytes> fallback(monitor, s.defaultValue);
    if (fallback.readWithData()) SetDlgItemTextW(page, s.control, fallback.text);
}

store::Key OpenPrinterKeyForRead(const PROPSHEETPAGEW* currentPage) {
    const auto path = PrinterKeyPathOf(currentPage);
    return path ? store::OpenForRead(path->c_str()) : store::Key();
}

// Disabling the focused button would leave the keyboard nowhere; the focus moves on first.
void MoveFocusOffDisabledButtons(HWND page) {
    const HWND focus = GetFocus();
    if (focus == GetDlgItem(page, IDC_SAVE) || focus == GetDlgItem(page, IDC_REFRESH)) {
        SendMessageW(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(page, IDC_RESTORE)),
                     TRUE);
    }
}

}  // namespace

void LoadPageSettings(HWND page, const PROPSHEETPAGEW* currentPage) {
    MoveFocusOffDisabledButtons(page);
    for (int control : {IDC_SAVE, IDC_REFRESH, IDC_CASH_DRAWER1, IDC_CASH_DRAWER2}) {
        EnableWindow(GetDlgItem(page, control), FALSE);
    }

    {
        const store::Key monitor = store::OpenForRead(schema::kLanguageMonitorKey.wide);
        if (monitor) LoadSharedSettings(page, monitor);

        // Without the printer's key no default is shown either.
        if (const store::Key printer = OpenPrinterKeyForRead(currentPage)) {
            for (const ComboSetting& s : kComboSettings) LoadCombo(page, s, printer, monitor);
            LoadLineFeeds(page, printer, monitor);
            for (const CommandSetting& s : kCommandSettings) LoadCommand(page, s, printer, monitor);
        }
    }  // both keys are closed here
    SetChangesPending(page, false);
}
