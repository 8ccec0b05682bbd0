// Checking the page's two numbers and writing the shown values to the registry.
#include "driverui/message_box.h"
#include "driverui/page_context.h"
#include "driverui/page_texts.h"
#include "driverui/property_page.h"
#include "driverui/resource.h"
#include "settings/number_text.h"
#include "settings/printer_paths.h"
#include "settings/registry_store.h"
#include "settings/schema.h"

#include <cstdint>
#include <memory>
#include <string>

namespace {

// Text of one field, cut at 1023 characters.
struct FieldText {
    wchar_t text[schema::kPageFieldChars] = {};
    FieldText(HWND page, int control) {
        GetDlgItemTextW(page, control, text, static_cast<int>(schema::kPageFieldChars));
    }
    bool empty() const { return text[0] == L'\0'; }
    std::int32_t number() const { return schema::LeadingDecimalNumber(std::wstring_view(text)); }
};

struct TextSetting {
    int control;
    const wchar_t* value;
};

const TextSetting kComboValues[] = {
    {IDC_KNIFE_CUT, schema::kEndOfDocKnifeCut.wide},
    {IDC_SKIP_FIRST_PAGE, schema::kSkipFirstStartPage.wide},
    {IDC_CASH_DRAWER1, schema::kCashDrawer1.wide},
    {IDC_CASH_DRAWER2, schema::kCashDrawer2.wide},
};

const TextSetting kCommandValues[] = {
    {IDC_START_DOC, schema::kStartDocString.wide},
    {IDC_END_DOC, schema::kEndDocString.wide},
    {IDC_START_PAGE, schema::kStartPageString.wide},
};

// A block from the host's heap, given back to it when it goes out of scope.
struct HeapFreer {
    HANDLE heap;
    void operator()(wchar_t* block) const { HeapFree(heap, 0, block); }
};
using HeapText = std::unique_ptr<wchar_t[], HeapFreer>;

// Shows why the save stops, reloads the page (dropping the user's changes) and answers
// false, so that no spooler restart follows.
bool Stop(HWND page, const PROPSHEETPAGEW* currentPage, const page_text::Message& why) {
    page_ui::ShowMessageBox(page, why.text, why.caption, why.type);
    LoadPageSettings(page, currentPage);
    return false;
}

bool InRange(std::int32_t number, std::int32_t min, std::int32_t max) {
    return number >= min && number <= max;
}

void WriteIfNotEmpty(const store::Key& key, const wchar_t* name, const FieldText& field) {
    if (!field.empty()) store::WriteStringIgnoringResult(key, name, field.text);
}

// Writes a command field whole, whatever its length, through a buffer from the host's
// heap. False when the heap has no room for it.
bool WriteCommand(HWND page, HANDLE heap, const store::Key& key, const TextSetting& s) {
    const HWND field = GetDlgItem(page, s.control);
    const int length = GetWindowTextLengthW(field);
    if (heap == nullptr || length < 0) return false;
    const SIZE_T bytes = (static_cast<SIZE_T>(length) + 1) * sizeof(wchar_t);
    const HeapText text(static_cast<wchar_t*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, bytes)),
                        HeapFreer{heap});
    if (!text) return false;
    GetWindowTextW(field, text.get(), length + 1);
    store::WriteStringIgnoringResult(key, s.value, text.get());
    return true;
}

store::Key OpenOrCreatePrinterKey(const PROPSHEETPAGEW* currentPage) {
    const auto path = PrinterKeyPathOf(currentPage);
    return path ? store::OpenOrCreate(path->c_str()) : store::Key();
}

}  // namespace

bool SavePageSettings(HWND page, const PROPSHEETPAGEW* currentPage) {
    using namespace page_text;

    // Every check comes before the first write.
    const FieldText statusPeriod(page, IDC_STATUS_PERIOD);
    if (statusPeriod.empty()) return Stop(page, currentPage, kStatusPeriodEmpty);
    if (!InRange(statusPeriod.number(), schema::kStatusIntervalMin, schema::kStatusIntervalMax)) {
        return Stop(page, currentPage, kStatusPeriodOutOfRange);
    }
    const FieldText lineFeeds(page, IDC_LINE_FEEDS);
    if (lineFeeds.empty()) return Stop(page, currentPage, kLineFeedsEmpty);
    if (!InRange(lineFeeds.number(), schema::kLineFeedsMin, schema::kLineFeedsMax)) {
        return Stop(page, currentPage, kLineFeedsOutOfRange);
    }

    {
        const store::Key monitor = store::OpenOrCreate(schema::kLanguageMonitorKey.wide);
        if (!monitor) return Stop(page, currentPage, kLanguageMonitorKeyFailed);
        WriteIfNotEmpty(monitor, schema::kPeriodicStatus.wide,
                        FieldText(page, IDC_PERIODIC_STATUS));
        store::WriteNumberIgnoringResult(monitor, schema::kStatusInterval.wide,
                                         statusPeriod.number());
    }

    const store::Key printer = OpenOrCreatePrinterKey(currentPage);
    // The shared values written above stay written.
    if (!printer) return Stop(page, currentPage, kPrinterKeyFailed);

    for (const TextSetting& s : kComboValues)
        WriteIfNotEmpty(printer, s.value, FieldText(page, s.control));
    store::WriteNumberIgnoringResult(printer, schema::kEndOfDocLineFeeds.wide, lineFeeds.number());
    const HANDLE heap =
        OemParamOf(currentPage)->hOEMHeap;  // there is one: the key path came from it
    for (const TextSetting& s : kCommandValues) {
        if (!WriteCommand(page, heap, printer, s)) return Stop(page, currentPage, kOutOfMemory);
    }

    LoadPageSettings(page, currentPage);
    return true;  // the printer's key closes on the way out
}
