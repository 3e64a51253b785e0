// CreateFontIndirectW, CreateFontW, and the face a font object draws with.
#include "font_objects.h"

#include <algorithm>

#include "ce/errors.h"
#include "device_context.h"
#include "font_face.h"
#include "font_match.h"

namespace platform {
namespace {

// A height of 0 asks for the default size: 8 points.
const int kDefaultPoints = 8;
// Bigger requests are taken as this; nothing on a device screen needs more.
const int kLargestPpem = 1000;

std::u16string_view FaceName(const LOGFONTW& logFont)
{
    std::u16string_view name(logFont.lfFaceName, LF_FACESIZE);
    return name.substr(0, name.find(u'\0'));
}

// A positive height is the whole cell: the em is scaled to make it.
int PpemFor(const LOGFONTW& logFont, const FaceDesign& design, HDC hdc)
{
    int ppem = 0;
    if (logFont.lfHeight < 0) {
        ppem = -logFont.lfHeight;
    } else if (logFont.lfHeight > 0) {
        ppem = (logFont.lfHeight * design.unitsPerEm + design.cellUnits / 2) / design.cellUnits;
    } else {
        int dpi = GetDeviceCaps(hdc, LOGPIXELSY);
        ppem = (kDefaultPoints * (dpi > 0 ? dpi : 96) + 36) / 72;
    }
    return std::clamp(ppem, 1, kLargestPpem);
}

// FIXME: lfItalic, lfWidth, lfEscapement and lfOrientation are not
// honoured; text is always upright at the face's own widths.
std::shared_ptr<const FontFace> FindFace(const LOGFONTW& logFont, HDC hdc)
{
    bool bold = logFont.lfWeight >= FW_SEMIBOLD;
    FontFile file = MatchFontFile(FaceName(logFont), bold);
    FaceDesign design = file.path.empty() ? FaceDesign{} : FontFace::DesignOf(file.path, file.index);
    if (!design.valid)
        return nullptr;
    FaceKey key;
    key.path = file.path;
    key.index = file.index;
    key.ppem = PpemFor(logFont, design, hdc);
    if (bold && !file.bold)
        key.bolding = Bolding::OutlinesAndAdvances;
    else if (bold && !design.boldStems)
        key.bolding = Bolding::Outlines;
    key.antialias = logFont.lfQuality != NONANTIALIASED_QUALITY;
    return FontFace::Open(key);
}

}  // namespace

FontObject* SelectedFont(HDC hdc)
{
    DeviceContext* dc = FindDc(hdc);
    FontObject* font = dc ? FindGdiObjectOf<FontObject>(dc->font, GdiType::Font) : nullptr;
    if (!font)
        return nullptr;
    // The face is found once: a font keeps its size even if a later DC
    // would have given a height of 0 another meaning.
    if (!font->face)
        font->face = FindFace(font->logFont, hdc);
    return font->face ? font : nullptr;
}

}  // namespace platform

using namespace platform;

HFONT CreateFontIndirectW(const LOGFONTW* lplf)
{
    if (!lplf) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto font = std::make_unique<FontObject>();
    font->logFont = *lplf;
    font->logFont.lfFaceName[LF_FACESIZE - 1] = u'\0';
    return static_cast<HFONT>(AddGdiObject(std::move(font)));
}

HFONT CreateFontW(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic,
                  DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                  DWORD iQuality, DWORD iPitchAndFamily, LPCWSTR pszFaceName)
{
    LOGFONTW logFont = {};
    logFont.lfHeight = cHeight;
    logFont.lfWidth = cWidth;
    logFont.lfEscapement = cEscapement;
    logFont.lfOrientation = cOrientation;
    logFont.lfWeight = cWeight;
    logFont.lfItalic = static_cast<BYTE>(bItalic);
    logFont.lfUnderline = static_cast<BYTE>(bUnderline);
    logFont.lfStrikeOut = static_cast<BYTE>(bStrikeOut);
    logFont.lfCharSet = static_cast<BYTE>(iCharSet);
    logFont.lfOutPrecision = static_cast<BYTE>(iOutPrecision);
    logFont.lfClipPrecision = static_cast<BYTE>(iClipPrecision);
    logFont.lfQuality = static_cast<BYTE>(iQuality);
    logFont.lfPitchAndFamily = static_cast<BYTE>(iPitchAndFamily);
    for (int i = 0; pszFaceName && i < LF_FACESIZE - 1 && pszFaceName[i]; ++i)
        logFont.lfFaceName[i] = pszFaceName[i];
    return CreateFontIndirectW(&logFont);
}
