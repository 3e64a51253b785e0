// A picture with per-pixel alpha, as read from a TGA file.
#pragma once

#include <windows.h>

#include "graphics/alpha_runs.h"

struct AlphaImage {
    // From the file; kept, never used for drawing.
    DWORD xOrigin;
    DWORD yOrigin;
    DWORD width;
    DWORD height;
    // 3 or 4.
    DWORD bytesPerPixel;
    // width × height pixels, rows in file order (bottom row first), each
    // R, G, B and, with 4 bytes, A.
    BYTE* pixels;
    // The rows' runs, all rows in order, or none (runCount 0): then every
    // pixel is tested when composited.
    AlphaRun* runs;
    DWORD runCount;
};

void FreeAlphaImage(AlphaImage* image);
