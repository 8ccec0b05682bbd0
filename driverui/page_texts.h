// Every text the property page shows or asks, written once.
#pragma once

#include <windows.h>

namespace page_text {

// A message box's text, caption and style, as one item.
struct Message {
    const wchar_t* text;
    const wchar_t* caption;
    UINT type;
};

inline constexpr wchar_t kDriverVersion[] = L"3.0.1.6";
inline constexpr wchar_t kLanguageMonitorModule[] = L"\\system32\\brimlangmon.dll";
inline constexpr wchar_t kWindowsDirectoryVariable[] = L"windir";

// The commands' questions.
inline constexpr Message kConfirmSave{
    L"Saving changes requires restarting the print spooler.  Active print jobs might be briefly "
    L"disrupted.  Proceed?",
    L"Save", MB_YESNO | MB_ICONEXCLAMATION};
inline constexpr Message kConfirmRefresh{L"Discard your changes?", L"Refresh",
                                         MB_YESNO | MB_ICONQUESTION};
inline constexpr Message kConfirmRestore{
    L"Restore the shown printer properties to current defaults?", L"Restore Defaults", MB_YESNO};
inline constexpr Message kRestoreFailed{L"Unable to reset to default values.", L"Error", MB_OK};

// The save's refusals and failures.
inline constexpr Message kStatusPeriodEmpty{L"Status Period field read error.",
                                            L"Values will be reset", MB_OK};
inline constexpr Message kStatusPeriodOutOfRange{
    L"Status Period must be between 1,000 and 30,000 (1 and 30 seconds).", L"Fix value", MB_OK};
inline constexpr Message kLineFeedsEmpty{L"EndDoc Line Feeds edit field read error",
                                         L"Values will be reset", MB_OK};
inline constexpr Message kLineFeedsOutOfRange{
    L"End of document line feed count must be between 0 and 10000.", L"Fix value", MB_OK};
inline constexpr Message kLanguageMonitorKeyFailed{
    L"Error encountered in opening lang mon Registry.", L"Reset values", MB_OK};
inline constexpr Message kPrinterKeyFailed{
    L"Error encountered while saving print property changes to the Registry.", L"Restore values",
    MB_OK};
inline constexpr Message kOutOfMemory{
    L"Not enough memory to save the command strings.  Some printer values may already be "
    L"saved; the page will show what is stored.",
    L"Restore values", MB_OK};

}  // namespace page_text
