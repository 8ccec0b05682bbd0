// A property page for tests, created and driven with real window messages.
#include "tests/driverui/page_fixture.h"

#include "driverui/property_page.h"
#include "driverui/resource.h"
#include "settings/schema.h"

#include <commctrl.h>

namespace page_testing {

using namespace testing_support;

void ExpectShownOnly(const ScriptedMessageBoxes& boxes, const page_text::Message& message) {
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, message.text);
    EXPECT_EQ(boxes.shown()[0].caption, message.caption);
    EXPECT_EQ(boxes.shown()[0].type, message.type);
}

void ExpectAnsweredThenShown(const ScriptedMessageBoxes& boxes, const page_text::Message& question,
                             const page_text::Message& message) {
    ASSERT_EQ(boxes.shown().size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const page_text::Message& expected = i == 0 ? question : message;
        EXPECT_EQ(boxes.shown()[i].text, expected.text);
        EXPECT_EQ(boxes.shown()[i].caption, expected.caption);
        EXPECT_EQ(boxes.shown()[i].type, expected.type);
    }
}

TestPage::TestPage(const wchar_t* printer, HANDLE heap) : printer_(printer) {
    param_.cbSize = sizeof param_;
    param_.pPrinterName = printer_.data();
    param_.hOEMHeap = heap;
    context_.oemParam = &param_;
    record_.dwSize = sizeof record_;
    record_.hInstance = GetModuleHandleW(nullptr);
    record_.pszTemplate = MAKEINTRESOURCEW(IDD_PRINTER_PROPERTIES);
    record_.pfnDlgProc = PageDialogProc;
    record_.lParam = reinterpret_cast<LPARAM>(&context_);

    parent_ = CreateWindowExW(0, WC_STATICW, L"sheet", WS_OVERLAPPEDWINDOW, 0, 0, 640, 720, nullptr,
                              nullptr, nullptr, nullptr);
    page_ = CreateDialogParamW(record_.hInstance, record_.pszTemplate, parent_, PageDialogProc,
                               reinterpret_cast<LPARAM>(&record_));
    if (page_ == nullptr) ADD_FAILURE() << "the page was not created: " << GetLastError();
}

TestPage::~TestPage() {
    if (page_ != nullptr) DestroyWindow(page_);
    if (parent_ != nullptr) DestroyWindow(parent_);
}

std::wstring TestPage::Text(int id) const {
    const int length = GetWindowTextLengthW(control(id));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(control(id), text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

int TestPage::Selection(int id) const {
    return static_cast<int>(SendMessageW(control(id), CB_GETCURSEL, 0, 0));
}

bool TestPage::SaveAndRefreshEnabled() const {
    const bool save = Enabled(IDC_SAVE);
    EXPECT_EQ(save, Enabled(IDC_REFRESH)) << "Save and Refresh go together";
    return save;
}

void TestPage::Type(int id, const std::wstring& text) {
    SendMessageW(control(id), EM_SETSEL, 0, -1);
    SendMessageW(control(id), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TestPage::TypeIntoCombo(int id, const std::wstring& text) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(control(id), &info));
    SendMessageW(info.hwndItem, EM_SETSEL, 0, -1);
    SendMessageW(info.hwndItem, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TestPage::Choose(int id, int index) {
    SendMessageW(control(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(page_, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(control(id)));
}

void TestPage::Click(int id) {
    SendMessageW(page_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(control(id)));
}

void TestPage::SetText(int id, const std::wstring& text) {
    SetWindowTextW(control(id), text.c_str());
}

void PageTest::SetUp() {
    ResetRegistry();
    store_ = std::make_unique<RecordingStore>();
    store_->JournalInto(&journal_);
    spooler_.JournalInto(&journal_);
}

std::wstring PageTest::MonitorKey() { return schema::kLanguageMonitorKey.wide; }
std::wstring PageTest::PrinterKey(const wchar_t* printer) { return DriverDataPath(printer); }

void PageTest::PutDefaults() {
    const std::wstring key = MonitorKey();
    PutString(key, schema::kPeriodicStatus.wide, L"ENABLE");
    PutNumber(key, schema::kStatusInterval.wide, 5000);
    PutString(key, schema::kDefaultStartDoc.wide, L"[ESC]@");
    PutString(key, schema::kDefaultStartPage.wide, L"<0x1B>2");
    PutString(key, schema::kDefaultEndDoc.wide, L"[ESC]d<3>");
    PutString(key, schema::kDefaultSkipFirstStartPage.wide, L"NO");
    PutString(key, schema::kDefaultKnifeCut.wide, L"YES");
    PutString(key, schema::kDefaultCashDrawer1.wide, L"NO");
    PutString(key, schema::kDefaultCashDrawer2.wide, L"YES");
    PutNumber(key, schema::kDefaultLineFeeds.wide, 4);
}

}  // namespace page_testing
