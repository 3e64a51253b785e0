#include "paint_helpers.h"

namespace platform {

LONG Scaled(LONG size, int dpi) { return (size * dpi + 48) / 96; }

void Fill(HDC dc, const RECT& r, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void Gradient(HDC dc, const RECT& r, COLORREF top, COLORREF bottom)
{
    LONG height = r.bottom - r.top;
    for (LONG y = 0; y < height; ++y) {
        auto mix = [&](int shift) {
            int a = (top >> shift) & 0xFF;
            int b = (bottom >> shift) & 0xFF;
            return a + (b - a) * y / (height > 1 ? height - 1 : 1);
        };
        Fill(dc, RECT{r.left, r.top + y, r.right, r.top + y + 1}, RGB(mix(0), mix(8), mix(16)));
    }
}

}  // namespace platform
