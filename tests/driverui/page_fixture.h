// A property page created from resource 106 with its dialog procedure, as a property
// sheet creates it, with scripted message boxes and a recorded spooler.
#pragma once

#include "driverui/message_box.h"
#include "driverui/oem_interfaces.h"
#include "driverui/page_context.h"
#include "driverui/page_texts.h"
#include "tests/support/recording_spooler.h"
#include "tests/support/recording_store.h"
#include "tests/support/registry_fixture.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <prsht.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace page_testing {

// Records every message box and answers from a script; an unscripted box answers IDCANCEL.
class ScriptedMessageBoxes final : public page_ui::MessageBoxes {
public:
    struct Shown {
        std::wstring text;
        std::wstring caption;
        UINT type;
    };
    ScriptedMessageBoxes() : previous_(page_ui::ReplaceMessageBoxes(this)) {}
    ~ScriptedMessageBoxes() override { page_ui::ReplaceMessageBoxes(previous_); }

    void Answer(int button) { answers_.push_back(button); }
    const std::vector<Shown>& shown() const { return shown_; }
    void Clear() { shown_.clear(); }
    int Show(HWND, const wchar_t* text, const wchar_t* caption, UINT type) override {
        shown_.push_back({text, caption, type});
        if (answers_.empty()) return IDCANCEL;
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

private:
    page_ui::MessageBoxes* previous_;
    std::deque<int> answers_;
    std::vector<Shown> shown_;
};

// Checks that exactly `message` was shown, once, since the last Clear.
void ExpectShownOnly(const ScriptedMessageBoxes& boxes, const page_text::Message& message);
// Checks that `question` and then `message` were shown, and nothing else.
void ExpectAnsweredThenShown(const ScriptedMessageBoxes& boxes, const page_text::Message& question,
                             const page_text::Message& message);

// One page for one printer, inside a parent window of its own (the page template is a
// child dialog, as property pages are).
class TestPage {
public:
    explicit TestPage(const wchar_t* printer, HANDLE heap = GetProcessHeap());
    ~TestPage();
    TestPage(const TestPage&) = delete;
    TestPage& operator=(const TestPage&) = delete;

    HWND window() const { return page_; }
    HWND control(int id) const { return GetDlgItem(page_, id); }
    const PROPSHEETPAGEW* record() const { return &record_; }

    std::wstring Text(int id) const;
    int Selection(int id) const;  // CB_GETCURSEL
    bool Enabled(int id) const { return IsWindowEnabled(control(id)) != FALSE; }
    bool SaveAndRefreshEnabled() const;

    // As the user: typing replaces a field's text and sets its modified flag.
    void Type(int id, const std::wstring& text);
    void TypeIntoCombo(int id, const std::wstring& text);
    void Choose(int id, int index);  // picks a combo item, as a click in its list does
    void Click(int id);              // a button click reaching the page
    // As a program: text set without the modified flag.
    void SetText(int id, const std::wstring& text);

private:
    std::wstring printer_;
    HWND parent_ = nullptr;
    HWND page_ = nullptr;
    OEMUIPSPARAM param_{};
    PageContext context_{};
    PROPSHEETPAGEW record_{};
};

// Each test starts from a registry without the settings, with scripted boxes, a recorded
// spooler and a recording store.
class PageTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { testing_support::ResetRegistry(); }

    // Stores a typical set of shared settings and defaults.
    static void PutDefaults();
    static std::wstring MonitorKey();
    static std::wstring PrinterKey(const wchar_t* printer = testing_support::kTestPrinter);

    std::vector<std::wstring> journal_;
    ScriptedMessageBoxes boxes_;
    testing_support::RecordingSpooler spooler_;
    std::unique_ptr<testing_support::RecordingStore> store_;
};

}  // namespace page_testing
