// The small drawing steps every control and page uses. Pens and brushes
// are made for the call and deleted at once.
#pragma once

#include <windows.h>

// A solid one-pixel line; the end point itself is not painted.
void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour);
// A closed outline through the four corners with the DC's current pen.
void DrawOutline(HDC dc, int left, int top, int right, int bottom);
// right and bottom are exclusive.
void FillColour(HDC dc, int left, int top, int right, int bottom, COLORREF colour);
// DrawText in the DC's text colour over what is there; font NULL is the
// default font. length −1 for a terminated text.
void DrawTextTransparent(HDC dc, const WCHAR* text, int length, RECT* rect, UINT format, HFONT font);
// The character cell height of font (NULL: the default font) in dc, or
// in the shared image DC.
int TextHeight(HDC dc, HFONT font);
int TextHeightDefault(HFONT font);
