#include "shell_drawing.h"

namespace shell {

int Scaled(int pixels)
{
    static int dpi = 0;
    if (dpi == 0) {
        HDC screen = GetDC(NULL);
        dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(NULL, screen);
    }
    return (pixels * dpi + 48) / 96;
}

void Fill(HDC dc, const RECT& r, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

COLORREF BlendAt(COLORREF top, COLORREF bottom, int row, int height)
{
    int span = height > 1 ? height - 1 : 1;
    row = row < 0 ? 0 : (row > span ? span : row);
    int red = GetRValue(top) + (GetRValue(bottom) - GetRValue(top)) * row / span;
    int green = GetGValue(top) + (GetGValue(bottom) - GetGValue(top)) * row / span;
    int blue = GetBValue(top) + (GetBValue(bottom) - GetBValue(top)) * row / span;
    return RGB(red, green, blue);
}

void Gradient(HDC dc, const RECT& r, COLORREF top, COLORREF bottom)
{
    GradientPart(dc, r, r, top, bottom, 0);
}

void GradientPart(HDC dc, const RECT& part, const RECT& full, COLORREF top, COLORREF bottom, int shiftY)
{
    for (int y = part.top; y < part.bottom; ++y) {
        RECT row = {part.left, y + shiftY, part.right, y + shiftY + 1};
        Fill(dc, row, BlendAt(top, bottom, y - full.top, full.bottom - full.top));
    }
}

HFONT CreateShellFont(int points, bool bold)
{
    HDC screen = GetDC(NULL);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(NULL, screen);
    LOGFONTW font = {};
    font.lfHeight = -((points * dpi + 36) / 72);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    wcscpy(font.lfFaceName, TEXT("Tahoma"));
    return CreateFontIndirectW(&font);
}

void DrawShellText(HDC dc, LPCWSTR text, RECT r, UINT format, COLORREF colour, HFONT font)
{
    HGDIOBJ old = SelectObject(dc, font);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour = SetTextColor(dc, colour);
    DrawTextW(dc, text, -1, &r, format | DT_NOPREFIX);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    SelectObject(dc, old);
}

}  // namespace shell
