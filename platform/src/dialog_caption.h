// The caption band of a captioned dialog, drawn at the top of its window as
// message boxes draw theirs, and the "ok" button that WS_EX_CAPTIONOKBTN
// puts at its right end (on a desktop, the close box).
#pragma once

#include <string>

#include "ce/types.h"

namespace platform {

// The band's height at the screen's dpi, a message box's caption height.
LONG DialogCaptionHeight(int dpi);

// The "ok" button in a band across the given width (client coordinates).
RECT CaptionOkButton(LONG width, int dpi);
// A desktop's close box at the band's right end.
RECT CaptionCloseBox(LONG width, int dpi);

struct DialogCaptionLook {
    bool band = false;  // the caption band itself
    std::u16string title;
    bool okButton = false;
    bool okPressed = false;
    bool closeBox = false;
    bool closePressed = false;
    bool frame = false;  // a one-pixel frame around the whole window
};

// Draws the band and the frame over a window of the given client size.
void DrawDialogCaption(HDC dc, LONG width, LONG height, const DialogCaptionLook& look, int dpi);

}  // namespace platform
