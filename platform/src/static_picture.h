// The pictures a static draws instead of text: SS_BITMAP from the bitmap
// resource its ordinal title names, and the etched SS_ETCHEDHORZ line.
#pragma once

#include "ce/gdi.h"

namespace platform {

// Draws the bitmap at the top left (loaded once per control); a title that
// names no bitmap draws nothing.
void DrawStaticBitmap(HWND hwnd, HDC dc, WORD bitmapId);
void DrawEtchedLine(HDC dc, const RECT& client);
// The sunken edge of SS_SUNKEN, inside the client area.
void DrawSunkenEdge(HDC dc, const RECT& client);
void ForgetStaticBitmap(HWND hwnd);

}  // namespace platform
