// How a message box looks: a caption band, its icon, the wrapped text and
// a row of buttons, drawn in the box's client coordinates.
#pragma once

#include <string>
#include <vector>

#include "ce/types.h"
#include "message_box_layout.h"

namespace platform {

struct MessageBoxContent {
    std::u16string caption;
    std::u16string text;
    UINT icon = 0;            // the MB_ICON bits of the style
    std::vector<int> buttons;  // IDOK, IDCANCEL, ...
    size_t defaultIndex = 0;
    int pressed = -1;  // the button held down by the stylus
};

// The text and caption faces, made for the screen's dpi; the caller deletes them.
HFONT CreateMessageBoxFont(int dpi, bool bold);

// The height of the text wrapped to the given width.
LONG MessageBoxTextHeight(const std::u16string& text, LONG width, int dpi);

void DrawMessageBox(HDC dc, const MessageBoxLayout& layout, const MessageBoxContent& content, int dpi);

}  // namespace platform
