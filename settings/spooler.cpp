// Stopping and starting the print spooler service after a save.
#include "settings/spooler.h"

#include <memory>
#include <string>

namespace spooler {
namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// Runs net.exe from the system directory by its full path. Going through the command
// interpreter would look for "net" in the current directory and on PATH first, so a
// net.bat or net.exe planted there would run with the caller's (administrator) rights.
class NetCommand final : public SpoolerControl {
public:
    void Run(const Command& command) override {
        wchar_t systemDir[MAX_PATH];
        const UINT length = GetSystemDirectoryW(systemDir, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return;

        const std::wstring program = std::wstring(systemDir) + L"\\net.exe";
        // CreateProcessW may write into the command line, so it gets its own copy.
        std::wstring commandLine = L"\"" + program + L"\" " + command.netArguments;

        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                            CREATE_NO_WINDOW, nullptr, systemDir, &startup, &process)) {
            return;  // the outcome of a command is ignored, and so is a command that never ran
        }
        const UniqueHandle thread(process.hThread);
        const UniqueHandle running(process.hProcess);
        WaitForSingleObject(running.get(), INFINITE);
    }

    void Wait(DWORD milliseconds) override { Sleep(milliseconds); }
};

NetCommand g_netCommand;
SpoolerControl* g_control = &g_netCommand;

}  // namespace

SpoolerControl& Control() { return *g_control; }

SpoolerControl* ReplaceControl(SpoolerControl* replacement) {
    SpoolerControl* old = g_control;
    g_control = replacement != nullptr ? replacement : &g_netCommand;
    return old;
}

void StopSpooler() { Control().Run(kStop); }
void StartSpooler() { Control().Run(kStart); }

void RestartSpooler(DWORD waitMilliseconds) {
    StopSpooler();
    Control().Wait(waitMilliseconds);
    StartSpooler();
}

}  // namespace spooler
