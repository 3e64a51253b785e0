#include "ui/drawing_primitives.h"

#include "graphics/shared_resources.h"

// A missing font falls back to the default font, and a missing default
// font to the DC's own.
static HFONT FontOrDefault(HFONT font)
{
    return font ? font : DefaultFont();
}

void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour)
{
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ previous = SelectObject(dc, pen);
    POINT points[2] = { { x1, y1 }, { x2, y2 } };
    Polyline(dc, points, 2);
    SelectObject(dc, previous);
    DeleteObject(pen);
}

void DrawOutline(HDC dc, int left, int top, int right, int bottom)
{
    POINT points[5] = { { left, top }, { right, top }, { right, bottom }, { left, bottom }, { left, top } };
    Polyline(dc, points, 5);
}

void FillColour(HDC dc, int left, int top, int right, int bottom, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    RECT area = { left, top, right, bottom };
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

void DrawTextTransparent(HDC dc, const WCHAR* text, int length, RECT* rect, UINT format, HFONT font)
{
    HFONT chosen = FontOrDefault(font);
    HGDIOBJ previousFont = chosen ? SelectObject(dc, chosen) : NULL;
    int previousMode = SetBkMode(dc, TRANSPARENT);
    DrawText(dc, text, length, rect, format);
    SetBkMode(dc, previousMode);
    if (previousFont)
        SelectObject(dc, previousFont);
}

int TextHeight(HDC dc, HFONT font)
{
    HFONT chosen = FontOrDefault(font);
    HGDIOBJ previous = chosen ? SelectObject(dc, chosen) : NULL;
    TEXTMETRIC metrics;
    memset(&metrics, 0, sizeof(metrics));
    GetTextMetrics(dc, &metrics);
    if (previous)
        SelectObject(dc, previous);
    return metrics.tmHeight;
}

int TextHeightDefault(HFONT font)
{
    return TextHeight(SharedImageDc(), font);
}
