// The four compositing kernels over 24-bit bitmap descriptions (as
// GetObject fills them). Each answers TRUE after compositing and FALSE,
// changing nothing, when a check fails. Rows are taken in memory order.
#pragma once

#include <windows.h>

#include "graphics/alpha_image.h"

// All three of one geometry; alpha 0 to 255 (the kernels refuse more).
BOOL KeyedBlend(const BITMAP* source, const BITMAP* background, const BITMAP* destination, UINT alpha);

// Composites the image onto the bitmap from its first row and column.
BOOL AlphaComposite(const AlphaImage* image, HBITMAP destination);

// Pixel (sx + i, sy + j) of the sheet's left half over pixel (i, j) of the
// background, through the mask at the same place in the right half.
BOOL MaskedSheet(const BITMAP* sheet, const BITMAP* background, const BITMAP* destination, UINT alpha, int sx,
    int sy, int width, int height);

// channel: 1 red, 2 green, 3 blue byte of the mask.
BOOL SeparateMask(const BITMAP* source, const BITMAP* background, const BITMAP* destination, const BITMAP* mask,
    int channel);

// Blends colour (a colour reference) over the whole bitmap at alpha, 0 to
// 255 (the kernel refuses more).
BOOL ColourBlend(const BITMAP* bitmap, COLORREF colour, UINT alpha);
