// printhost: a stand-in for a printer driver's user interface. It loads driverui.dll,
// creates the plug-in through its class factory, publishes a driver interface of its own,
// asks for the plug-in's pages and shows them in a real property sheet for one printer.
//
//   printhost.exe [--screenshot FILE.bmp] [--close-after MILLISECONDS] PRINTER_NAME
//
// --screenshot saves the sheet's image once it has been shown and then closes the sheet;
// --close-after closes it after the given time, as Cancel would. The exit status is 0
// when everything went as a host expects, including the plug-in giving back every
// reference it took and agreeing to be unloaded.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "tools/printhost/plugin_host.h"
#include "tools/printhost/window_capture.h"

namespace {

constexpr UINT kScreenshotDelayMs = 1500;  // the page loads and paints within this

struct Options {
    std::wstring printerName;
    std::wstring screenshotPath;
    UINT closeAfterMs = 0;
};

bool ParseOptions(int argc, wchar_t** argv, Options* options) {
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        if (argument == L"--screenshot" && i + 1 < argc) {
            options->screenshotPath = argv[++i];
        } else if (argument == L"--close-after" && i + 1 < argc) {
            options->closeAfterMs = static_cast<UINT>(std::wcstoul(argv[++i], nullptr, 10));
        } else if (options->printerName.empty() && argument.rfind(L"--", 0) != 0) {
            options->printerName = argument;
        } else {
            return false;
        }
    }
    return !options->printerName.empty();
}

void Report(const wchar_t* what, HRESULT result) {
    std::fwprintf(stderr, L"printhost: %ls: 0x%08lX\n", what, static_cast<unsigned long>(result));
}

// Runs the modeless sheet until it closes (OK, Cancel, the close box, or one of the timed
// options), the way a modal property sheet would run it.
void RunSheet(HWND sheet, const Options& options, bool* screenshotSaved) {
    const UINT_PTR screenshotTimer =
        options.screenshotPath.empty() ? 0 : SetTimer(nullptr, 0, kScreenshotDelayMs, nullptr);
    const UINT_PTR closeTimer =
        options.closeAfterMs == 0 ? 0 : SetTimer(nullptr, 0, options.closeAfterMs, nullptr);
    MSG message;
    while (IsWindow(sheet) && PropSheet_GetCurrentPageHwnd(sheet) != nullptr &&
           GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == nullptr) {
            if (message.wParam == screenshotTimer) {
                KillTimer(nullptr, screenshotTimer);
                RedrawWindow(sheet, nullptr, nullptr,
                             RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
                *screenshotSaved =
                    printhost::SaveWindowImage(sheet, options.screenshotPath.c_str());
                PropSheet_PressButton(sheet, PSBTN_CANCEL);
            } else if (message.wParam == closeTimer) {
                KillTimer(nullptr, closeTimer);
                PropSheet_PressButton(sheet, PSBTN_CANCEL);
            }
            continue;
        }
        if (!PropSheet_IsDialogMessage(sheet, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (screenshotTimer != 0) KillTimer(nullptr, screenshotTimer);
    if (closeTimer != 0) KillTimer(nullptr, closeTimer);
}

// Everything between loading the plug-in and letting it go; answers the exit status.
int ShowPrinterProperties(const printhost::PluginModule& module, const Options& options) {
    using namespace printhost;
    int status = 0;
    const ComRef<HostDriverInterface> driverInterface(new HostDriverInterface);
    {
        HostHeap heap;  // outlives the plug-in object, whose page contexts it holds
        ComRef<IPrintOemUI> oemUI;
        HRESULT result = CreateOemUI(module, &oemUI);
        if (FAILED(result)) {
            Report(L"creating the plug-in object failed", result);
            return 1;
        }
        result = oemUI->PublishDriverInterface(driverInterface.get());
        if (FAILED(result)) Report(L"PublishDriverInterface failed", result);

        std::wstring printerName = options.printerName;
        OEMUIPSPARAM oemParam = HostParameters(module, &printerName, heap);

        PageCollector collector;
        const PageRequest request = RequestPages(oemUI.get(), &oemParam, &collector);
        if (FAILED(request.headerResult))
            Report(L"the sheet header request failed", request.headerResult);
        if (FAILED(request.initResult) || collector.pages().empty()) {
            Report(L"the plug-in added no page", request.initResult);
            status = 1;
        } else {
            std::wprintf(L"printhost: %ls added %zu page(s) for \"%ls\"\n",
                         request.headerTitle.c_str(), collector.pages().size(),
                         printerName.c_str());
            std::fflush(stdout);
            HWND sheet = CreatePrinterSheet(printerName, collector.TakePages());
            if (sheet == nullptr) {
                Report(L"the property sheet could not be created",
                       HRESULT_FROM_WIN32(GetLastError()));
                status = 1;
            } else {
                bool screenshotSaved = false;
                RunSheet(sheet, options, &screenshotSaved);
                DestroyWindow(sheet);
                if (!options.screenshotPath.empty() && !screenshotSaved) {
                    std::fwprintf(stderr, L"printhost: the screenshot was not saved\n");
                    status = 1;
                }
            }
        }
        EndPages(oemUI.get(), &oemParam, &collector);
    }
    if (driverInterface->references() != 1) {
        std::fwprintf(stderr, L"printhost: the plug-in kept %ld driver interface reference(s)\n",
                      static_cast<long>(driverInterface->references()) - 1);
        status = 1;
    }
    if (module.CanUnloadNow() != S_OK) {
        std::fwprintf(stderr, L"printhost: the plug-in refuses to be unloaded\n");
        status = 1;
    }
    return status;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    Options options;
    const bool parsed = argv != nullptr && ParseOptions(argc, argv, &options);
    LocalFree(argv);
    if (!parsed) {
        std::fwprintf(
            stderr, L"usage: printhost [--screenshot FILE.bmp] [--close-after MS] PRINTER_NAME\n");
        return 2;
    }

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);

    const printhost::PluginModule module(printhost::PathBesideExecutable(L"driverui.dll"));
    if (!module.usable()) {
        std::fwprintf(stderr, L"printhost: driverui.dll or its exports were not found\n");
        return 1;
    }
    return ShowPrinterProperties(module, options);
}
