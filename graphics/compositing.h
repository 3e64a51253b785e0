// Drawing skins onto a DC: the area under the picture is copied into the
// scratch bitmap, composited there and copied back, so the skin lands on
// whatever was drawn before.
#pragma once

#include <windows.h>

#include "graphics/alpha_image.h"

// Composites the whole image and copies back width × height (−1: the
// image's) from (sx, sy) of it to (x, y): a meter drawn to a fraction of
// its length.
void DrawAlphaImage(HDC dc, const AlphaImage* image, int x, int y, int width, int height, int sx, int sy);
void DrawAlphaImage(HDC dc, const AlphaImage* image, int x, int y);

// Blends colour over width × height at (x, y) with alpha out of 255; an
// alpha of 256 or more draws nothing.
void DrawColourBlend(HDC dc, int x, int y, int width, int height, COLORREF colour, UINT alpha);

// bitmap is width × height; white in it is transparent, black opaque, the
// rest blended at alpha.
void DrawKeyedBlend(HDC dc, int x, int y, int width, int height, HBITMAP bitmap, UINT alpha);

// sheet holds pictures in its left half and their masks in its right half
// (white transparent, black opaque); draws the one at (sx, sy).
void DrawMaskedSheet(HDC dc, int x, int y, int width, int height, HBITMAP sheet, int sx, int sy, UINT alpha);

// mask has the bitmap's size; channel 1, 2 or 3 picks its red, green or
// blue byte as the transparency (255 transparent, 0 opaque).
void DrawWithMask(HDC dc, int x, int y, int width, int height, HBITMAP bitmap, HBITMAP mask, int channel);
