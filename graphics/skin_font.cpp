#include "graphics/skin_font.h"

#include "graphics/screen_metrics.h"

int RoundedRatio(int numerator, int denominator)
{
    double quotient = (double)numerator / denominator;
    double magnitude = quotient < 0 ? -quotient : quotient;
    int whole = (int)magnitude;
    // The fraction is measured on the signed quotient, as the height is.
    return quotient - whole >= 0.5 ? whole + 1 : whole;
}

HFONT CreateSkinFont(HDC dc, int pointSize, int weight, const WCHAR* face)
{
    int logPixels = GetDeviceCaps(dc, LOGPIXELSY);
    int divisor = 72 / GetScreenMetrics().fontScale;
    int height = RoundedRatio(pointSize * logPixels, divisor);
    return CreateFont(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, FF_SWISS | DEFAULT_PITCH, face);
}
