#include "graphics/screen_metrics.h"

#include <aygshell.h>

static ScreenMetrics s_metrics = { 0.0, 0.0, FALSE, FALSE, 1 };

const ScreenMetrics& GetScreenMetrics()
{
    return s_metrics;
}

void ComputeScreenMetrics()
{
    HDC screen = GetDC(NULL);
    RECT workArea = { 0, 0, 0, 0 };
    SystemParametersInfo(SPI_GETWORKAREA, 0, &workArea, 0);
    if (workArea.right < 321) {
        s_metrics.scaleX = 1.0;
        s_metrics.scaleY = 1.0;
        s_metrics.fontScale = 1;
    } else {
        s_metrics.scaleX = 2.0;
        s_metrics.scaleY = 2.0;
        s_metrics.vga = TRUE;
        if (GetDeviceCaps(screen, LOGPIXELSX) == 96)
            s_metrics.fontScale = 2;
    }
    if (workArea.right == workArea.bottom)
        s_metrics.square = TRUE;
    ReleaseDC(NULL, screen);
}

void ScaleRect(RECT* rect)
{
    rect->left = (LONG)(rect->left * s_metrics.scaleX);
    rect->right = (LONG)(rect->right * s_metrics.scaleX);
    rect->top = (LONG)(rect->top * s_metrics.scaleY);
    rect->bottom = (LONG)(rect->bottom * s_metrics.scaleY);
}

BOOL IsVgaScreen()
{
    return s_metrics.vga;
}

BOOL IsSquareScreen()
{
    return s_metrics.square;
}

BOOL IsLandscape()
{
    SIPINFO info;
    memset(&info, 0, sizeof(info));
    info.cbSize = sizeof(info);
    SHSipInfo(SPI_GETSIPINFO, 0, &info, 0);
    LONG width = info.rcVisibleDesktop.right - info.rcVisibleDesktop.left;
    return width > (s_metrics.vga ? 480 : 240);
}
