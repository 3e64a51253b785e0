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

void Gradient(HDC dc, const RECT& r, COLORREF top, COLORREF bottom)
{
    int height = r.bottom - r.top;
    for (int y = 0; y < height; ++y) {
        int span = height > 1 ? height - 1 : 1;
        int red = GetRValue(top) + (GetRValue(bottom) - GetRValue(top)) * y / span;
        int green = GetGValue(top) + (GetGValue(bottom) - GetGValue(top)) * y / span;
        int blue = GetBValue(top) + (GetBValue(bottom) - GetBValue(top)) * y / span;
        RECT row = {r.left, r.top + y, r.right, r.top + y + 1};
        Fill(dc, row, RGB(red, green, blue));
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
