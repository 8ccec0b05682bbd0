// Builds a printer's registry key paths from its name.
#include "settings/printer_paths.h"

#include "settings/schema.h"

namespace schema {
namespace {

template <typename Char>
bool IsUsable(std::basic_string_view<Char> name) {
    return !name.empty() && name.find(Char('\\')) == name.npos && name.find(Char(',')) == name.npos;
}

template <typename Char>
std::optional<std::basic_string<Char>> Join(const Char* printers, std::basic_string_view<Char> name,
                                            const Char* leaf) {
    if (!IsUsable(name)) return std::nullopt;
    std::basic_string<Char> path = printers;
    path += Char('\\');
    path += name;
    if (leaf != nullptr) {
        path += Char('\\');
        path += leaf;
    }
    return path;
}

}  // namespace

bool IsUsablePrinterName(std::wstring_view name) { return IsUsable(name); }
bool IsUsablePrinterName(std::string_view name) { return IsUsable(name); }

std::optional<std::wstring> PrinterDriverDataPath(std::wstring_view printer) {
    return Join(kPrintersKeyPlugIn, printer, kPrinterDriverDataKey.wide);
}

std::optional<std::string> PrinterDriverDataPath(std::string_view printer) {
    return Join(kPrintersKeyUtility, printer, kPrinterDriverDataKey.ansi);
}

std::optional<std::string> PrinterPnPDataPath(std::string_view printer) {
    return Join(kPrintersKeyUtility, printer, kPnPDataKey.ansi);
}

std::optional<std::string> PrinterKeyPath(std::string_view printer) {
    return Join<char>(kPrintersKeyUtility, printer, nullptr);
}

}  // namespace schema
