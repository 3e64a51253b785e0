// Small drawing steps shared by the platform's own drawn windows: message
// boxes, popup menus and soft-key bars.
#pragma once

#include "ce/gdi.h"
#include "ce/types.h"

namespace platform {

// A size given at 96 dpi, at the screen's dpi, rounded.
LONG Scaled(LONG size, int dpi);

void Fill(HDC dc, const RECT& r, COLORREF colour);

// A vertical blend from top to bottom, one band a row.
void Gradient(HDC dc, const RECT& r, COLORREF top, COLORREF bottom);

}  // namespace platform
