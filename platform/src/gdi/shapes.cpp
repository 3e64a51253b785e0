// Filled rectangles, lines and single pixels.
#include <cstdlib>

#include "device_context.h"

namespace platform {
namespace {

void FillArea(const DrawTarget& target, const sim::Rect& area, COLORREF colour)
{
    for (const sim::Rect& clip : target.clip.Rects()) {
        sim::Rect piece = sim::Intersect(area, clip);
        FillSpans(target.surface, piece.left, piece.top, piece.Width(), piece.Height(), colour);
    }
}

// A pen's colour and width, or false for a null pen.
bool PenOf(const DeviceContext& dc, COLORREF& colour, int& width)
{
    PenObject* pen = FindGdiObjectOf<PenObject>(dc.pen, GdiType::Pen);
    if (!pen || pen->logPen.lopnStyle == PS_NULL)
        return false;
    colour = pen->logPen.lopnColor;
    width = pen->logPen.lopnWidth.x > 1 ? pen->logPen.lopnWidth.x : 1;
    return true;
}

void Plot(const DrawTarget& target, int x, int y, int width, COLORREF colour)
{
    // A wide pen paints a square centred on the line.
    int half = (width - 1) / 2;
    sim::Rect dot{x - half, y - half, x - half + width, y - half + width};
    FillArea(target, dot.Offset(target.dx, target.dy), colour);
}

// Bresenham from (x1, y1) towards (x2, y2), the end point itself left out.
void DrawSegment(const DrawTarget& target, int x1, int y1, int x2, int y2, int width, COLORREF colour)
{
    int dx = std::abs(x2 - x1);
    int dy = -std::abs(y2 - y1);
    int stepX = x1 < x2 ? 1 : -1;
    int stepY = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    int x = x1;
    int y = y1;
    while (x != x2 || y != y2) {
        Plot(target, x, y, width, colour);
        int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

}  // namespace
}  // namespace platform

using namespace platform;

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr)
{
    DrawTarget target;
    COLORREF colour = 0;
    if (!lprc || !TargetOf(hDC, target))
        return 0;
    if (!BrushColour(hbr, colour))
        return 1;
    FillArea(target, sim::Rect{lprc->left, lprc->top, lprc->right, lprc->bottom}.Offset(target.dx, target.dy), colour);
    return 1;
}

BOOL Polyline(HDC hdc, const POINT* apt, int cpt)
{
    DeviceContext* dc = FindDc(hdc);
    DrawTarget target;
    if (!dc || !apt || cpt < 2 || !TargetOf(hdc, target))
        return FALSE;
    COLORREF colour = 0;
    int width = 1;
    if (!PenOf(*dc, colour, width))
        return TRUE;
    for (int i = 1; i < cpt; ++i)
        DrawSegment(target, apt[i - 1].x, apt[i - 1].y, apt[i].x, apt[i].y, width, colour);
    return TRUE;
}

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    DeviceContext* dc = FindDc(hdc);
    if (!dc)
        return FALSE;
    if (lppt)
        *lppt = dc->position;
    dc->position = POINT{x, y};
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y)
{
    DeviceContext* dc = FindDc(hdc);
    if (!dc)
        return FALSE;
    POINT line[2] = {dc->position, POINT{x, y}};
    BOOL drawn = Polyline(hdc, line, 2);
    dc->position = line[1];
    return drawn;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom)
{
    DeviceContext* dc = FindDc(hdc);
    DrawTarget target;
    if (!dc || !TargetOf(hdc, target))
        return FALSE;
    COLORREF fill = 0;
    if (BrushColour(static_cast<HBRUSH>(dc->brush), fill))
        FillArea(target, sim::Rect{left + 1, top + 1, right - 1, bottom - 1}.Offset(target.dx, target.dy), fill);
    COLORREF colour = 0;
    int width = 1;
    if (PenOf(*dc, colour, width)) {
        POINT outline[5] = {{left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}, {left, top}};
        for (int i = 1; i < 5; ++i)
            DrawSegment(target, outline[i - 1].x, outline[i - 1].y, outline[i].x, outline[i].y, width, colour);
    }
    return TRUE;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color)
{
    DrawTarget target;
    if (!TargetOf(hdc, target) || !target.clip.Contains(sim::Point{x + target.dx, y + target.dy}))
        return static_cast<COLORREF>(-1);
    FillSpan(target.surface, x + target.dx, y + target.dy, 1, color);
    // The colour the pixel took: black or white on a monochrome bitmap.
    return PixelAt(target.surface, x + target.dx, y + target.dy);
}

COLORREF GetPixel(HDC hdc, int x, int y)
{
    DrawTarget target;
    if (!TargetOf(hdc, target) || !target.clip.Contains(sim::Point{x + target.dx, y + target.dy}))
        return CLR_INVALID;
    return PixelAt(target.surface, x + target.dx, y + target.dy);
}
