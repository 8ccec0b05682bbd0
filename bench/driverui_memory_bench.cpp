// Memory figures of driverui.dll in a host process: the module's size, and the process's
// private bytes and handle count before and after many plug-in objects and many pages
// have been made and let go. Goal: no growth.
//
//   driverui_memory_bench.exe [OBJECT_CYCLES [PAGE_CYCLES]]   (default 10000 and 1000)
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/printhost/plugin_host.h"

namespace {

using namespace printhost;

constexpr wchar_t kPrinter[] = L"Brimcote Bench Printer";
constexpr int kWarmUpCycles = 20;  // first-use allocations (heaps, classes, fonts) settle

struct Usage {
    SIZE_T privateBytes;
    DWORD handles;
    DWORD guiObjects;  // window-system and graphics objects (fonts, brushes, menus...)
};

// The process's kernel handles, counted in the system's handle table. Wine answers
// GetProcessHandleCount with 0, so the table is read when that count cannot be true.
DWORD HandleCount() {
    DWORD count = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &count) && count != 0) return count;

    struct Entry {  // SYSTEM_HANDLE_TABLE_ENTRY_INFO
        USHORT processId;
        USHORT creatorBackTraceIndex;
        UCHAR objectTypeIndex;
        UCHAR handleAttributes;
        USHORT handleValue;
        PVOID object;
        ULONG grantedAccess;
    };
    struct Table {
        ULONG count;
        Entry entries[1];
    };
    constexpr ULONG kSystemHandleInformation = 16;
    using QueryFn = NTSTATUS(NTAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);
    static std::vector<BYTE> buffer(4 << 20);
    if (query == nullptr) return 0;
    NTSTATUS status;
    ULONG length = 0;
    // The table grows with the system; a buffer too small must not read as "no handles".
    while ((status = query(kSystemHandleInformation, buffer.data(),
                           static_cast<ULONG>(buffer.size()), &length)) == kInfoLengthMismatch) {
        buffer.resize(std::max<std::size_t>(buffer.size() * 2, length));
    }
    if (status != 0) return 0;
    const auto* table = reinterpret_cast<const Table*>(buffer.data());
    const auto self = static_cast<USHORT>(GetCurrentProcessId());
    for (ULONG i = 0; i < table->count; ++i) {
        if (table->entries[i].processId == self) ++count;
    }
    return count;
}

// Private bytes: the process's private committed memory. Wine leaves PrivateUsage at 0 and
// keeps the same figure in PagefileUsage (the commit charge), which Windows reports equal.
Usage CurrentUsage() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
    const SIZE_T privateBytes =
        counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
    const DWORD guiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) +
                             GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    return {privateBytes, HandleCount(), guiObjects};
}

void PrintUsage(const char* label, const Usage& usage) {
    std::printf("  %-28s private bytes %10zu   handles %5lu   gui objects %5lu\n", label,
                static_cast<size_t>(usage.privateBytes), static_cast<unsigned long>(usage.handles),
                static_cast<unsigned long>(usage.guiObjects));
}

void PrintGrowth(const Usage& before, const Usage& after) {
    std::printf(
        "  %-28s private bytes %+10lld   handles %+5ld   gui objects %+5ld\n", "growth",
        static_cast<long long>(after.privateBytes) - static_cast<long long>(before.privateBytes),
        static_cast<long>(after.handles) - static_cast<long>(before.handles),
        static_cast<long>(after.guiObjects) - static_cast<long>(before.guiObjects));
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// One factory and one OemUI object made and let go, with a driver interface published in
// between, as a host does each time it opens a printer's properties.
bool ObjectCycle(const PluginModule& module) {
    const ComRef<HostDriverInterface> driverInterface(new HostDriverInterface);
    bool ok;
    {
        ComRef<IPrintOemUI> oemUI;
        ok = SUCCEEDED(CreateOemUI(module, &oemUI)) &&
             SUCCEEDED(oemUI->PublishDriverInterface(driverInterface.get()));
    }
    return ok && driverInterface->references() == 1;
}

// The page made through DevicePropertySheets, shown in a modeless property sheet (so its
// dialog really is created and loads its values), then the sheet destroyed and the host's
// heap with it.
bool PageCycle(const PluginModule& module) {
    HostHeap heap;  // outlives the plug-in object, whose page contexts it holds
    ComRef<IPrintOemUI> oemUI;
    if (FAILED(CreateOemUI(module, &oemUI))) return false;
    std::wstring printerName = kPrinter;
    OEMUIPSPARAM oemParam = HostParameters(module, &printerName, heap);
    PageCollector collector;
    const PageRequest request = RequestPages(oemUI.get(), &oemParam, &collector);
    if (FAILED(request.initResult) || collector.pages().size() != 1) return false;
    HWND sheet = CreatePrinterSheet(printerName, collector.TakePages());
    if (sheet == nullptr) return false;
    PumpMessages();
    const bool pageShown = PropSheet_GetCurrentPageHwnd(sheet) != nullptr;
    DestroyWindow(sheet);
    PumpMessages();
    EndPages(oemUI.get(), &oemParam, &collector);
    return pageShown;
}

template <typename Cycle>
bool Measure(const char* title, int cycles, Cycle cycle) {
    std::printf("%s: %d cycles\n", title, cycles);
    for (int i = 0; i < kWarmUpCycles; ++i) {
        if (!cycle()) return false;
    }
    const Usage before = CurrentUsage();
    PrintUsage("after warm-up", before);
    for (int i = 0; i < cycles; ++i) {
        if (!cycle()) {
            std::printf("  cycle %d failed\n", i);
            return false;
        }
    }
    const Usage after = CurrentUsage();
    PrintUsage("after the cycles", after);
    PrintGrowth(before, after);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);  // figures appear as they are measured
    const int objectCycles = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int pageCycles = argc > 2 ? std::atoi(argv[2]) : 1000;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);

    const std::wstring path = PathBesideExecutable(L"driverui.dll");
    WIN32_FILE_ATTRIBUTE_DATA file{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &file)) {
        std::printf("driverui.dll not found beside the benchmark\n");
        return 1;
    }
    std::printf("driverui.dll size: %lu bytes (%.1f KB; goal at most 512 KB)\n",
                static_cast<unsigned long>(file.nFileSizeLow), file.nFileSizeLow / 1024.0);

    const Usage start = CurrentUsage();
    const PluginModule module(path);
    if (!module.usable()) {
        std::printf("driverui.dll did not load\n");
        return 1;
    }
    std::printf("process before and after loading the module:\n");
    PrintUsage("before loading", start);
    PrintUsage("loaded", CurrentUsage());

    if (!Measure("factory and OemUI object, create and release", objectCycles,
                 [&] { return ObjectCycle(module); }) ||
        !Measure("page in a property sheet, create and destroy", pageCycles,
                 [&] { return PageCycle(module); })) {
        return 1;
    }
    std::printf("DllCanUnloadNow at the end: %s\n",
                module.CanUnloadNow() == S_OK ? "S_OK" : "S_FALSE");
    return module.CanUnloadNow() == S_OK ? 0 : 1;
}
