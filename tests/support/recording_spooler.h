// A spooler control for tests: records each command and wait instead of running it.
#pragma once

#include "settings/spooler.h"

#include <string>
#include <vector>

namespace testing_support {

class RecordingSpooler final : public spooler::SpoolerControl {
public:
    // Puts itself in place of the spooler control in use until it is destroyed.
    RecordingSpooler() : previous_(spooler::ReplaceControl(this)) {}
    ~RecordingSpooler() override { spooler::ReplaceControl(previous_); }
    RecordingSpooler(const RecordingSpooler&) = delete;
    RecordingSpooler& operator=(const RecordingSpooler&) = delete;

    // Its own events in order: the command's text, or "wait <ms>".
    const std::vector<std::wstring>& events() const { return events_; }
    void Clear() { events_.clear(); }
    // Also appends each event to a journal shared with a RecordingStore, so that tests
    // see both in one order.
    void JournalInto(std::vector<std::wstring>* journal) { journal_ = journal; }

    void Run(const spooler::Command& command) override { Record(command.text); }
    void Wait(DWORD milliseconds) override { Record(L"wait " + std::to_wstring(milliseconds)); }

private:
    void Record(const std::wstring& event) {
        events_.push_back(event);
        if (journal_ != nullptr) journal_->push_back(event);
    }

    spooler::SpoolerControl* previous_;
    std::vector<std::wstring> events_;
    std::vector<std::wstring>* journal_ = nullptr;
};

}  // namespace testing_support
