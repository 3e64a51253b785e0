#include "graphics/shared_resources.h"

#include "graphics/dib24.h"
#include "graphics/screen_metrics.h"
#include "graphics/skin_font.h"

static HDC s_imageDc = NULL;
static HDC s_workDc = NULL;
static HFONT s_defaultFont = NULL;

void CreateSharedResources(HWND window, HDC dc)
{
    HDC windowDc = NULL;
    if (dc == NULL) {
        windowDc = GetDC(window);
        dc = windowDc;
    }
    s_imageDc = CreateCompatibleDC(dc);
    s_workDc = CreateCompatibleDC(dc);
    if (GetScreenMetrics().scaleX == 0.0)
        ComputeScreenMetrics();
    s_defaultFont = CreateSkinFont(dc, 8, FW_NORMAL);
    if (windowDc)
        ReleaseDC(window, windowDc);
}

void ReleaseSharedResources()
{
    if (s_imageDc)
        DeleteDC(s_imageDc);
    if (s_workDc)
        DeleteDC(s_workDc);
    if (s_defaultFont)
        DeleteObject(s_defaultFont);
    s_imageDc = NULL;
    s_workDc = NULL;
    s_defaultFont = NULL;
    DropScratchBitmap();
}

HDC SharedImageDc()
{
    return s_imageDc;
}

HDC SharedWorkDc()
{
    return s_workDc;
}

HFONT DefaultFont()
{
    return s_defaultFont;
}
