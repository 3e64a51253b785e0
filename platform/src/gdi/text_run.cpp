#include "text_run.h"

#include <algorithm>
#include <vector>

#include "device_context.h"
#include "font_face.h"
#include "font_objects.h"

namespace platform {
namespace {

// Coverage blends ink over what is there in integers, so that the same
// text always gives the same bytes.
uint8_t Mix(unsigned ink, unsigned paper, unsigned alpha)
{
    return static_cast<uint8_t>((ink * alpha + paper * (255 - alpha) + 127) / 255);
}

// On a monochrome surface the blend becomes black or white.
void BlendGlyphInBits(const Surface& surface, const Glyph& glyph, int left, int top, const sim::Rect& piece,
                      COLORREF colour)
{
    for (int y = piece.top; y < piece.bottom; ++y) {
        const uint8_t* coverage = &glyph.coverage[static_cast<size_t>(y - top) * glyph.width + (piece.left - left)];
        for (int x = piece.left; x < piece.right; ++x, ++coverage) {
            if (*coverage == 0)
                continue;
            unsigned paper = surface.White(x, y) ? 255 : 0;
            COLORREF mixed = RGB(Mix(GetRValue(colour), paper, *coverage), Mix(GetGValue(colour), paper, *coverage),
                                 Mix(GetBValue(colour), paper, *coverage));
            surface.SetWhite(x, y, NearerWhite(mixed));
        }
    }
}

void BlendGlyph(const Surface& surface, const Glyph& glyph, int left, int top, const sim::Rect& clip,
                COLORREF colour)
{
    sim::Rect piece = sim::Intersect(sim::Rect{left, top, left + glyph.width, top + glyph.height}, clip);
    if (surface.Monochrome()) {
        BlendGlyphInBits(surface, glyph, left, top, piece, colour);
        return;
    }
    unsigned red = GetRValue(colour);
    unsigned green = GetGValue(colour);
    unsigned blue = GetBValue(colour);
    int step = surface.BytesPerPixel();
    for (int y = piece.top; y < piece.bottom; ++y) {
        const uint8_t* coverage = &glyph.coverage[static_cast<size_t>(y - top) * glyph.width + (piece.left - left)];
        uint8_t* pixel = surface.At(piece.left, y);
        for (int x = piece.left; x < piece.right; ++x, ++coverage, pixel += step) {
            unsigned alpha = *coverage;
            if (alpha == 0)
                continue;
            pixel[0] = Mix(blue, pixel[0], alpha);
            pixel[1] = Mix(green, pixel[1], alpha);
            pixel[2] = Mix(red, pixel[2], alpha);
        }
    }
}

void FillClipped(const Surface& surface, const sim::Region& clip, const sim::Rect& area, COLORREF colour)
{
    for (const sim::Rect& rect : clip.Rects()) {
        sim::Rect piece = sim::Intersect(area, rect);
        for (int y = piece.top; y < piece.bottom; ++y)
            FillSpan(surface, piece.left, y, piece.Width(), colour);
    }
}

sim::Rect SimRect(const RECT& rect) { return sim::Rect{rect.left, rect.top, rect.right, rect.bottom}; }

// Where each character's cell starts, and where the last one ends.
std::vector<int> PenPositions(const TextRun& run, const FontFace& face)
{
    std::vector<int> starts(run.text.size() + 1);
    int pen = run.x;
    for (size_t i = 0; i < run.text.size(); ++i) {
        starts[i] = pen;
        pen += run.advances ? run.advances[i] : face.GlyphOf(run.text[i]).advance;
    }
    starts[run.text.size()] = pen;
    return starts;
}

}  // namespace

bool DrawTextRun(HDC hdc, const TextRun& run)
{
    DeviceContext* dc = FindDc(hdc);
    FontObject* font = SelectedFont(hdc);
    DrawTarget target;
    if (!dc || !font || !TargetOf(hdc, target))
        return false;
    sim::Region clip = target.clip;
    if (run.clip)
        clip.Intersect(SimRect(*run.clip).Offset(target.dx, target.dy));
    const FontFace& face = *font->face;
    const FaceMetrics& metrics = face.Metrics();
    std::vector<int> starts = PenPositions(run, face);
    int left = std::min(starts.front(), starts.back()) + target.dx;
    int right = std::max(starts.front(), starts.back()) + target.dx;
    int top = run.y + target.dy;
    int baseline = top + metrics.ascent;

    if (dc->bkMode == OPAQUE)
        FillClipped(target.surface, clip, sim::Rect{left, top, right, top + metrics.height}, dc->bkColour);
    for (const sim::Rect& rect : clip.Rects()) {
        for (size_t i = 0; i < run.text.size(); ++i) {
            const Glyph& glyph = face.GlyphOf(run.text[i]);
            BlendGlyph(target.surface, glyph, starts[i] + target.dx + glyph.left, baseline - glyph.top, rect,
                       dc->textColour);
        }
    }

    auto line = [&](size_t first, size_t last, int lineTop) {
        sim::Rect area{starts[first] + target.dx, lineTop, starts[last] + target.dx, lineTop + metrics.lineThickness};
        FillClipped(target.surface, clip, area, dc->textColour);
    };
    size_t count = run.text.size();
    if (font->logFont.lfUnderline)
        line(0, count, baseline + metrics.underlineTop);
    else if (run.underlineFirst < run.underlineLast && run.underlineLast <= count)
        line(run.underlineFirst, run.underlineLast, baseline + metrics.underlineTop);
    if (font->logFont.lfStrikeOut)
        line(0, count, baseline - metrics.strikeOutTop);
    return true;
}

bool FillTextBackground(HDC hdc, const RECT& rect)
{
    DeviceContext* dc = FindDc(hdc);
    DrawTarget target;
    if (!dc || !TargetOf(hdc, target))
        return false;
    FillClipped(target.surface, target.clip, SimRect(rect).Offset(target.dx, target.dy), dc->bkColour);
    return true;
}

}  // namespace platform
