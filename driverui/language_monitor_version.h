// The product version of the language monitor's module, for the page's version label.
#pragma once

#include <string>

// "a.b.c.d" from the fixed version record of "<Windows directory>\system32\brimlangmon.dll",
// cut to 14 characters; empty when the module or its version cannot be read.
std::wstring LanguageMonitorProductVersion();
