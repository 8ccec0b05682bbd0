// Dialog resource 106 as the page shows it: caption, font, size, and every control's
// kind, style and text.
#include "tests/driverui/page_fixture.h"

#include "driverui/resource.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace page_testing;
using namespace testing_support;

namespace {

constexpr DWORD kNone = 0;
constexpr DWORD kComboKind = 0x3;  // CBS_SIMPLE, CBS_DROPDOWN or CBS_DROPDOWNLIST

struct ExpectedControl {
    int id;
    const wchar_t* windowClass;
    DWORD required;   // style bits the control must have
    DWORD forbidden;  // style bits it must not have
};

const DWORD kEditForbidden = ES_MULTILINE | ES_READONLY | ES_NUMBER;

const ExpectedControl kControls[] = {
    {IDC_DRIVER_VERSION_LABEL, L"Static", kNone, kNone},
    {IDC_DRIVER_VERSION, L"Static", kNone, kNone},
    {IDC_LM_VERSION, L"Static", kNone, kNone},
    {IDC_PERIODIC_STATUS, L"ComboBox", CBS_DROPDOWN | CBS_SORT, kNone},
    {IDC_STATUS_PERIOD, L"Edit", ES_NUMBER, ES_MULTILINE},
    {IDC_START_DOC, L"Edit", ES_AUTOHSCROLL, kEditForbidden},
    {IDC_START_PAGE, L"Edit", ES_AUTOHSCROLL, kEditForbidden},
    {IDC_SKIP_FIRST_PAGE, L"ComboBox", CBS_DROPDOWN, CBS_SORT},
    {IDC_END_DOC, L"Edit", ES_AUTOHSCROLL, kEditForbidden},
    {IDC_LINE_FEEDS, L"Edit", ES_NUMBER, ES_MULTILINE},
    {IDC_KNIFE_CUT, L"ComboBox", CBS_DROPDOWN, CBS_SORT},
    {IDC_CASH_DRAWER1, L"ComboBox", CBS_DROPDOWN, CBS_SORT},
    {IDC_CASH_DRAWER2, L"ComboBox", CBS_DROPDOWN, CBS_SORT},
    {IDC_RESTORE, L"Button", kNone, kNone},
    {IDC_SAVE, L"Button", kNone, kNone},
    {IDC_REFRESH, L"Button", kNone, kNone},
};

// Every text the page shows in its labels, group boxes and buttons once opened (with no
// language monitor installed).
const std::multiset<std::wstring> kTexts = {
    L"DRIVER INFO",
    L"Driver Version:",
    L"3.0.1.6",
    L"LM Version:",
    L"Not Available",
    L"LANGUAGE MONITOR (Shared)",
    L"Periodic Status Back:",
    L"Status Period:",
    L"ms",
    L"PRINTER CONTROL",
    L"  Input: Use <?\?> for Decimal, <0x?\?> for Hex, [???] for Symbol.  e.g. [ESC]<5>",
    L"Start Of Doc Commands:",
    L"Start Of Page Commands:",
    L"Skip 1st Page Commands:",
    L"End Of Doc Commands followed by optional Feed, Cut, Drawer opens",
    L"EndDoc Line Feeds: [ESC]d#",
    L"EOD Knife Cut: [ESC]v",
    L"Fire Cash Drawer1: [ESC]x<1>",
    L"Fire Cash Drawer2?",
    L"Restore to use Default Values",
    L"Save to use Shown Values",
    L"Refresh",
};

std::wstring ClassOf(HWND window) {
    wchar_t name[64];
    GetClassNameW(window, name, 64);
    return name;
}

std::vector<HWND> Children(HWND page) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(page, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

TEST_F(PageTest, TheTemplateHasItsCaptionFontAndSize) {
    TestPage page(kTestPrinter);
    wchar_t caption[64];
    GetWindowTextW(page.window(), caption, 64);
    EXPECT_STREQ(caption, L"Brimcote Printer Properties");

    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(page.window(), WM_GETFONT, 0, 0)), sizeof font,
               &font);
    EXPECT_STREQ(font.lfFaceName, L"Arial");

    RECT size{0, 0, 286, 287};
    MapDialogRect(page.window(), &size);
    RECT client;
    GetClientRect(page.window(), &client);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);
}

TEST_F(PageTest, EveryControlHasItsKindAndStyle) {
    TestPage page(kTestPrinter);
    for (const ExpectedControl& expected : kControls) {
        SCOPED_TRACE(expected.id);
        const HWND control = page.control(expected.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(ClassOf(control), expected.windowClass);
        const DWORD style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
        if (expected.windowClass == std::wstring(L"ComboBox")) {
            EXPECT_EQ(style & kComboKind, static_cast<DWORD>(CBS_DROPDOWN));
        }
        EXPECT_EQ(style & expected.required, expected.required);
        EXPECT_EQ(style & expected.forbidden, kNone);
    }
}

TEST_F(PageTest, TheLabelsAndButtonsShowTheirTextsAndEveryIdIsUnique) {
    TestPage page(kTestPrinter);
    std::multiset<std::wstring> texts;
    std::map<int, int> ids;
    for (HWND child : Children(page.window())) {
        const int id = GetDlgCtrlID(child);
        if (id != -1 && id != 0xFFFF) ++ids[id];
        const std::wstring kind = ClassOf(child);
        if (kind == L"Static" || kind == L"Button") {
            wchar_t text[128];
            GetWindowTextW(child, text, 128);
            texts.insert(text);
        }
    }
    EXPECT_EQ(texts, kTexts);
    EXPECT_EQ(ids.size(), std::size(kControls));
    for (const auto& [id, count] : ids) EXPECT_EQ(count, 1) << id;
}

}  // namespace
