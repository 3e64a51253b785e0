// Where an R,G,B,A picture is clear, opaque or soft, row by row. Skins are
// known when they are read, so they are classified once then, and the
// composite walks the runs instead of testing pixels on every draw.
#pragma once

#include <windows.h>

struct AlphaImage;

enum AlphaRunKind { kClearRun, kOpaqueRun, kSoftRun };

// length pixels of one kind; a run never crosses a row.
struct AlphaRun {
    WORD kind;
    WORD length;
};

// Replaces the image's runs by ones found in its pixels. Images that are
// not 4 bytes per pixel, or wider than a run can span, get none and are
// composited pixel by pixel.
void ClassifyAlphaRuns(AlphaImage* image);
