#include "graphics/dib24.h"

static HBITMAP s_scratch = NULL;
static int s_scratchWidth = 0;
static int s_scratchHeight = 0;

HBITMAP CreateDib24(HDC dc, int width, int height)
{
    BITMAPINFO info;
    memset(&info, 0, sizeof(info));
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    return CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, NULL, 0);
}

void DeleteDib24(HBITMAP bitmap)
{
    if (bitmap)
        DeleteObject(bitmap);
}

HBITMAP ScratchBitmap(HDC dc, int width, int height)
{
    if (s_scratch && width == s_scratchWidth && height == s_scratchHeight)
        return s_scratch;
    DropScratchBitmap();
    s_scratch = CreateDib24(dc, width, height);
    s_scratchWidth = width;
    s_scratchHeight = height;
    return s_scratch;
}

void DropScratchBitmap()
{
    DeleteDib24(s_scratch);
    s_scratch = NULL;
    s_scratchWidth = 0;
    s_scratchHeight = 0;
}
