#include "dialog_units.h"

#include <algorithm>
#include <cstdlib>

#include "ce/gdi.h"
#include "ce/text.h"

namespace platform {

DialogBaseUnits BaseUnitsOf(HFONT font)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    DialogBaseUnits base;
    if (GetTextMetricsW(dc, &metrics)) {
        base.x = std::max<LONG>(metrics.tmAveCharWidth, 1);
        base.y = std::max<LONG>(metrics.tmHeight, 1);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return base;
}

LONG ScaleRounded(LONG number, LONG numerator, LONG denominator)
{
    if (denominator == 0)
        return -1;
    long long product = static_cast<long long>(number) * numerator;
    bool negative = (product < 0) != (denominator < 0);
    long long magnitude = (std::llabs(product) + std::llabs(denominator) / 2) / std::llabs(denominator);
    return static_cast<LONG>(negative ? -magnitude : magnitude);
}

LONG HorizontalPixels(LONG units, const DialogBaseUnits& base) { return ScaleRounded(units, base.x, 4); }

LONG VerticalPixels(LONG units, const DialogBaseUnits& base) { return ScaleRounded(units, base.y, 8); }

HFONT CreateDialogFont(const std::optional<DialogFontTemplate>& font, int dpi)
{
    LOGFONTW logFont{};
    if (font) {
        logFont.lfHeight = -ScaleRounded(font->pointSize, dpi, 72);
        logFont.lfWeight = font->weight ? font->weight : FW_NORMAL;
        logFont.lfItalic = font->italic ? 1 : 0;
        logFont.lfCharSet = font->charSet;
        logFont.lfQuality = CLEARTYPE_QUALITY;
        size_t length = std::min<size_t>(font->face.size(), LF_FACESIZE - 1);
        std::copy_n(font->face.begin(), length, logFont.lfFaceName);
    } else {
        GetObjectW(GetStockObject(SYSTEM_FONT), sizeof logFont, &logFont);
        logFont.lfHeight = ScaleRounded(logFont.lfHeight, dpi, 96);
    }
    return CreateFontIndirectW(&logFont);
}

}  // namespace platform
