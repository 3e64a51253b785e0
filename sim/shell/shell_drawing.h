// Drawing pieces the shell's bars and Today screen share, scaled for the
// screen's dpi.
#pragma once

#include <windows.h>

namespace shell {

// Pixels at 96 dpi scaled to the screen's dpi.
int Scaled(int pixels);

void Fill(HDC dc, const RECT& r, COLORREF colour);
// A vertical blend from the top colour to the bottom one.
void Gradient(HDC dc, const RECT& r, COLORREF top, COLORREF bottom);
// The rows of part of a blend over full (rows outside full take its end
// colours), drawn shiftY rows lower.
void GradientPart(HDC dc, const RECT& part, const RECT& full, COLORREF top, COLORREF bottom, int shiftY);
// Row row's colour of a blend over height rows.
COLORREF BlendAt(COLORREF top, COLORREF bottom, int row, int height);
// Tahoma at the given point size; the caller deletes it.
HFONT CreateShellFont(int points, bool bold);
void DrawShellText(HDC dc, LPCWSTR text, RECT r, UINT format, COLORREF colour, HFONT font);

// The bars' blue, as the Pocket PC default scheme has it.
const COLORREF kBarTop = RGB(41, 105, 206);
const COLORREF kBarBottom = RGB(0, 48, 140);

}  // namespace shell
