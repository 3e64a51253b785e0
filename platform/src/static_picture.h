// The pictures a static draws instead of text: SS_BITMAP from the bitmap
// resource its ordinal title names, and the etched SS_ETCHEDHORZ line.
#pragma once

#include "ce/gdi.h"

namespace platform {

// The bitmap resource a control shows, loaded once per control; NULL when
// the title names none.
HBITMAP StaticBitmap(HWND hwnd, WORD bitmapId);
// Draws the control's bitmap with its top left at (x, y).
void DrawStaticBitmap(HWND hwnd, HDC dc, WORD bitmapId, int x, int y);
void DrawEtchedLine(HDC dc, const RECT& client);
// The sunken edge of SS_SUNKEN, inside the client area.
void DrawSunkenEdge(HDC dc, const RECT& client);
void ForgetStaticBitmap(HWND hwnd);

}  // namespace platform
