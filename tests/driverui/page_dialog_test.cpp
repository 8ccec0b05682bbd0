// The page's dialog procedure: opening, change tracking, and Save, Refresh and Restore.
#include "tests/driverui/page_fixture.h"
#include "tests/support/spooler_service.h"

#include "driverui/page_choices.h"
#include "driverui/property_page.h"
#include "driverui/resource.h"
#include "settings/schema.h"
#include "settings/spooler.h"

#include <string>
#include <vector>

using namespace page_testing;
using namespace testing_support;

namespace {

std::wstring ExeDirectory() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path);
    return dir.substr(0, dir.rfind(L'\\'));
}

// Sets an environment variable for the scope of one test.
class ScopedVariable {
public:
    ScopedVariable(const wchar_t* name, const wchar_t* value) : name_(name) {
        wchar_t old[32767];
        const DWORD length = GetEnvironmentVariableW(name, old, 32767);
        if (length > 0 && length < 32767) old_ = old;
        SetEnvironmentVariableW(name, value);
    }
    ~ScopedVariable() { SetEnvironmentVariableW(name_, old_.empty() ? nullptr : old_.c_str()); }

private:
    const wchar_t* name_;
    std::wstring old_;
};

// A Windows directory of the test's own, whose system32\brimlangmon.dll is `module`.
std::wstring FakeWindowsDirectory(const wchar_t* name, const wchar_t* module) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring windows = std::wstring(temp) + name;
    CreateDirectoryW(windows.c_str(), nullptr);
    CreateDirectoryW((windows + L"\\system32").c_str(), nullptr);
    CopyFileW((ExeDirectory() + L"\\" + module).c_str(),
              (windows + L"\\system32\\brimlangmon.dll").c_str(), FALSE);
    return windows;
}

TEST_F(PageTest, OpeningShowsTheDriverVersionAndTheLanguageMonitorsProductVersion) {
    const std::wstring fake = FakeWindowsDirectory(L"fakewin", L"fake_langmon.dll");
    const std::wstring longVersion = FakeWindowsDirectory(L"fakewin2", L"fake_langmon_long.dll");
    const std::wstring tooLong = L"C:\\" + std::wstring(260, L'w');
    // Fits the 256-character buffer by itself, but not with "\system32\brimlangmon.dll".
    const std::wstring tooLongWithModule = L"C:\\" + std::wstring(240, L'w');
    struct Case {
        const wchar_t* windir;
        const wchar_t* lmVersion;
    } cases[] = {
        {fake.c_str(), L"3.1.2.45"},  // the product version, not the file version
        {longVersion.c_str(), L"65535.65535.65"},
        {L"C:\\nowhere", L"Not Available"},
        {tooLong.c_str(), L"Not Available"},
        {tooLongWithModule.c_str(), L"Not Available"},
    };
    for (const Case& c : cases) {
        ScopedVariable windir(page_text::kWindowsDirectoryVariable, c.windir);
        TestPage page(kTestPrinter);
        EXPECT_EQ(page.Text(IDC_DRIVER_VERSION), L"3.0.1.6");
        EXPECT_EQ(page.Text(IDC_LM_VERSION), c.lmVersion);
    }
}

TEST_F(PageTest, WithoutWindirTheWindowsDirectoryComesFromTheSystem) {
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring installed = std::wstring(system) + L"\\brimlangmon.dll";
    ASSERT_TRUE(
        CopyFileW((ExeDirectory() + L"\\fake_langmon.dll").c_str(), installed.c_str(), FALSE));
    {
        ScopedVariable windir(page_text::kWindowsDirectoryVariable, nullptr);
        TestPage page(kTestPrinter);
        EXPECT_EQ(page.Text(IDC_LM_VERSION), L"3.1.2.45");
    }
    DeleteFileW(installed.c_str());
}

TEST_F(PageTest, EachComboBoxOffersItsSliceOfTheChoiceTableInOrder) {
    TestPage page(kTestPrinter);
    const std::pair<int, std::vector<std::wstring>> combos[] = {
        {IDC_PERIODIC_STATUS, {L"AUTO", L"DISABLE", L"ENABLE", L"OFF"}},
        {IDC_SKIP_FIRST_PAGE, {L"YES", L"NO"}},
        {IDC_KNIFE_CUT, {L"NO", L"YES"}},
        {IDC_CASH_DRAWER1, {L"NO", L"YES"}},
        {IDC_CASH_DRAWER2, {L"NO", L"YES"}},
    };
    for (const auto& [id, items] : combos) {
        std::vector<std::wstring> shown;
        const int count = static_cast<int>(SendMessageW(page.control(id), CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t item[32];
            SendMessageW(page.control(id), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
            shown.push_back(item);
        }
        EXPECT_EQ(shown, items) << id;
    }
}

TEST_F(PageTest, EveryChangeByTheUserEnablesSaveAndRefreshAndASecondKeepsThem) {
    PutDefaults();
    const int edits[] = {IDC_STATUS_PERIOD, IDC_START_DOC, IDC_START_PAGE, IDC_END_DOC,
                         IDC_LINE_FEEDS};
    const int combos[] = {IDC_PERIODIC_STATUS, IDC_KNIFE_CUT, IDC_SKIP_FIRST_PAGE, IDC_CASH_DRAWER1,
                          IDC_CASH_DRAWER2};
    for (int id : edits) {
        TestPage page(kTestPrinter);
        ASSERT_FALSE(page.SaveAndRefreshEnabled());
        page.Type(id, L"7");
        EXPECT_TRUE(page.SaveAndRefreshEnabled()) << id;
        page.Type(id, L"8");
        EXPECT_TRUE(page.SaveAndRefreshEnabled()) << id;
    }
    for (int id : combos) {
        TestPage chosen(kTestPrinter);
        chosen.Choose(id, 0);
        EXPECT_TRUE(chosen.SaveAndRefreshEnabled()) << id;
        TestPage typed(kTestPrinter);
        typed.TypeIntoCombo(id, L"Y");
        EXPECT_TRUE(typed.SaveAndRefreshEnabled()) << id;
        typed.TypeIntoCombo(id, L"YE");
        EXPECT_TRUE(typed.SaveAndRefreshEnabled()) << id;
    }
}

TEST_F(PageTest, TextSetByProgramIsNoChange) {
    TestPage page(kTestPrinter);
    page.SetText(IDC_START_DOC, L"set by a program");
    page.SetText(IDC_LINE_FEEDS, L"3");
    EXPECT_FALSE(page.SaveAndRefreshEnabled());
}

TEST_F(PageTest, SaveAndRefreshDoNothingWhileNoChangeIsPending) {
    TestPage page(kTestPrinter);
    page.Click(IDC_SAVE);
    page.Click(IDC_REFRESH);
    EXPECT_TRUE(boxes_.shown().empty());
    EXPECT_TRUE(store_->CallsOf(StoreOp::kSet).empty());
    EXPECT_TRUE(spooler_.events().empty());
}

TEST_F(PageTest, SaveAskedNoWritesNothingAndKeepsTheChanges) {
    PutDefaults();
    TestPage page(kTestPrinter);
    page.Type(IDC_START_DOC, L"typed");
    boxes_.Answer(IDNO);
    page.Click(IDC_SAVE);
    ExpectShownOnly(boxes_, page_text::kConfirmSave);
    EXPECT_TRUE(store_->CallsOf(StoreOp::kSet).empty());
    EXPECT_TRUE(spooler_.events().empty());
    EXPECT_EQ(page.Text(IDC_START_DOC), L"typed");
    EXPECT_TRUE(page.SaveAndRefreshEnabled());
}

TEST_F(PageTest, SaveAnsweredYesWritesThenRestartsTheSpoolerAndReloads) {
    PutDefaults();
    CreateKey(PrinterKey());
    TestPage page(kTestPrinter);
    page.Type(IDC_START_DOC, L"typed");
    journal_.clear();
    boxes_.Answer(IDYES);
    page.Click(IDC_SAVE);

    ExpectShownOnly(boxes_, page_text::kConfirmSave);
    EXPECT_EQ(GetString(PrinterKey(), schema::kStartDocString.wide), L"typed");
    const std::vector<std::wstring> restart = {L"net stop spooler", L"wait 2000",
                                               L"net start spooler"};
    EXPECT_EQ(spooler_.events(), restart);
    // Every write comes before the stop; the page is loaded again after the start.
    const auto stop = std::find(journal_.begin(), journal_.end(), L"net stop spooler");
    EXPECT_EQ(std::count_if(stop, journal_.end(),
                            [](const std::wstring& e) { return e.rfind(L"set ", 0) == 0; }),
              0);
    EXPECT_EQ(std::count(stop, journal_.end(), L"open-read " + MonitorKey()), 1);
    EXPECT_FALSE(page.SaveAndRefreshEnabled());
    EXPECT_EQ(store_->openKeys(), 0);
}

TEST_F(PageTest, ASaveRefusedAfterYesRestartsNoSpooler) {
    PutDefaults();
    TestPage page(kTestPrinter);
    page.Type(IDC_STATUS_PERIOD, L"500");
    boxes_.Answer(IDYES);
    page.Click(IDC_SAVE);
    ExpectAnsweredThenShown(boxes_, page_text::kConfirmSave, page_text::kStatusPeriodOutOfRange);
    EXPECT_TRUE(store_->CallsOf(StoreOp::kSet).empty());
    EXPECT_TRUE(spooler_.events().empty());
    EXPECT_EQ(page.Text(IDC_STATUS_PERIOD), L"5000");
}

TEST_F(PageTest, RefreshAnsweredNoKeepsTheChangesAndYesShowsTheStoredValues) {
    PutDefaults();
    CreateKey(PrinterKey());
    TestPage page(kTestPrinter);
    page.Type(IDC_LINE_FEEDS, L"77");
    boxes_.Answer(IDNO);
    page.Click(IDC_REFRESH);
    ExpectShownOnly(boxes_, page_text::kConfirmRefresh);
    EXPECT_EQ(page.Text(IDC_LINE_FEEDS), L"77");
    EXPECT_TRUE(page.SaveAndRefreshEnabled());

    boxes_.Clear();
    boxes_.Answer(IDYES);
    page.Click(IDC_REFRESH);
    EXPECT_EQ(page.Text(IDC_LINE_FEEDS), L"4");
    EXPECT_FALSE(page.SaveAndRefreshEnabled());
    EXPECT_TRUE(store_->CallsOf(StoreOp::kSet).empty());
}

TEST_F(PageTest, RestoreDeletesExactlyTheEightValuesAndShowsTheDefaults) {
    PutDefaults();
    const std::wstring key = PrinterKey();
    PutString(key, schema::kEndOfDocKnifeCut.wide, L"NO");
    PutString(key, schema::kStartDocString.wide, L"own");
    PutNumber(key, schema::kEndOfDocLineFeeds.wide, 9);
    PutString(key, L"SomethingElse", L"stays");
    TestPage page(kTestPrinter);
    ASSERT_EQ(page.Selection(IDC_KNIFE_CUT), 0);
    store_->Clear();

    boxes_.Answer(IDYES);
    page.Click(IDC_RESTORE);

    ExpectShownOnly(boxes_, page_text::kConfirmRestore);
    std::vector<std::wstring> deleted;
    for (const StoreCall& call : store_->CallsOf(StoreOp::kDelete)) deleted.push_back(call.target);
    std::vector<std::wstring> expected;
    for (const schema::Text& name : schema::kPrinterValuesInDeleteOrder)
        expected.push_back(name.wide);
    EXPECT_EQ(deleted, expected);
    EXPECT_EQ(ValueNames(key), std::vector<std::wstring>{L"SomethingElse"});
    EXPECT_EQ(page.Selection(IDC_KNIFE_CUT), 1);  // the default YES
    EXPECT_EQ(page.Text(IDC_START_DOC), L"[ESC]@");
    EXPECT_EQ(page.Text(IDC_LINE_FEEDS), L"4");
    EXPECT_EQ(GetString(MonitorKey(), schema::kPeriodicStatus.wide), L"ENABLE");
    EXPECT_TRUE(spooler_.events().empty());
    EXPECT_EQ(store_->openKeys(), 0);
}

TEST_F(PageTest, RestoreWorksWhetherOrNotChangesArePendingButOnlyOnYes) {
    PutString(PrinterKey(), schema::kStartDocString.wide, L"own");
    TestPage page(kTestPrinter);
    boxes_.Answer(IDNO);
    page.Click(IDC_RESTORE);
    EXPECT_EQ(GetString(PrinterKey(), schema::kStartDocString.wide), L"own");

    page.Type(IDC_START_DOC, L"typed");
    boxes_.Answer(IDYES);
    page.Click(IDC_RESTORE);
    EXPECT_FALSE(GetValue(PrinterKey(), schema::kStartDocString.wide));
    EXPECT_FALSE(page.SaveAndRefreshEnabled());
}

TEST_F(PageTest, RestoreWithoutThePrintersKeySaysSoAndReloads) {
    PutDefaults();
    TestPage page(kTestPrinter);
    page.Type(IDC_LINE_FEEDS, L"99");
    boxes_.Answer(IDYES);
    page.Click(IDC_RESTORE);
    ExpectAnsweredThenShown(boxes_, page_text::kConfirmRestore, page_text::kRestoreFailed);
    EXPECT_FALSE(KeyExists(PrinterKey()));
    EXPECT_FALSE(page.SaveAndRefreshEnabled());
}

TEST_F(PageTest, TheCommandFieldsTakeNoMoreThanALoadCanReadBack) {
    TestPage page(kTestPrinter);
    const std::wstring pasted(1500, L'p');
    for (int id : {IDC_START_DOC, IDC_START_PAGE, IDC_END_DOC}) {
        page.Type(id, pasted);
        EXPECT_EQ(page.Text(id).size(), 1023u) << id;
    }
    // Pasting from the clipboard is held to the same limit.
    ASSERT_TRUE(OpenClipboard(page.window()));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (pasted.size() + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(memory), pasted.c_str(), (pasted.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    page.SetText(IDC_END_DOC, L"");
    SendMessageW(page.control(IDC_END_DOC), WM_PASTE, 0, 0);
    EXPECT_EQ(page.Text(IDC_END_DOC).size(), 1023u);
}

TEST_F(PageTest, TwoPagesForTwoPrintersKeepTheirOwnPrinterAndButtons) {
    PutDefaults();
    PutNumber(PrinterKey(kOtherTestPrinter), schema::kEndOfDocLineFeeds.wide, 1);
    TestPage first(kTestPrinter);
    TestPage second(kOtherTestPrinter);
    second.Type(IDC_START_DOC, L"second's");
    EXPECT_FALSE(first.SaveAndRefreshEnabled());
    EXPECT_TRUE(second.SaveAndRefreshEnabled());

    // The first page's buttons are off, so a click there does nothing ...
    first.Click(IDC_SAVE);
    EXPECT_TRUE(boxes_.shown().empty());
    // ... and the second page's Save writes the second printer only.
    boxes_.Answer(IDYES);
    second.Click(IDC_SAVE);
    EXPECT_EQ(GetString(PrinterKey(kOtherTestPrinter), schema::kStartDocString.wide), L"second's");
    EXPECT_FALSE(KeyExists(PrinterKey(kTestPrinter)));
    EXPECT_FALSE(second.SaveAndRefreshEnabled());

    first.Type(IDC_LINE_FEEDS, L"5");
    boxes_.Answer(IDYES);
    first.Click(IDC_RESTORE);
    EXPECT_EQ(GetString(PrinterKey(kOtherTestPrinter), schema::kStartDocString.wide), L"second's");
}

TEST_F(PageTest, TheSheetsNotificationsAreNotAnswered) {
    TestPage page(kTestPrinter);
    page.Type(IDC_START_DOC, L"typed");
    for (UINT code : {PSN_APPLY, PSN_KILLACTIVE, PSN_RESET}) {
        PSHNOTIFY notify{};
        notify.hdr.hwndFrom = GetParent(page.window());
        notify.hdr.code = code;
        EXPECT_FALSE(
            PageDialogProc(page.window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify)));
    }
    EXPECT_TRUE(store_->CallsOf(StoreOp::kSet).empty());
    EXPECT_TRUE(page.SaveAndRefreshEnabled());
}

TEST_F(PageTest, OtherControlsAndNotificationsAreNotHandled) {
    TestPage page(kTestPrinter);
    EXPECT_FALSE(
        PageDialogProc(page.window(), WM_COMMAND, MAKEWPARAM(IDC_KNIFE_CUT, CBN_DROPDOWN), 0));
    EXPECT_FALSE(PageDialogProc(page.window(), WM_COMMAND, MAKEWPARAM(IDC_DRIVER_VERSION, 0), 0));
    EXPECT_TRUE(
        PageDialogProc(page.window(), WM_COMMAND, MAKEWPARAM(IDC_START_DOC, EN_SETFOCUS), 0));
    EXPECT_TRUE(PageDialogProc(page.window(), WM_COMMAND, MAKEWPARAM(IDC_SAVE, BN_SETFOCUS), 0));
    EXPECT_FALSE(page.SaveAndRefreshEnabled());
}

TEST(PageEndToEndTest, ASaveRestartsTheRealSpooler) {
    ResetRegistry();
    ScriptedMessageBoxes boxes;
    TestPage page(kTestPrinter);
    page.Type(IDC_STATUS_PERIOD, L"3000");
    page.Type(IDC_LINE_FEEDS, L"2");
    boxes.Answer(IDYES);
    page.Click(IDC_SAVE);
    EXPECT_EQ(GetNumber(schema::kLanguageMonitorKey.wide, schema::kStatusInterval.wide), 3000);

    EXPECT_EQ(SpoolerStateAfterStart(), static_cast<DWORD>(SERVICE_RUNNING));
    ResetRegistry();
}

}  // namespace

namespace {

TEST_F(PageTest, RestoreForAPrinterNameThatWouldReachAnotherKeyDeletesNothing) {
    PutDefaults();
    for (const wchar_t* name : {L"", L"..\\..\\Monitors\\BrimcoteLM"}) {
        TestPage page(name);
        boxes_.Clear();
        boxes_.Answer(IDYES);
        page.Click(IDC_RESTORE);
        ExpectAnsweredThenShown(boxes_, page_text::kConfirmRestore, page_text::kRestoreFailed);
        EXPECT_TRUE(store_->CallsOf(StoreOp::kDelete).empty());
        EXPECT_TRUE(store_->CallsOf(StoreOp::kOpenForWrite).empty());
    }
}

}  // namespace
