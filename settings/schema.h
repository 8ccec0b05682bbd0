// The registry layout every deliverable shares: key paths, value names, word lists, ranges
// and buffer sizes. Nothing outside this folder spells a key path or a value name.
#pragma once

#include <cstddef>
#include <cstdint>

namespace schema {

// One registry name or word in both text forms: the plug-in works in UTF-16, the
// utilities in the ANSI code page. Both are spelled once, by SCHEMA_TEXT.
struct Text {
    const char* ansi;
    const wchar_t* wide;
};
#define SCHEMA_TEXT(literal) \
    ::schema::Text { literal, L"" literal }

// ---- Keys, all under HKEY_LOCAL_MACHINE ----

inline constexpr Text kLanguageMonitorKey =
    SCHEMA_TEXT("SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\BrimcoteLM");

// The plug-in and the utilities spell the printers key differently; key names match
// whatever their letter case, so both name the same key.
inline constexpr wchar_t kPrintersKeyPlugIn[] =
    L"System\\CurrentControlSet\\Control\\Print\\Printers";
inline constexpr char kPrintersKeyUtility[] = "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers";
inline constexpr Text kPrinterDriverDataKey = SCHEMA_TEXT("PrinterDriverData");
inline constexpr Text kPnPDataKey = SCHEMA_TEXT("PnPData");

// ---- Values of the language-monitor key ----

inline constexpr Text kPeriodicStatus = SCHEMA_TEXT("BrimcotePeriodicStatus");
inline constexpr Text kStatusInterval = SCHEMA_TEXT("BrimcoteStatusInterval");
inline constexpr Text kDefaultStartDoc = SCHEMA_TEXT("BrimcoteDfltStartDoc");
inline constexpr Text kDefaultStartPage = SCHEMA_TEXT("BrimcoteDfltStartPage");
inline constexpr Text kDefaultEndDoc = SCHEMA_TEXT("BrimcoteDfltEndDoc");
inline constexpr Text kDefaultSkipFirstStartPage = SCHEMA_TEXT("BrimcoteDfltSkipFirstStartPage");
inline constexpr Text kDefaultKnifeCut = SCHEMA_TEXT("BrimcoteDfltKnifeCut");
inline constexpr Text kDefaultCashDrawer1 = SCHEMA_TEXT("BrimcoteDfltCashDrawer1");
inline constexpr Text kDefaultCashDrawer2 = SCHEMA_TEXT("BrimcoteDfltCashDrawer2");
inline constexpr Text kDefaultLineFeeds = SCHEMA_TEXT("BrimcoteDfltLineFeeds");

// ---- Values of a printer's PrinterDriverData key ----

inline constexpr Text kStartDocString = SCHEMA_TEXT("StartDocString");
inline constexpr Text kStartPageString = SCHEMA_TEXT("StartPageString");
inline constexpr Text kEndDocString = SCHEMA_TEXT("EndDocString");
inline constexpr Text kSkipFirstStartPage = SCHEMA_TEXT("SkipFirstStartPage");
inline constexpr Text kEndOfDocKnifeCut = SCHEMA_TEXT("EndOfDocKnifeCut");
// printerprops reads the knife cut under this spelling; by the registry's case-blind
// names it is the same value as kEndOfDocKnifeCut.
inline constexpr Text kEndOfDocKnifeCutAsRead = SCHEMA_TEXT("EndOFDocKnifeCut");
inline constexpr Text kCashDrawer1 = SCHEMA_TEXT("CashDrawer1");
inline constexpr Text kCashDrawer2 = SCHEMA_TEXT("CashDrawer2");
inline constexpr Text kEndOfDocLineFeeds = SCHEMA_TEXT("EndOfDocLineFeeds");

// The printer's own values, in the order in which Restore and Reset delete them.
inline constexpr Text kPrinterValuesInDeleteOrder[] = {
    kEndOfDocKnifeCut, kEndOfDocLineFeeds,  kStartDocString, kStartPageString,
    kEndDocString,     kSkipFirstStartPage, kCashDrawer1,    kCashDrawer2,
};

// ---- Value of a printer's PnPData key (written by others, read only) ----

inline constexpr Text kManufacturer = SCHEMA_TEXT("Manufacturer");
inline constexpr char kManufacturerOfThisMake[] = "BRIMCOTE";
inline constexpr std::size_t kManufacturerPrefixLength = 8;

// ---- Words, stored in upper case, compared without regard to case ----

inline constexpr Text kWordAuto = SCHEMA_TEXT("AUTO");
inline constexpr Text kWordDisable = SCHEMA_TEXT("DISABLE");
inline constexpr Text kWordEnable = SCHEMA_TEXT("ENABLE");
inline constexpr Text kWordOff = SCHEMA_TEXT("OFF");
inline constexpr Text kWordYes = SCHEMA_TEXT("YES");
inline constexpr Text kWordNo = SCHEMA_TEXT("NO");
inline constexpr Text kWordFalse = SCHEMA_TEXT("FALSE");

// Lists in the order their controls show them (item index = position). The plug-in page
// and the utilities share all but the cash drawers, where only the utilities offer FALSE.
inline constexpr Text kPeriodicStatusWords[] = {kWordAuto, kWordDisable, kWordEnable, kWordOff};
inline constexpr Text kSkipFirstStartPageWords[] = {kWordYes, kWordNo};
inline constexpr Text kKnifeCutWords[] = {kWordNo, kWordYes};
inline constexpr Text kPageCashDrawerWords[] = {kWordNo, kWordYes};
inline constexpr Text kUtilityCashDrawerWords[] = {kWordNo, kWordYes, kWordFalse};

// ---- Ranges, both ends included ----

inline constexpr std::int32_t kStatusIntervalMin = 1000;
inline constexpr std::int32_t kStatusIntervalMax = 30000;
inline constexpr std::int32_t kLineFeedsMin = 0;
inline constexpr std::int32_t kLineFeedsMax = 10000;

// ---- Read buffers, in bytes including the terminator ----

inline constexpr std::size_t kNumberBytes = 4;

// The plug-in page (UTF-16).
inline constexpr std::size_t kPagePeriodicStatusBytes = 1024;  // 511 characters
inline constexpr std::size_t kPageStringBytes = 2048;          // 1023 characters
// Text taken from one of the page's fields, in characters: 1023 and the terminator.
inline constexpr std::size_t kPageFieldChars = 1024;

// The utilities (ANSI).
inline constexpr std::size_t kUtilityListBytes = 260;      // list words and periodic status
inline constexpr std::size_t kUtilityCommandBytes = 1024;  // command strings: 1023 bytes
inline constexpr std::size_t kPrinterNameBytes = 260;      // 259 characters
inline constexpr std::size_t kManufacturerBytes = 260;

}  // namespace schema
