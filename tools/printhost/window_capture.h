// Saving what a window shows as a 24-bit BMP file.
#pragma once

#include <windows.h>

namespace printhost {

// Copies the window's whole rectangle, frame included, from the screen into `path`.
bool SaveWindowImage(HWND window, const wchar_t* path);

}  // namespace printhost
