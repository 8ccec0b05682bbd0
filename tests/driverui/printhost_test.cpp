// printhost.exe run as a user runs it: it shows the plug-in's page for a printer, a change
// is typed and saved through the page's own message box, and the registry and the spooler
// show the result.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "driverui/page_texts.h"
#include "driverui/resource.h"
#include "settings/schema.h"
#include "tests/support/registry_fixture.h"
#include "tests/support/spooler_service.h"
#include "tools/printhost/plugin_host.h"

namespace {

using namespace std::chrono_literals;
using testing_support::DriverDataPath;
using testing_support::GetNumber;
using testing_support::GetString;
using testing_support::kTestPrinter;
using testing_support::PutNumber;
using testing_support::PutString;

constexpr auto kPatience = 60s;  // the spooler restart alone takes several seconds

// printhost.exe started for one printer; ended by its handle if a test leaves it running.
class HostProcess {
public:
    explicit HostProcess(const std::wstring& arguments) {
        std::wstring commandLine =
            L"\"" + printhost::PathBesideExecutable(L"printhost.exe") + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &process_)) {
            CloseHandle(process_.hThread);
        } else {
            process_ = {};
        }
    }
    ~HostProcess() {
        if (process_.hProcess == nullptr) return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, 10000);
        }
        CloseHandle(process_.hProcess);
    }
    HostProcess(const HostProcess&) = delete;
    HostProcess& operator=(const HostProcess&) = delete;

    bool started() const { return process_.hProcess != nullptr; }
    DWORD id() const { return process_.dwProcessId; }
    // The exit status, or STILL_ACTIVE when it has not ended within the wait.
    DWORD WaitForExit(DWORD milliseconds) const {
        WaitForSingleObject(process_.hProcess, milliseconds);
        DWORD status = STILL_ACTIVE;
        GetExitCodeProcess(process_.hProcess, &status);
        return status;
    }

private:
    PROCESS_INFORMATION process_{};
};

bool WaitUntil(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(100ms);
    }
    return true;
}

// A visible top-level dialog window of `processId` whose title is exactly `title`.
HWND FindDialog(DWORD processId, const std::wstring& title) {
    struct Search {
        DWORD processId;
        const std::wstring* title;
        HWND found;
    } search{processId, &title, nullptr};
    EnumWindows(
        [](HWND window, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t text[256] = {};
            wchar_t className[32] = {};
            GetWindowTextW(window, text, 256);
            GetClassNameW(window, className, 32);
            if (owner == s->processId && IsWindowVisible(window) &&
                std::wstring(className) == L"#32770" && *s->title == text) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A control's current text. GetWindowText would answer a window of another process with
// the text it was created with, so the control itself is asked.
std::wstring ControlText(HWND control) {
    wchar_t text[256] = {};
    SendMessageW(control, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring SheetTitle() { return std::wstring(L"Properties for ") + kTestPrinter; }

// The test printer with values of its own over a few defaults, and printhost showing its
// Properties; the steps drive the page as a user does.
class PrintHostTest : public testing::Test {
protected:
    void SetUp() override {
        testing_support::ResetRegistry();
        const std::wstring monitor = schema::kLanguageMonitorKey.wide;
        PutString(monitor, schema::kPeriodicStatus.wide, L"ENABLE");
        PutNumber(monitor, schema::kStatusInterval.wide, 5000);
        PutString(monitor, schema::kDefaultStartDoc.wide, L"[ESC]@");
        PutNumber(monitor, schema::kDefaultLineFeeds.wide, 4);
        PutString(printer_, schema::kStartDocString.wide, L"[ESC]<64>");
        PutNumber(printer_, schema::kEndOfDocLineFeeds.wide, 3);
    }
    void TearDown() override { testing_support::ResetRegistry(); }

    // Starts printhost for the test printer and finds its sheet and the plug-in's page.
    void OpenProperties() {
        host_ = std::make_unique<HostProcess>(std::wstring(L"--close-after 300000 \"") +
                                              kTestPrinter + L"\"");
        ASSERT_TRUE(host_->started());
        ASSERT_TRUE(WaitUntil([&] { return (sheet_ = FindDialog(host_->id(), SheetTitle())); }))
            << "no property sheet titled with the printer's name";
        page_ = PropSheet_GetCurrentPageHwnd(sheet_);
        ASSERT_NE(page_, nullptr);
    }
    HWND Control(int id) const { return GetDlgItem(page_, id); }
    std::wstring Shown(int id) const { return ControlText(Control(id)); }

    // Replaces an edit's text as typing does: the modified flag is set and the page is told.
    void Type(int id, const wchar_t* text) {
        SendMessageW(Control(id), EM_SETSEL, 0, -1);
        SendMessageW(Control(id), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    }

    // Clicks a command button, answers Yes in the real message box it raises in the host's
    // process, and returns once the page's thread has finished the whole command.
    void RunCommandAnsweringYes(int button, const wchar_t* question) {
        PostMessageW(page_, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Control(button)));
        HWND box = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (box = FindDialog(host_->id(), question)); }))
            << "no question " << testing::PrintToString(std::wstring(question));
        HWND yes = GetDlgItem(box, IDYES);
        ASSERT_NE(yes, nullptr);
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), reinterpret_cast<LPARAM>(yes));
        ASSERT_TRUE(WaitUntil([&] { return FindDialog(host_->id(), question) == nullptr; }));
        // Sent messages wait for the command handler to return: after the values are
        // written, the spooler restarted and the page loaded again.
        DWORD_PTR ignored = 0;
        ASSERT_NE(SendMessageTimeoutW(page_, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &ignored), 0);
    }

    // Cancel closes the sheet; the host then checks that the plug-in let go of everything.
    DWORD CloseProperties() {
        PostMessageW(sheet_, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        return host_->WaitForExit(30000);
    }

    const std::wstring printer_ = DriverDataPath(kTestPrinter);
    std::unique_ptr<HostProcess> host_;
    HWND sheet_ = nullptr;
    HWND page_ = nullptr;
};

TEST_F(PrintHostTest, ShowsThePageForThePrinterAndASaveReachesTheRegistry) {
    ASSERT_NO_FATAL_FAILURE(OpenProperties());
    wchar_t tab[64] = {};
    GetWindowTextW(page_, tab, 64);
    EXPECT_STREQ(tab, L"Brimcote Printer Properties");
    EXPECT_EQ(Shown(IDC_START_DOC), L"[ESC]<64>");
    EXPECT_EQ(Shown(IDC_LINE_FEEDS), L"3");
    EXPECT_EQ(Shown(IDC_STATUS_PERIOD), L"5000");
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_SAVE)));

    Type(IDC_START_DOC, L"[ESC]<27>[ESC]v");
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(Control(IDC_SAVE)) != FALSE; }));
    ASSERT_NO_FATAL_FAILURE(RunCommandAnsweringYes(IDC_SAVE, page_text::kConfirmSave.caption));

    EXPECT_EQ(GetString(printer_, schema::kStartDocString.wide), std::wstring(L"[ESC]<27>[ESC]v"));
    EXPECT_EQ(GetNumber(printer_, schema::kEndOfDocLineFeeds.wide), 3);
    EXPECT_EQ(GetString(schema::kLanguageMonitorKey.wide, schema::kPeriodicStatus.wide),
              std::wstring(L"ENABLE"));
    EXPECT_EQ(GetNumber(schema::kLanguageMonitorKey.wide, schema::kStatusInterval.wide), 5000);
    EXPECT_EQ(testing_support::SpoolerState(), static_cast<DWORD>(SERVICE_RUNNING));
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_SAVE)));

    EXPECT_EQ(CloseProperties(), 0u);
}

TEST_F(PrintHostTest, RefreshDiscardsTypingAndRestoreShowsTheDefaults) {
    ASSERT_NO_FATAL_FAILURE(OpenProperties());
    Type(IDC_START_DOC, L"[ESC]typed");
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(Control(IDC_REFRESH)) != FALSE; }));
    ASSERT_NO_FATAL_FAILURE(
        RunCommandAnsweringYes(IDC_REFRESH, page_text::kConfirmRefresh.caption));
    EXPECT_EQ(Shown(IDC_START_DOC), L"[ESC]<64>");
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_REFRESH)));

    ASSERT_NO_FATAL_FAILURE(
        RunCommandAnsweringYes(IDC_RESTORE, page_text::kConfirmRestore.caption));
    EXPECT_EQ(GetString(printer_, schema::kStartDocString.wide), std::nullopt);
    EXPECT_EQ(GetNumber(printer_, schema::kEndOfDocLineFeeds.wide), std::nullopt);
    EXPECT_EQ(Shown(IDC_START_DOC), L"[ESC]@");
    EXPECT_EQ(Shown(IDC_LINE_FEEDS), L"4");

    EXPECT_EQ(CloseProperties(), 0u);
}

TEST_F(PrintHostTest, SavesAScreenshotOfTheSheetAndCloses) {
    wchar_t folder[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, folder), 0u);
    const std::wstring path = std::wstring(folder) + L"printhost_test.bmp";
    DeleteFileW(path.c_str());

    HostProcess host(L"--screenshot \"" + path + L"\" \"" + kTestPrinter + L"\"");
    ASSERT_TRUE(host.started());
    EXPECT_EQ(host.WaitForExit(60000), 0u);

    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    BITMAPFILEHEADER fileHeader{};
    BITMAPINFOHEADER info{};
    DWORD read = 0;
    EXPECT_TRUE(ReadFile(file, &fileHeader, sizeof fileHeader, &read, nullptr));
    EXPECT_TRUE(ReadFile(file, &info, sizeof info, &read, nullptr));
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    CloseHandle(file);
    DeleteFileW(path.c_str());

    EXPECT_EQ(fileHeader.bfType, 0x4D42);
    EXPECT_EQ(fileHeader.bfSize, static_cast<DWORD>(size.QuadPart));
    // At least the page's 286 x 287 dialog units, whatever the font.
    EXPECT_GT(info.biWidth, 300);
    EXPECT_GT(info.biHeight, 300);
    EXPECT_EQ(info.biBitCount, 24);
}

TEST(PrintHost, RefusesToRunWithoutAPrinterName) {
    HostProcess host(L"");
    ASSERT_TRUE(host.started());
    EXPECT_EQ(host.WaitForExit(30000), 2u);
}

}  // namespace
