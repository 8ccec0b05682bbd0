// Building a printer's key paths from its name.
#include "settings/printer_paths.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PrinterPathsTest, BuildsEachPathFormFromTheName) {
    EXPECT_EQ(schema::PrinterDriverDataPath(std::wstring_view(L"Receipt 1")),
              L"System\\CurrentControlSet\\Control\\Print\\Printers\\Receipt 1\\PrinterDriverData");
    EXPECT_EQ(schema::PrinterDriverDataPath(std::string_view("Receipt 1")),
              "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\Receipt 1\\PrinterDriverData");
    EXPECT_EQ(schema::PrinterPnPDataPath("Receipt 1"),
              "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\Receipt 1\\PnPData");
    EXPECT_EQ(schema::PrinterKeyPath("Receipt 1"),
              "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\Receipt 1");
}

TEST(PrinterPathsTest, RefusesNamesThatWouldReachAnotherKey) {
    for (const char* name :
         {"", "\\", "..\\..\\Monitors\\BrimcoteLM", "Receipt\\PnPData", "Receipt,LocalOnly", ","}) {
        const std::string narrow(name);
        const std::wstring wide(narrow.begin(), narrow.end());
        EXPECT_FALSE(schema::IsUsablePrinterName(std::string_view(narrow))) << name;
        EXPECT_FALSE(schema::PrinterDriverDataPath(std::wstring_view(wide))) << name;
        EXPECT_FALSE(schema::PrinterDriverDataPath(std::string_view(narrow))) << name;
        EXPECT_FALSE(schema::PrinterPnPDataPath(narrow)) << name;
        EXPECT_FALSE(schema::PrinterKeyPath(narrow)) << name;
    }
    EXPECT_TRUE(schema::IsUsablePrinterName(std::wstring_view(L"Receipt/1 (copy) <default>")));
}

}  // namespace
