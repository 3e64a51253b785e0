// 24-bit device-independent bitmaps: bottom-up, B,G,R, rows padded to
// four bytes. Every bitmap the compositing makes is one of these.
#pragma once

#include <windows.h>

HBITMAP CreateDib24(HDC dc, int width, int height);
void DeleteDib24(HBITMAP bitmap);

// One bitmap reused for every composite of the same size, so repeated
// drawing of same-sized skins allocates nothing.
HBITMAP ScratchBitmap(HDC dc, int width, int height);
void DropScratchBitmap();
