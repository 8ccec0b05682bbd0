// The page's message boxes: the real ones unless a test has put its own in place.
#include "driverui/message_box.h"

namespace page_ui {
namespace {

class RealMessageBoxes final : public MessageBoxes {
public:
    int Show(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) override {
        return MessageBoxW(owner, text, caption, type);
    }
};

RealMessageBoxes g_real;
MessageBoxes* g_boxes = &g_real;

}  // namespace

int ShowMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
    return g_boxes->Show(owner, text, caption, type);
}

MessageBoxes* ReplaceMessageBoxes(MessageBoxes* replacement) {
    MessageBoxes* old = g_boxes;
    g_boxes = replacement != nullptr ? replacement : &g_real;
    return old;
}

}  // namespace page_ui
