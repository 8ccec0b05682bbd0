// seed_demo_printer: gives a fresh Wine prefix a printer of this make to show, on first use.
// Writes the demo printer's plug-and-play manufacturer and a few of its own values, and
// the shared settings with the driver-wide defaults when they are not there yet; leaves
// everything alone once the printer exists. Prints the printer's name.
#include <windows.h>

#include <cstdio>
#include <string>

#include "settings/printer_paths.h"
#include "settings/registry_store.h"
#include "settings/schema.h"

namespace {

constexpr char kDemoPrinter[] = "Brimcote Demo Printer";
constexpr char kDemoManufacturer[] = "BRIMCOTE POS-80";

void SeedSharedSettings() {
    if (store::OpenForRead(schema::kLanguageMonitorKey.ansi)) return;  // someone saved already
    const store::Key monitor = store::OpenOrCreate(schema::kLanguageMonitorKey.ansi);
    store::WriteStringIgnoringResult(monitor, schema::kPeriodicStatus.ansi, "ENABLE");
    store::WriteNumberIgnoringResult(monitor, schema::kStatusInterval.ansi, 2000);
    store::WriteStringIgnoringResult(monitor, schema::kDefaultStartDoc.ansi, "[ESC]@");
    store::WriteStringIgnoringResult(monitor, schema::kDefaultStartPage.ansi, "");
    store::WriteStringIgnoringResult(monitor, schema::kDefaultEndDoc.ansi, "[GS]V<1>");
    store::WriteStringIgnoringResult(monitor, schema::kDefaultSkipFirstStartPage.ansi, "NO");
    store::WriteStringIgnoringResult(monitor, schema::kDefaultKnifeCut.ansi, "YES");
    store::WriteStringIgnoringResult(monitor, schema::kDefaultCashDrawer1.ansi, "NO");
    store::WriteStringIgnoringResult(monitor, schema::kDefaultCashDrawer2.ansi, "NO");
    store::WriteNumberIgnoringResult(monitor, schema::kDefaultLineFeeds.ansi, 3);
}

void SeedDemoPrinter() {
    const std::string printerKey = *schema::PrinterKeyPath(kDemoPrinter);
    if (store::OpenForRead(printerKey.c_str())) return;  // seeded on an earlier run

    const store::Key pnp = store::OpenOrCreate(schema::PrinterPnPDataPath(kDemoPrinter)->c_str());
    store::WriteStringIgnoringResult(pnp, schema::kManufacturer.ansi, kDemoManufacturer);

    const store::Key driverData =
        store::OpenOrCreate(schema::PrinterDriverDataPath(std::string_view(kDemoPrinter))->c_str());
    store::WriteStringIgnoringResult(driverData, schema::kStartDocString.ansi, "[ESC]@[ESC]a<1>");
    store::WriteStringIgnoringResult(driverData, schema::kEndOfDocKnifeCut.ansi, "YES");
    store::WriteStringIgnoringResult(driverData, schema::kCashDrawer1.ansi, "YES");
    store::WriteNumberIgnoringResult(driverData, schema::kEndOfDocLineFeeds.ansi, 5);
}

}  // namespace

int main() {
    SeedSharedSettings();
    SeedDemoPrinter();
    std::printf("%s\n", kDemoPrinter);
    return 0;
}
