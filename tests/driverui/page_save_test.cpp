// Saving the page: the checks, the values written, and what follows a failure.
#include "tests/driverui/page_fixture.h"

#include "driverui/property_page.h"
#include "driverui/resource.h"
#include "settings/schema.h"

#include <cstring>
#include <string>
#include <vector>

using namespace page_testing;
using namespace testing_support;

namespace {

std::vector<BYTE> StringBytes(const std::wstring& text) {
    std::vector<BYTE> bytes((text.size() + 1) * sizeof(wchar_t));
    std::memcpy(bytes.data(), text.c_str(), bytes.size());
    return bytes;
}

std::vector<BYTE> NumberBytes(std::int32_t number) {
    std::vector<BYTE> bytes(4);
    std::memcpy(bytes.data(), &number, 4);
    return bytes;
}

class PageSaveTest : public PageTest {
protected:
    // A page for the test printer showing a complete, valid set of values.
    void FillPage(TestPage& page) {
        page.Choose(IDC_PERIODIC_STATUS, 3);  // OFF
        page.Type(IDC_STATUS_PERIOD, L"2500");
        page.Choose(IDC_KNIFE_CUT, 1);
        page.Choose(IDC_SKIP_FIRST_PAGE, 0);
        page.Choose(IDC_CASH_DRAWER1, 1);
        page.Choose(IDC_CASH_DRAWER2, 0);
        page.Type(IDC_LINE_FEEDS, L"6");
        page.Type(IDC_START_DOC, L"[ESC]@");
        page.Type(IDC_END_DOC, L"");
        page.Type(IDC_START_PAGE, L"<27><0x40>");
    }
    bool Save(TestPage& page) { return SavePageSettings(page.window(), page.record()); }
};

TEST_F(PageSaveTest, WritesEachShownValueInOrderWithItsTypeAndSize) {
    PutDefaults();  // enables both drawers
    TestPage page(kTestPrinter);
    FillPage(page);
    store_->Clear();

    ASSERT_TRUE(Save(page));

    struct Written {
        const wchar_t* name;
        DWORD type;
        std::vector<BYTE> data;
    };
    const Written expected[] = {
        {schema::kPeriodicStatus.wide, REG_SZ, StringBytes(L"OFF")},
        {schema::kStatusInterval.wide, REG_DWORD, NumberBytes(2500)},
        {schema::kEndOfDocKnifeCut.wide, REG_SZ, StringBytes(L"YES")},
        {schema::kSkipFirstStartPage.wide, REG_SZ, StringBytes(L"YES")},
        {schema::kCashDrawer1.wide, REG_SZ, StringBytes(L"YES")},
        {schema::kCashDrawer2.wide, REG_SZ, StringBytes(L"NO")},
        {schema::kEndOfDocLineFeeds.wide, REG_DWORD, NumberBytes(6)},
        {schema::kStartDocString.wide, REG_SZ, StringBytes(L"[ESC]@")},
        {schema::kEndDocString.wide, REG_SZ, StringBytes(L"")},
        {schema::kStartPageString.wide, REG_SZ, StringBytes(L"<27><0x40>")},
    };
    const std::vector<StoreCall> sets = store_->CallsOf(StoreOp::kSet);
    ASSERT_EQ(sets.size(), std::size(expected));
    for (std::size_t i = 0; i < sets.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(sets[i].target, expected[i].name);
        EXPECT_EQ(sets[i].type, expected[i].type);
        EXPECT_EQ(sets[i].data, expected[i].data);
    }
    // The save itself touches no spooler; the Save command restarts it afterwards.
    EXPECT_TRUE(spooler_.events().empty());
    EXPECT_EQ(GetString(PrinterKey(), schema::kEndDocString.wide), L"");
    EXPECT_FALSE(page.SaveAndRefreshEnabled());
    EXPECT_EQ(page.Text(IDC_END_DOC), L"");  // an emptied command stays empty, no default
}

TEST_F(PageSaveTest, ASaveOpensEachKeyOnceAndClosesBoth) {
    TestPage page(kTestPrinter);
    FillPage(page);
    store_->Clear();
    ASSERT_TRUE(Save(page));
    const auto creates = store_->CallsOf(StoreOp::kCreate);
    ASSERT_EQ(creates.size(), 2u);
    EXPECT_NE(creates[0].target.find(L"BrimcoteLM"), std::wstring::npos);
    EXPECT_NE(creates[1].target.find(kTestPrinter), std::wstring::npos);
    EXPECT_EQ(store_->openKeys(), 0);
    EXPECT_TRUE(KeyExists(PrinterKey()));  // created when missing
}

struct Refusal {
    const wchar_t* statusPeriod;
    const wchar_t* lineFeeds;
    const page_text::Message* message;
};

const Refusal kRefusals[] = {
    {L"", L"", &page_text::kStatusPeriodEmpty},  // the first failing check wins
    {L"999", L"1", &page_text::kStatusPeriodOutOfRange},
    {L"30001", L"1", &page_text::kStatusPeriodOutOfRange},
    {L"99999999999", L"1", &page_text::kStatusPeriodOutOfRange},  // not wrapped into range
    {L"1000", L"", &page_text::kLineFeedsEmpty},
    {L"1000", L"10001", &page_text::kLineFeedsOutOfRange},
    {L"1000", L"-1", &page_text::kLineFeedsOutOfRange},
    {L"1000", L"4294967297", &page_text::kLineFeedsOutOfRange},
};

TEST_F(PageSaveTest, ARefusedNumberWritesNothingAndReloads) {
    PutDefaults();
    CreateKey(PrinterKey());
    for (const Refusal& r : kRefusals) {
        SCOPED_TRACE(testing::Message()
                     << "status '" << r.statusPeriod << "' feeds '" << r.lineFeeds << "'");
        TestPage page(kTestPrinter);
        // Program-set text reaches the field even where typing would refuse a minus sign.
        page.SetText(IDC_STATUS_PERIOD, r.statusPeriod);
        page.SetText(IDC_LINE_FEEDS, r.lineFeeds);
        page.Type(IDC_START_DOC, L"unsaved");
        store_->Clear();
        boxes_.Clear();

        EXPECT_FALSE(Save(page));
        ExpectShownOnly(boxes_, *r.message);
        EXPECT_TRUE(store_->CallsOf(StoreOp::kSet).empty());
        EXPECT_TRUE(store_->CallsOf(StoreOp::kCreate).empty());
        EXPECT_EQ(page.Text(IDC_STATUS_PERIOD), L"5000");  // reloaded
        EXPECT_EQ(page.Text(IDC_START_DOC), L"[ESC]@");
        EXPECT_FALSE(page.SaveAndRefreshEnabled());
    }
}

TEST_F(PageSaveTest, TheRangesIncludeBothEndsAndTakeTheLeadingNumber) {
    const std::pair<const wchar_t*, const wchar_t*> accepted[] = {
        {L"1000", L"0"}, {L"30000", L"10000"}, {L"5000ms", L"3 feeds"}};
    for (const auto& [status, feeds] : accepted) {
        TestPage page(kTestPrinter);
        page.SetText(IDC_STATUS_PERIOD, status);
        page.SetText(IDC_LINE_FEEDS, feeds);
        EXPECT_TRUE(Save(page)) << status;
        EXPECT_EQ(GetNumber(MonitorKey(), schema::kStatusInterval.wide),
                  std::stoi(std::wstring(status)));
        EXPECT_EQ(GetNumber(PrinterKey(), schema::kEndOfDocLineFeeds.wide),
                  std::stoi(std::wstring(feeds)));
    }
}

TEST_F(PageSaveTest, EmptyCombosWriteNothingAndTypedTextIsWrittenVerbatim) {
    PutString(PrinterKey(), schema::kSkipFirstStartPage.wide, L"KEEP ME");
    TestPage page(kTestPrinter);
    page.SetText(IDC_STATUS_PERIOD, L"1000");
    page.SetText(IDC_LINE_FEEDS, L"1");
    page.TypeIntoCombo(IDC_KNIFE_CUT, L"maybe");
    ASSERT_TRUE(Save(page));
    EXPECT_EQ(GetString(PrinterKey(), schema::kEndOfDocKnifeCut.wide), L"maybe");
    EXPECT_EQ(GetString(PrinterKey(), schema::kSkipFirstStartPage.wide), L"KEEP ME");
    EXPECT_FALSE(GetValue(PrinterKey(), schema::kCashDrawer1.wide));
    EXPECT_FALSE(GetValue(MonitorKey(), schema::kPeriodicStatus.wide));
    EXPECT_EQ(page.Selection(IDC_KNIFE_CUT), CB_ERR);  // "maybe" matches no item
}

TEST_F(PageSaveTest, ADisabledDrawerWithTextIsWrittenLikeAnEnabledOne) {
    TestPage page(kTestPrinter);
    ASSERT_FALSE(page.Enabled(IDC_CASH_DRAWER2));
    page.SetText(IDC_CASH_DRAWER2, L"NO");
    page.SetText(IDC_STATUS_PERIOD, L"1000");
    page.SetText(IDC_LINE_FEEDS, L"1");
    ASSERT_TRUE(Save(page));
    EXPECT_EQ(GetString(PrinterKey(), schema::kCashDrawer2.wide), L"NO");
}

TEST_F(PageSaveTest, WhenTheLanguageMonitorKeyCannotBeOpenedNothingIsWritten) {
    TestPage page(kTestPrinter);
    FillPage(page);
    store_->Fail(StoreOp::kCreate, L"BrimcoteLM");
    store_->Clear();
    EXPECT_FALSE(Save(page));
    ExpectShownOnly(boxes_, page_text::kLanguageMonitorKeyFailed);
    EXPECT_TRUE(store_->CallsOf(StoreOp::kSet).empty());
    EXPECT_EQ(store_->openKeys(), 0);
}

TEST_F(PageSaveTest, WhenThePrintersKeyCannotBeOpenedTheSharedValuesStayWritten) {
    TestPage page(kTestPrinter);
    FillPage(page);
    store_->Fail(StoreOp::kCreate, L"PrinterDriverData");
    EXPECT_FALSE(Save(page));
    ExpectShownOnly(boxes_, page_text::kPrinterKeyFailed);
    EXPECT_EQ(GetString(MonitorKey(), schema::kPeriodicStatus.wide), L"OFF");
    EXPECT_EQ(GetNumber(MonitorKey(), schema::kStatusInterval.wide), 2500);
    EXPECT_FALSE(KeyExists(PrinterKey()));
    EXPECT_EQ(store_->openKeys(), 0);
}

TEST_F(PageSaveTest, WhenTheHeapHasNoRoomTheSaveStopsWithoutCrashing) {
    // A heap that cannot grow, filled until it refuses.
    HANDLE heap = HeapCreate(0, 0, 64 * 1024);
    ASSERT_NE(heap, nullptr);
    for (SIZE_T size : {4096, 256, 16, 1}) {
        while (HeapAlloc(heap, 0, size) != nullptr) {
        }
    }
    {
        TestPage page(kTestPrinter, heap);
        FillPage(page);
        EXPECT_FALSE(Save(page));
        ExpectShownOnly(boxes_, page_text::kOutOfMemory);
        EXPECT_FALSE(GetValue(PrinterKey(), schema::kStartDocString.wide));
        EXPECT_FALSE(page.SaveAndRefreshEnabled());
        EXPECT_EQ(store_->openKeys(), 0);
    }
    HeapDestroy(heap);
}

}  // namespace

namespace {

TEST_F(PageSaveTest, EverySavedValueIsShownAgainByAFreshPage) {
    {
        TestPage page(kTestPrinter);
        FillPage(page);
        ASSERT_TRUE(Save(page));
    }
    // Defaults that differ from every saved printer value, so that none shows instead.
    PutDefaults();
    TestPage fresh(kTestPrinter);
    EXPECT_EQ(fresh.Selection(IDC_PERIODIC_STATUS), 2);  // shared: PutDefaults wrote it again
    EXPECT_EQ(fresh.Selection(IDC_KNIFE_CUT), 1);
    EXPECT_EQ(fresh.Selection(IDC_SKIP_FIRST_PAGE), 0);
    EXPECT_EQ(fresh.Selection(IDC_CASH_DRAWER1), 1);
    EXPECT_EQ(fresh.Selection(IDC_CASH_DRAWER2), 0);
    EXPECT_EQ(fresh.Text(IDC_LINE_FEEDS), L"6");
    EXPECT_EQ(fresh.Text(IDC_START_DOC), L"[ESC]@");
    EXPECT_EQ(fresh.Text(IDC_END_DOC), L"");
    EXPECT_EQ(fresh.Text(IDC_START_PAGE), L"<27><0x40>");
}

TEST_F(PageSaveTest, APrinterNameThatWouldReachAnotherKeyIsNeverWritten) {
    for (const wchar_t* name : {L"", L"..\\..\\Monitors\\BrimcoteLM", L"Receipt,LocalOnly"}) {
        SCOPED_TRACE(testing::Message() << "printer '" << name << "'");
        TestPage page(name);
        FillPage(page);
        store_->Clear();
        boxes_.Clear();
        EXPECT_FALSE(Save(page));
        ExpectShownOnly(boxes_, page_text::kPrinterKeyFailed);
        const auto creates = store_->CallsOf(StoreOp::kCreate);
        ASSERT_EQ(creates.size(), 1u);  // the language-monitor key only
        EXPECT_EQ(creates[0].target, MonitorKey());
        EXPECT_FALSE(GetValue(MonitorKey(), schema::kStartDocString.wide));
    }
}

}  // namespace
