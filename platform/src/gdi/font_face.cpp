#include "font_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BITMAP_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>

namespace platform {

struct FontFace::Handle {
    FT_Face face = nullptr;
    ~Handle()
    {
        if (face)
            FT_Done_Face(face);
    }
};

namespace {

// Full hinting puts stems on whole pixels both ways: at 11 pixels it reads
// as crisp and dark as Windows text, where light hinting leaves vertical
// stems grey. The price is a gap here and there a pixel wider (after a
// colon at 12 pixels), as hinted advances are rounded.
const FT_Int32 kAntialiasedLoad = FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_NORMAL;
// Monochrome text may use the bitmaps a font carries for small sizes.
const FT_Int32 kMonochromeLoad = FT_LOAD_TARGET_MONO;

// Faces are opened under this lock too: FreeType's library object is not
// safe to share between threads that create faces.
std::mutex& LibraryMutex()
{
    static std::mutex mutex;
    return mutex;
}

FT_Library Library()
{
    static FT_Library library = [] {
        FT_Library made = nullptr;
        return FT_Init_FreeType(&made) == 0 ? made : nullptr;
    }();
    return library;
}

FT_Face OpenFace(const std::string& path, int index)
{
    FT_Library library = Library();
    FT_Face face = nullptr;
    if (!library || FT_New_Face(library, path.c_str(), index, &face) != 0)
        return nullptr;
    if (!FT_IS_SCALABLE(face)) {
        FT_Done_Face(face);
        return nullptr;
    }
    return face;
}

// The vertical design metrics GDI works from, in font units: the Windows
// ascent and descent of the OS/2 table where there is one.
struct Units {
    int perEm = 1;
    int ascent = 0;
    int descent = 0;
    int externalLeading = 0;
};

Units UnitsOf(FT_Face face)
{
    Units units;
    units.perEm = face->units_per_EM > 0 ? face->units_per_EM : 1;
    units.ascent = face->ascender;
    units.descent = -face->descender;
    auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        units.ascent = os2->usWinAscent;
        units.descent = os2->usWinDescent;
    }
    // The line gap beyond what the Windows ascent and descent already hold.
    auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    if (hhea) {
        int extra = hhea->Line_Gap - ((units.ascent + units.descent) - (hhea->Ascender - hhea->Descender));
        units.externalLeading = std::max(0, extra);
    }
    return units;
}

int Scale(long value, int ppem, int perEm)
{
    long long scaled = static_cast<long long>(value) * ppem;
    long long half = perEm / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / perEm : -((-scaled + half) / perEm));
}

// Bold stems are about 0.17 em thick against a regular design's 0.09; the
// difference in whole pixels, so that widened advances stay whole.
int EmboldenPixels(int ppem) { return std::max(1, (ppem * 2 + 12) / 25); }

// The stem of 'l' as a share of the em, in thousandths.
int StemThousandths(FT_Face face)
{
    FT_UInt index = FT_Get_Char_Index(face, u'l');
    if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE) != 0 ||
        face->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
        return 0;
    FT_BBox box;
    FT_Outline_Get_CBox(&face->glyph->outline, &box);
    return static_cast<int>((box.xMax - box.xMin) * 1000 / std::max<FT_UShort>(face->units_per_EM, 1));
}
// Between regular designs (about 90) and bold ones (140 and more).
const int kBoldStemThousandths = 120;

void CopyCoverage(const FT_Bitmap& bitmap, Glyph& glyph)
{
    glyph.width = static_cast<int>(bitmap.width);
    glyph.height = static_cast<int>(bitmap.rows);
    glyph.coverage.assign(static_cast<size_t>(glyph.width) * glyph.height, 0);
    int levels = bitmap.num_grays > 1 ? bitmap.num_grays - 1 : 1;
    for (int y = 0; y < glyph.height; ++y) {
        // A negative pitch means the rows run upwards in memory.
        int pitch = bitmap.pitch;
        const unsigned char* row =
            pitch >= 0 ? bitmap.buffer + y * pitch : bitmap.buffer + (glyph.height - 1 - y) * -pitch;
        for (int x = 0; x < glyph.width; ++x)
            glyph.coverage[static_cast<size_t>(y) * glyph.width + x] =
                static_cast<uint8_t>(std::min(255, row[x] * 255 / levels));
    }
}

}  // namespace

std::shared_ptr<const FontFace> FontFace::Open(const FaceKey& key)
{
    static std::vector<std::shared_ptr<const FontFace>> faces;
    std::lock_guard<std::mutex> lock(LibraryMutex());
    for (const auto& face : faces)
        if (face->key_ == key)
            return face;
    auto handle = std::make_unique<Handle>();
    handle->face = OpenFace(key.path, key.index);
    if (!handle->face || FT_Set_Pixel_Sizes(handle->face, 0, static_cast<FT_UInt>(key.ppem)) != 0)
        return nullptr;
    std::shared_ptr<FontFace> face(new FontFace(key, std::move(handle)));
    faces.push_back(face);
    return face;
}

FaceDesign FontFace::DesignOf(const std::string& path, int index)
{
    std::lock_guard<std::mutex> lock(LibraryMutex());
    FaceDesign design;
    FT_Face face = OpenFace(path, index);
    if (!face)
        return design;
    Units units = UnitsOf(face);
    design.valid = true;
    design.unitsPerEm = units.perEm;
    design.cellUnits = std::max(1, units.ascent + units.descent);
    design.boldStems = StemThousandths(face) >= kBoldStemThousandths;
    FT_Done_Face(face);
    return design;
}

FontFace::FontFace(const FaceKey& key, std::unique_ptr<Handle> handle) : key_(key), handle_(std::move(handle))
{
    if (key_.bolding != Bolding::None)
        emboldenStrength_ = 64 * EmboldenPixels(key_.ppem);
    if (key_.bolding == Bolding::OutlinesAndAdvances)
        advanceGrowth_ = emboldenStrength_ / 64;
    MeasureMetrics();
}

FontFace::~FontFace() = default;

void FontFace::MeasureMetrics()
{
    FT_Face face = handle_->face;
    Units units = UnitsOf(face);
    int ppem = key_.ppem;
    FaceMetrics& m = metrics_;
    m.ascent = Scale(units.ascent, ppem, units.perEm);
    m.descent = Scale(units.descent, ppem, units.perEm);
    m.height = m.ascent + m.descent;
    m.internalLeading = std::max(0, m.height - ppem);
    m.externalLeading = Scale(units.externalLeading, ppem, units.perEm);
    m.maxCharWidth = Scale(face->max_advance_width, ppem, units.perEm) + advanceGrowth_;
    m.aveCharWidth = GlyphOf(u'x').advance;
    m.fixedPitch = FT_IS_FIXED_WIDTH(face);

    m.lineThickness = std::max(1, Scale(face->underline_thickness, ppem, units.perEm));
    int underline = Scale(-face->underline_position, ppem, units.perEm) - (m.lineThickness - 1) / 2;
    m.underlineTop = std::clamp(underline, 0, std::max(0, m.descent - m.lineThickness));
    m.strikeOutTop = m.ascent / 3 + m.lineThickness;

    m.firstChar = u' ';
    m.lastChar = 0xFFFC;
    auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF) {
        if (os2->yStrikeoutSize > 0)
            m.strikeOutTop = Scale(os2->yStrikeoutPosition, ppem, units.perEm);
        m.firstChar = os2->usFirstCharIndex;
        m.lastChar = os2->usLastCharIndex;
    }
    // As GDI reports TrueType fonts: the range starts two below the font's
    // first character and the default character is the one just below it.
    m.defaultChar = m.firstChar >= 1 ? static_cast<char16_t>(m.firstChar - 1) : 0;
    m.firstChar = m.firstChar >= 2 ? static_cast<char16_t>(m.firstChar - 2) : 0;
}

Glyph FontFace::Render(char16_t c) const
{
    // FIXME: each UTF-16 unit is its own character; surrogate pairs draw as
    // two missing glyphs.
    Glyph glyph;
    FT_Face face = handle_->face;
    FT_UInt index = FT_Get_Char_Index(face, c);
    FT_Int32 flags = key_.antialias ? kAntialiasedLoad : kMonochromeLoad;
    // A regular file's bitmaps cannot stand in for bold; a bold file's can,
    // and are used as they are.
    if (key_.bolding == Bolding::OutlinesAndAdvances)
        flags |= FT_LOAD_NO_BITMAP;
    if (FT_Load_Glyph(face, index, flags) != 0)
        return glyph;
    FT_GlyphSlot slot = face->glyph;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE && emboldenStrength_)
        FT_Outline_EmboldenXY(&slot->outline, emboldenStrength_, 0);
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6) + advanceGrowth_;
    if (slot->format != FT_GLYPH_FORMAT_BITMAP &&
        FT_Render_Glyph(slot, key_.antialias ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0)
        return glyph;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    if (slot->bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
        CopyCoverage(slot->bitmap, glyph);
        return glyph;
    }
    // Monochrome and embedded bitmaps come as one byte a pixel first.
    FT_Bitmap converted;
    FT_Bitmap_Init(&converted);
    if (FT_Bitmap_Convert(Library(), &slot->bitmap, &converted, 1) == 0)
        CopyCoverage(converted, glyph);
    FT_Bitmap_Done(Library(), &converted);
    return glyph;
}

const Glyph& FontFace::GlyphOf(char16_t c) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = glyphs_.find(c);
    if (it == glyphs_.end())
        it = glyphs_.emplace(c, Render(c)).first;
    return it->second;
}

int FontFace::Width(std::u16string_view text) const
{
    int width = 0;
    for (char16_t c : text)
        width += GlyphOf(c).advance;
    return width;
}

}  // namespace platform
