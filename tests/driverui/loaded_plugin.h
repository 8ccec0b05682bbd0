// driverui.dll as a host sees it: loaded from beside the test program and reached only
// through its exports, by ordinal.
#pragma once

#include <windows.h>

#include "tools/printhost/plugin_host.h"

namespace plugin_testing {

// The module, loaded once for the whole test program.
const printhost::PluginModule& Plugin();

// An OemUI object made through the class factory; fails the test when none is made.
void MakeOemUI(printhost::ComRef<IPrintOemUI>* oemUI);

}  // namespace plugin_testing
