// The drawing resources every window, page and control of the process
// shares: two memory DCs and the default font.
#pragma once

#include <windows.h>

// Uses dc, or a DC of window when dc is NULL; computes the screen metrics
// the first time.
void CreateSharedResources(HWND window, HDC dc);
// Also drops the compositing scratch bitmap.
void ReleaseSharedResources();

// Fonts are made and text is measured in the image DC; pictures are
// selected into it to be copied.
HDC SharedImageDc();
// The DC in which pictures are composited.
HDC SharedWorkDc();
// 8 points, normal weight.
HFONT DefaultFont();
