// Stopping and starting the print spooler service after a save.
#pragma once

#include <windows.h>

namespace spooler {

// A spooler command: the text a user would type, and the arguments handed to net.exe.
struct Command {
    const wchar_t* text;
    const wchar_t* netArguments;
};
inline constexpr Command kStop{L"net stop spooler", L"stop spooler"};
inline constexpr Command kStart{L"net start spooler", L"start spooler"};

// How a command runs and how the wait passes, behind one interface so that tests can
// record both instead of touching the service and the clock.
class SpoolerControl {
public:
    virtual ~SpoolerControl() = default;
    // Runs the command to completion; its outcome is not reported.
    virtual void Run(const Command& command) = 0;
    virtual void Wait(DWORD milliseconds) = 0;
};

SpoolerControl& Control();
// Puts `replacement` in place (nullptr restores the real one); answers the old one.
SpoolerControl* ReplaceControl(SpoolerControl* replacement);

// Each returns when its command has finished, whatever the command achieved.
void StopSpooler();
void StartSpooler();
// StopSpooler, a plain wait of `waitMilliseconds` on this thread, StartSpooler.
void RestartSpooler(DWORD waitMilliseconds);

}  // namespace spooler
