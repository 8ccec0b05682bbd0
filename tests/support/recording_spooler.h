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

    // Events in order: the command's text, or "wait <ms>".
    const std::vector<std::wstring>& events() const { return *journal_; }
    // Shares a journal with a RecordingStore, so that tests see both in one order.
    void JournalInto(std::vector<std::wstring>* journal) { journal_ = journal; }

    void Run(const spooler::Command& command) override { journal_->push_back(command.text); }
    void Wait(DWORD milliseconds) override {
        journal_->push_back(L"wait " + std::to_wstring(milliseconds));
    }

private:
    spooler::SpoolerControl* previous_;
    std::vector<std::wstring> own_;
    std::vector<std::wstring>* journal_ = &own_;
};

}  // namespace testing_support
