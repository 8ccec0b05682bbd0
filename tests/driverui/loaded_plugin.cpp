// driverui.dll loaded once for a test program.
#include "tests/driverui/loaded_plugin.h"

#include <gtest/gtest.h>

namespace plugin_testing {

const printhost::PluginModule& Plugin() {
    static const printhost::PluginModule module(printhost::PathBesideExecutable(L"driverui.dll"));
    return module;
}

void MakeOemUI(printhost::ComRef<IPrintOemUI>* oemUI) {
    ASSERT_TRUE(Plugin().usable());
    ASSERT_EQ(printhost::CreateOemUI(Plugin(), oemUI), S_OK);
    ASSERT_TRUE(*oemUI);
}

}  // namespace plugin_testing
