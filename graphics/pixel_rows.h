// The inner loops of the compositing kernels, one row at a time. Written
// without branches so that the compiler vectorises them. Pixels are
// B,G,R unless said otherwise; background and destination may be the
// same row.
#pragma once

#include <windows.h>

#include "graphics/alpha_runs.h"

// White source pixels leave the destination, black ones are copied, the
// rest blend: (background × (255 − alpha) + source × alpha) >> 8.
void KeyedBlendRow(const BYTE* source, const BYTE* background, BYTE* destination, int pixels, UINT alpha);

// source: R,G,B,A. Alpha 0 leaves the destination, 255 copies the colour,
// the rest blend: (source × a + destination × (255 − a)) >> 8.
void AlphaCompositeRow(const BYTE* source, BYTE* destination, int pixels);

// The same over whole rows through their runs: source rows of width
// R,G,B,A pixels one after the other, destination rows stride bytes apart.
// Clear runs are skipped, opaque ones copied, soft ones blended.
void AlphaCompositeRuns(const BYTE* source, int width, BYTE* destination, ptrdiff_t stride, const AlphaRun* runs,
    size_t runCount);

// source: R,G,B, drawn opaque.
void OpaqueCopyRow(const BYTE* source, BYTE* destination, int pixels);

// m = 255 − mask red, scaled by alpha/255 when alpha is not 255. m = 0
// leaves the destination, 255 copies the picture, the rest blend:
// (background × (255 − m) + picture × m) >> 8.
void MaskedSheetRow(const BYTE* picture, const BYTE* mask, const BYTE* background, BYTE* destination, int pixels,
    UINT alpha);

// m = the mask byte at maskByte (0 blue, 1 green, 2 red) of each mask
// pixel. m = 255 leaves the destination, 0 copies the source, the rest
// blend: (background × m + source × (255 − m)) >> 8.
void SeparateMaskRow(const BYTE* source, const BYTE* background, BYTE* destination, const BYTE* mask, int maskByte,
    int pixels);

// Every channel of every pixel becomes (colour × alpha + pixel × (255 −
// alpha)) >> 8; colour is B,G,R.
void ColourBlendRow(BYTE* pixels, int count, const BYTE* colour, UINT alpha);
