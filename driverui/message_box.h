// The page's message boxes, behind one interface so that tests can answer them.
#pragma once

#include <windows.h>

namespace page_ui {

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shows a modal message box owned by `owner`; answers the button pressed (IDYES, IDOK...).
    virtual int Show(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) = 0;
};

int ShowMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);
// Puts `replacement` in place (nullptr restores the real one); answers the old one.
MessageBoxes* ReplaceMessageBoxes(MessageBoxes* replacement);

}  // namespace page_ui
