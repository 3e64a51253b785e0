// Where a message box and its parts sit: the box centred in the work area,
// a caption band, the text area, and a row of equal buttons at the bottom.
#pragma once

#include <cstddef>
#include <vector>

#include "ce/types.h"

namespace platform {

struct MessageBoxLayout {
    RECT box;  // screen coordinates
    // The rest is in the box's client coordinates (the box has no frame).
    RECT caption;
    RECT icon;  // empty when the box shows none
    RECT text;
    std::vector<RECT> buttons;  // left to right
};

// Sizes are the 96-dpi ones scaled by dpi/96, as the shell scales its bars.
// The text area grows to textHeight (the wrapped text's height at
// MessageBoxTextWidth) as far as the work area allows.
MessageBoxLayout LayOutMessageBox(const RECT& workArea, int dpi, size_t buttonCount, bool icon = false,
                                  LONG textHeight = 0);

// The width the text is wrapped to.
LONG MessageBoxTextWidth(const RECT& workArea, int dpi, bool icon);

// Index of the button under a client point, or -1.
int MessageBoxButtonAt(const MessageBoxLayout& layout, POINT point);

}  // namespace platform
