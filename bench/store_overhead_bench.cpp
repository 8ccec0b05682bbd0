// Measures what the store layer costs over raw registry calls for the plug-in page's
// reads: two key opens, twenty value reads, the closes. Prints the ratio.
#include "settings/printer_paths.h"
#include "settings/registry_store.h"
#include "settings/schema.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kPrinter[] = L"Brimcote Bench Printer";

const schema::Text* const kLanguageMonitorReads[] = {
    &schema::kPeriodicStatus,     &schema::kStatusInterval,
    &schema::kDefaultKnifeCut,    &schema::kDefaultSkipFirstStartPage,
    &schema::kDefaultCashDrawer1, &schema::kDefaultCashDrawer2,
    &schema::kDefaultLineFeeds,   &schema::kDefaultStartDoc,
    &schema::kDefaultStartPage,   &schema::kDefaultEndDoc,
};
const schema::Text* const kPrinterReads[] = {
    &schema::kEndOfDocKnifeCut, &schema::kSkipFirstStartPage, &schema::kCashDrawer1,
    &schema::kCashDrawer2,      &schema::kEndOfDocLineFeeds,  &schema::kStartDocString,
    &schema::kStartPageString,  &schema::kEndDocString,       &schema::kPeriodicStatus,
    &schema::kStatusInterval,
};

void Seed(const std::wstring& printerPath) {
    for (const std::wstring& path : {std::wstring(schema::kLanguageMonitorKey.wide), printerPath}) {
        HKEY key;
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr);
        const wchar_t text[] = L"[ESC]<5>YES";
        for (const auto* list : {kLanguageMonitorReads, kPrinterReads}) {
            for (int i = 0; i < 10; ++i) {
                RegSetValueExW(key, list[i]->wide, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                               sizeof text);
            }
        }
        RegCloseKey(key);
    }
}

void RawReads(const std::wstring& printerPath) {
    HKEY monitor = nullptr;
    HKEY printer = nullptr;
    RegOpenKeyExW(HKEY_LOCAL_MACHINE, schema::kLanguageMonitorKey.wide, 0, KEY_READ, &monitor);
    RegOpenKeyExW(HKEY_LOCAL_MACHINE, printerPath.c_str(), 0, KEY_READ, &printer);
    wchar_t buffer[1024];
    for (int i = 0; i < 10; ++i) {
        DWORD bytes = sizeof buffer;
        RegQueryValueExW(monitor, kLanguageMonitorReads[i]->wide, nullptr, nullptr,
                         reinterpret_cast<BYTE*>(buffer), &bytes);
        bytes = sizeof buffer;
        RegQueryValueExW(printer, kPrinterReads[i]->wide, nullptr, nullptr,
                         reinterpret_cast<BYTE*>(buffer), &bytes);
    }
    RegCloseKey(printer);
    RegCloseKey(monitor);
}

void StoreReads(const std::wstring& printerPath) {
    store::Key monitor = store::OpenForRead(schema::kLanguageMonitorKey.wide);
    store::Key printer = store::OpenForRead(printerPath.c_str());
    wchar_t buffer[1024];
    for (int i = 0; i < 10; ++i) {
        store::ReadValue(monitor, kLanguageMonitorReads[i]->wide, buffer, sizeof buffer);
        store::ReadValue(printer, kPrinterReads[i]->wide, buffer, sizeof buffer);
    }
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    constexpr int kBatch = 10;  // page loads per timed batch
    const std::wstring printerPath = *schema::PrinterDriverDataPath(std::wstring_view(kPrinter));
    Seed(printerPath);

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> ratios;
    double rawTotal = 0;
    double storeTotal = 0;
    for (int round = 0; round < rounds; ++round) {
        LARGE_INTEGER t0, t1, t2;
        // Alternate which goes first, so that neither profits from the other's warm caches.
        const bool rawFirst = round % 2 == 0;
        QueryPerformanceCounter(&t0);
        for (int i = 0; i < kBatch; ++i) rawFirst ? RawReads(printerPath) : StoreReads(printerPath);
        QueryPerformanceCounter(&t1);
        for (int i = 0; i < kBatch; ++i) rawFirst ? StoreReads(printerPath) : RawReads(printerPath);
        QueryPerformanceCounter(&t2);
        const double first = Seconds(t0, t1, frequency);
        const double second = Seconds(t1, t2, frequency);
        const double raw = rawFirst ? first : second;
        const double layered = rawFirst ? second : first;
        rawTotal += raw;
        storeTotal += layered;
        ratios.push_back(layered / raw);
    }
    std::sort(ratios.begin(), ratios.end());

    HKEY printers;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, schema::kPrintersKeyPlugIn, 0, KEY_ALL_ACCESS,
                      &printers) == ERROR_SUCCESS) {
        RegDeleteTreeW(printers, kPrinter);
        RegCloseKey(printers);
    }

    const double loads = double(rounds) * kBatch;
    std::printf("page loads per side: %.0f\n", loads);
    std::printf("raw registry calls:  %.1f us per load\n", rawTotal / loads * 1e6);
    std::printf("store layer:         %.1f us per load\n", storeTotal / loads * 1e6);
    std::printf("overhead ratio (store / raw): median %.3f, total %.3f\n",
                ratios[ratios.size() / 2], storeTotal / rawTotal);
    return 0;
}
