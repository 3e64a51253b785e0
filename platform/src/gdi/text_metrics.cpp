// GetTextMetricsW and GetTextExtentPoint32W for the DC's selected font.
#include "ce/errors.h"
#include "device_context.h"
#include "font_face.h"
#include "font_objects.h"

using namespace platform;

namespace {

// The pitch bits of tmPitchAndFamily: set for a variable pitch, and the
// kind of font.
const BYTE kVariablePitch = 0x01;  // TMPF_FIXED_PITCH, named backwards by GDI
const BYTE kVectorFont = 0x02;  // TMPF_VECTOR
const BYTE kTrueTypeFont = 0x04;  // TMPF_TRUETYPE

BYTE PitchAndFamily(const LOGFONTW& logFont, const FaceMetrics& metrics)
{
    BYTE family = logFont.lfPitchAndFamily & 0xF0;
    if (family == FF_DONTCARE)
        family = metrics.fixedPitch ? FF_MODERN : FF_SWISS;
    BYTE pitch = kVectorFont | kTrueTypeFont;
    if (!metrics.fixedPitch)
        pitch |= kVariablePitch;
    return family | pitch;
}

// Bad handles and missing fonts answer differently.
FontObject* FontForCall(HDC hdc)
{
    if (!FindDc(hdc)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return SelectedFont(hdc);
}

}  // namespace

BOOL GetTextMetricsW(HDC hdc, LPTEXTMETRICW lptm)
{
    FontObject* font = FontForCall(hdc);
    if (!font)
        return FALSE;
    if (!lptm) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const FaceMetrics& m = font->face->Metrics();
    const LOGFONTW& logFont = font->logFont;
    TEXTMETRICW tm = {};
    tm.tmHeight = m.height;
    tm.tmAscent = m.ascent;
    tm.tmDescent = m.descent;
    tm.tmInternalLeading = m.internalLeading;
    tm.tmExternalLeading = m.externalLeading;
    tm.tmAveCharWidth = m.aveCharWidth;
    tm.tmMaxCharWidth = m.maxCharWidth;
    tm.tmWeight = logFont.lfWeight >= FW_SEMIBOLD ? FW_BOLD : FW_NORMAL;
    // Device pixels are square.
    tm.tmDigitizedAspectX = tm.tmDigitizedAspectY = GetDeviceCaps(hdc, LOGPIXELSY);
    tm.tmFirstChar = m.firstChar;
    tm.tmLastChar = m.lastChar;
    tm.tmDefaultChar = m.defaultChar;
    tm.tmBreakChar = u' ';
    tm.tmItalic = logFont.lfItalic ? 1 : 0;
    tm.tmUnderlined = logFont.lfUnderline ? 1 : 0;
    tm.tmStruckOut = logFont.lfStrikeOut ? 1 : 0;
    tm.tmPitchAndFamily = PitchAndFamily(logFont, m);
    tm.tmCharSet = logFont.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : logFont.lfCharSet;
    *lptm = tm;
    return TRUE;
}

BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR lpString, int c, LPSIZE psizl)
{
    FontObject* font = FontForCall(hdc);
    if (!font)
        return FALSE;
    if (c < 0 || (c > 0 && !lpString) || !psizl) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const FontFace& face = *font->face;
    psizl->cx = face.Width(std::u16string_view(lpString, static_cast<size_t>(c)));
    psizl->cy = face.Metrics().height;
    return TRUE;
}
