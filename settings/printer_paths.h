// Builds a printer's registry key paths from its name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace schema {

// A printer's name is never empty and never holds '\' or ','. A name that does would
// form a path into some other key, so it gets no path at all: callers treat such a
// printer as one whose keys cannot be opened.
bool IsUsablePrinterName(std::wstring_view name);
bool IsUsablePrinterName(std::string_view name);

// "System\...\Printers\<name>\PrinterDriverData", the plug-in's spelling.
std::optional<std::wstring> PrinterDriverDataPath(std::wstring_view printer);
// "SYSTEM\...\Printers\<name>\PrinterDriverData", the utilities' spelling.
std::optional<std::string> PrinterDriverDataPath(std::string_view printer);
// "SYSTEM\...\Printers\<name>\PnPData".
std::optional<std::string> PrinterPnPDataPath(std::string_view printer);
// "SYSTEM\...\Printers\<name>", the printer's own key.
std::optional<std::string> PrinterKeyPath(std::string_view printer);

}  // namespace schema
