// Loading the page: the shared settings, the printer's values and their defaults.
#include "tests/driverui/page_fixture.h"

#include "driverui/property_page.h"
#include "driverui/resource.h"
#include "settings/schema.h"

#include <optional>
#include <string>

using namespace page_testing;
using namespace testing_support;

namespace {

constexpr int kNoSelection = CB_ERR;
const std::optional<std::wstring> kAbsent;

struct ComboCase {
    const char* what;
    int control;
    const wchar_t* value;
    const wchar_t* defaultValue;
    std::optional<std::wstring> own;       // the printer's value, if any
    std::optional<std::wstring> fallback;  // the default, if any
    int selection;
    bool enabled;
};

const ComboCase kComboCases[] = {
    {"own value in lower case", IDC_KNIFE_CUT, schema::kEndOfDocKnifeCut.wide,
     schema::kDefaultKnifeCut.wide, L"yes", L"NO", 1, true},
    {"own value with a blank matches nothing", IDC_KNIFE_CUT, schema::kEndOfDocKnifeCut.wide,
     schema::kDefaultKnifeCut.wide, L" YES", L"NO", kNoSelection, true},
    {"absent value falls back to the default", IDC_KNIFE_CUT, schema::kEndOfDocKnifeCut.wide,
     schema::kDefaultKnifeCut.wide, kAbsent, L"YES", 1, true},
    {"present but unmatched value does not fall back", IDC_KNIFE_CUT,
     schema::kEndOfDocKnifeCut.wide, schema::kDefaultKnifeCut.wide, L"maybe", L"YES", kNoSelection,
     true},
    {"skip first page lists YES before NO", IDC_SKIP_FIRST_PAGE, schema::kSkipFirstStartPage.wide,
     schema::kDefaultSkipFirstStartPage.wide, L"No", kAbsent, 1, true},
    {"drawer holding FALSE stays disabled without the default", IDC_CASH_DRAWER2,
     schema::kCashDrawer2.wide, schema::kDefaultCashDrawer2.wide, L"FALSE", L"YES", kNoSelection,
     false},
    {"drawer enabled by its default", IDC_CASH_DRAWER1, schema::kCashDrawer1.wide,
     schema::kDefaultCashDrawer1.wide, kAbsent, L"NO", 0, true},
    {"drawer with neither value nor default stays disabled", IDC_CASH_DRAWER1,
     schema::kCashDrawer1.wide, schema::kDefaultCashDrawer1.wide, kAbsent, kAbsent, kNoSelection,
     false},
    {"drawer with its own yes", IDC_CASH_DRAWER2, schema::kCashDrawer2.wide,
     schema::kDefaultCashDrawer2.wide, L"yEs", L"NO", 1, true},
    {"too long a value falls back", IDC_KNIFE_CUT, schema::kEndOfDocKnifeCut.wide,
     schema::kDefaultKnifeCut.wide, std::wstring(1100, L'Y'), L"NO", 0, true},
};

TEST_F(PageTest, ComboBoxesShowTheOwnValueOrTheirDefault) {
    for (const ComboCase& c : kComboCases) {
        SCOPED_TRACE(c.what);
        ResetRegistry();
        CreateKey(PrinterKey());
        CreateKey(MonitorKey());
        if (c.own) PutString(PrinterKey(), c.value, *c.own);
        if (c.fallback) PutString(MonitorKey(), c.defaultValue, *c.fallback);

        TestPage page(kTestPrinter);
        EXPECT_EQ(page.Selection(c.control), c.selection);
        EXPECT_EQ(page.Enabled(c.control), c.enabled);
    }
}

TEST_F(PageTest, APrinterWithoutValuesShowsTheDefaults) {
    PutDefaults();
    CreateKey(PrinterKey());
    TestPage page(kTestPrinter);

    EXPECT_EQ(page.Selection(IDC_PERIODIC_STATUS), 2);  // ENABLE
    EXPECT_EQ(page.Text(IDC_STATUS_PERIOD), L"5000");
    EXPECT_EQ(page.Text(IDC_START_DOC), L"[ESC]@");
    EXPECT_EQ(page.Text(IDC_START_PAGE), L"<0x1B>2");
    EXPECT_EQ(page.Text(IDC_END_DOC), L"[ESC]d<3>");
    EXPECT_EQ(page.Text(IDC_LINE_FEEDS), L"4");
    EXPECT_EQ(page.Selection(IDC_SKIP_FIRST_PAGE), 1);
    EXPECT_EQ(page.Selection(IDC_KNIFE_CUT), 1);
    EXPECT_EQ(page.Selection(IDC_CASH_DRAWER1), 0);
    EXPECT_EQ(page.Selection(IDC_CASH_DRAWER2), 1);
    EXPECT_FALSE(page.SaveAndRefreshEnabled());
}

TEST_F(PageTest, NumbersShowInSignedDecimalAndStatusMatchesAnyCase) {
    PutString(MonitorKey(), schema::kPeriodicStatus.wide, L"Auto");
    PutNumber(MonitorKey(), schema::kStatusInterval.wide, 0xFFFFFFFFu);
    PutNumber(PrinterKey(), schema::kEndOfDocLineFeeds.wide, 0);
    PutNumber(MonitorKey(), schema::kDefaultLineFeeds.wide, 9);
    TestPage page(kTestPrinter);
    EXPECT_EQ(page.Selection(IDC_PERIODIC_STATUS), 0);
    EXPECT_EQ(page.Text(IDC_STATUS_PERIOD), L"-1");
    EXPECT_EQ(page.Text(IDC_LINE_FEEDS), L"0");
}

TEST_F(PageTest, CommandStringsFallBackWhenAbsentEmptyOfDataOrTooLong) {
    PutDefaults();
    const std::wstring tooLong(1024, L'x');
    PutString(PrinterKey(), schema::kStartDocString.wide, L"");               // terminator only
    PutRaw(PrinterKey(), schema::kStartPageString.wide, REG_SZ, nullptr, 0);  // no data
    PutString(PrinterKey(), schema::kEndDocString.wide, tooLong);
    TestPage page(kTestPrinter);
    EXPECT_EQ(page.Text(IDC_START_DOC), L"");
    EXPECT_EQ(page.Text(IDC_START_PAGE), L"<0x1B>2");
    EXPECT_EQ(page.Text(IDC_END_DOC), L"[ESC]d<3>");

    const std::wstring longest(1023, L'y');
    PutString(PrinterKey(), schema::kEndDocString.wide, longest);
    LoadPageSettings(page.window(), page.record());
    EXPECT_EQ(page.Text(IDC_END_DOC), longest);
}

TEST_F(PageTest, ACommandWhoseValueAndDefaultAreUnreadableKeepsItsText) {
    PutString(PrinterKey(), schema::kEndDocString.wide, std::wstring(1500, L'x'));
    PutString(MonitorKey(), schema::kDefaultEndDoc.wide, std::wstring(1500, L'z'));
    TestPage page(kTestPrinter);
    page.SetText(IDC_END_DOC, L"as before");
    LoadPageSettings(page.window(), page.record());
    EXPECT_EQ(page.Text(IDC_END_DOC), L"as before");
}

TEST_F(PageTest, AStringStoredWithoutTerminatorIsShownWithoutReadingPastIt) {
    const std::wstring longest(1023, L'q');
    PutRaw(PrinterKey(), schema::kStartDocString.wide, REG_SZ, longest.data(), 2046);
    const wchar_t yes[3] = {L'Y', L'E', L'S'};
    PutRaw(PrinterKey(), schema::kEndOfDocKnifeCut.wide, REG_SZ, yes, sizeof yes);
    TestPage page(kTestPrinter);
    EXPECT_EQ(page.Text(IDC_START_DOC), longest);
    EXPECT_EQ(page.Selection(IDC_KNIFE_CUT), 1);
}

TEST_F(PageTest, WithoutThePrintersKeyOnlyTheSharedSettingsAreShown) {
    PutDefaults();
    TestPage page(kTestPrinter);
    EXPECT_EQ(page.Selection(IDC_PERIODIC_STATUS), 2);
    EXPECT_EQ(page.Text(IDC_STATUS_PERIOD), L"5000");
    EXPECT_EQ(page.Text(IDC_START_DOC), L"");
    EXPECT_EQ(page.Text(IDC_LINE_FEEDS), L"");
    EXPECT_EQ(page.Selection(IDC_KNIFE_CUT), kNoSelection);
    EXPECT_FALSE(page.Enabled(IDC_CASH_DRAWER1));
}

TEST_F(PageTest, WithoutTheLanguageMonitorKeyOnlyThePrintersOwnValuesAreShown) {
    PutString(PrinterKey(), schema::kStartDocString.wide, L"own");
    PutString(PrinterKey(), schema::kCashDrawer1.wide, L"YES");
    TestPage page(kTestPrinter);
    page.SetText(IDC_STATUS_PERIOD, L"1234");
    LoadPageSettings(page.window(), page.record());
    EXPECT_EQ(page.Text(IDC_STATUS_PERIOD), L"1234");
    EXPECT_EQ(page.Selection(IDC_PERIODIC_STATUS), kNoSelection);
    EXPECT_EQ(page.Text(IDC_START_DOC), L"own");
    EXPECT_EQ(page.Text(IDC_START_PAGE), L"");
    EXPECT_EQ(page.Selection(IDC_CASH_DRAWER1), 1);
    EXPECT_FALSE(page.Enabled(IDC_CASH_DRAWER2));
}

TEST_F(PageTest, APrinterNameThatWouldReachAnotherKeyOpensNoPrinterKey) {
    PutDefaults();
    // "..\..\Monitors\BrimcoteLM" would otherwise read the defaults as this printer's values.
    PutString(MonitorKey() + L"\\PrinterDriverData", schema::kStartDocString.wide, L"wrong key");
    TestPage page(L"..\\..\\Monitors\\BrimcoteLM");
    EXPECT_EQ(page.Text(IDC_START_DOC), L"");
    for (const StoreCall& call : store_->calls()) {
        EXPECT_EQ(call.target.find(L"Printers"), std::wstring::npos) << call.target.c_str();
    }
    DeleteKeyTree(MonitorKey() + L"\\PrinterDriverData");
}

TEST_F(PageTest, LoadingLeavesThePageCleanWhateverItsStateBefore) {
    PutDefaults();
    TestPage page(kTestPrinter);
    page.Type(IDC_START_DOC, L"typed");
    ASSERT_TRUE(page.SaveAndRefreshEnabled());
    LoadPageSettings(page.window(), page.record());
    EXPECT_FALSE(page.SaveAndRefreshEnabled());
    // A change after the load is noticed again: the pending flag was cleared too.
    page.Type(IDC_START_DOC, L"again");
    EXPECT_TRUE(page.SaveAndRefreshEnabled());
}

TEST_F(PageTest, ALoadReadsEachValueOnceMoreOnlyForItsDefaultAndClosesItsKeys) {
    PutDefaults();
    PutString(PrinterKey(), schema::kStartDocString.wide, L"own");  // found: no default read
    PutString(PrinterKey(), schema::kEndOfDocKnifeCut.wide, L"NO");
    TestPage page(kTestPrinter);
    store_->Clear();
    LoadPageSettings(page.window(), page.record());

    EXPECT_EQ(store_->successfulOpens(), 2);
    EXPECT_EQ(store_->closes(), 2);
    EXPECT_EQ(store_->CallsOf(StoreOp::kOpenForRead).size(), 2u);
    EXPECT_TRUE(store_->CallsOf(StoreOp::kSet).empty());
    // 2 shared + 8 printer values + 6 defaults for the 6 values the printer lacks.
    EXPECT_EQ(store_->CallsOf(StoreOp::kQuery).size(), 16u);
}

TEST_F(PageTest, EveryPathOfALoadClosesWhatItOpened) {
    PutDefaults();
    CreateKey(PrinterKey());
    for (const wchar_t* failing : {L"BrimcoteLM", L"PrinterDriverData", L"Brimcote"}) {
        SCOPED_TRACE(failing);
        RecordingStore failingStore;
        failingStore.Fail(StoreOp::kOpenForRead, failing);
        TestPage page(kTestPrinter);
        EXPECT_EQ(failingStore.openKeys(), 0);
    }
}

}  // namespace
