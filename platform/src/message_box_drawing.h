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

// The blue caption band with its title, as message boxes and dialogs show it.
void DrawCaptionBand(HDC dc, const RECT& band, const std::u16string& caption, int dpi);

// A push button: its face, a thicker edge when it is the default, inverted
// while held, grey text when disabled; format adds DT_NOPREFIX or not to
// the centred label.
void DrawPushButton(HDC dc, const RECT& r, const std::u16string& label, UINT format, bool isDefault, bool pressed,
                    HFONT font, int dpi, bool enabled = true);

// The one-pixel frame around a box.
void DrawBoxFrame(HDC dc, const RECT& r);

void DrawMessageBox(HDC dc, const MessageBoxLayout& layout, const MessageBoxContent& content, int dpi);

}  // namespace platform
