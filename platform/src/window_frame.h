// A window's non-client area: the caption band that WS_CAPTION gives it
// (its title, the "ok" button of WS_EX_CAPTIONOKBTN or, on a desktop, the
// close box of WS_SYSMENU), the one-pixel border of WS_BORDER, and what the
// stylus does there.
#pragma once

#include "ce/types.h"

namespace platform {

// The band's height at the screen's dpi, a message box's caption height.
LONG CaptionHeight(int dpi);

// The non-client band on each side of a window of this style, as
// CreateWindowEx reserves it.
RECT FrameInsets(DWORD style, int dpi);

// The "ok" button and the desktop's close box in a band across a window
// of the given width (window coordinates).
RECT CaptionOkButton(LONG width, int dpi);
RECT CaptionCloseBox(LONG width, int dpi);

// WM_NCPAINT: the band and the border over the window's whole rectangle.
void DrawWindowFrame(HWND hwnd);

// WM_NCLBUTTONDOWN: a press on the "ok" button or the close box follows the
// stylus until it is lifted, and acts when it is lifted there; a press
// elsewhere on a desktop's caption drags the window along.
void TrackFrameStylus(HWND hwnd, WPARAM hit, LPARAM screenPoint);

}  // namespace platform
