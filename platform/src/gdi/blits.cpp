// Block copies between DCs: BitBlt, StretchBlt and PatBlt.
#include <algorithm>
#include <cstring>
#include <vector>

#include "device_context.h"
#include "stretch_row.h"

namespace platform {
namespace {

// The byte operation of a raster code on source s and destination d;
// SRCCOPY has its own fast path.
uint8_t Combine(DWORD rop, uint8_t s, uint8_t d)
{
    switch (rop) {
    case SRCPAINT: return s | d;
    case SRCAND: return s & d;
    case SRCINVERT: return s ^ d;
    default: return s;
    }
}

bool UsesSource(DWORD rop) { return rop == SRCCOPY || rop == SRCPAINT || rop == SRCAND || rop == SRCINVERT; }

void CombineRow(DWORD rop, uint8_t* to, int toStep, const uint8_t* from, int fromStep, int count)
{
    for (int i = 0; i < count; ++i) {
        for (int c = 0; c < 3; ++c)
            to[c] = Combine(rop, from[c], to[c]);
        to += toStep;
        from += fromStep;
    }
}

// What a copy between a monochrome and a colour surface makes of the pixels,
// as GDI converts them: the source's 0 (black) bits paint in the destination
// DC's text colour and its 1 (white) bits in the destination's background
// colour; a colour source gives white where it matches the source DC's
// background colour and black elsewhere. Monochrome to monochrome copies
// the bits.
struct Conversion {
    COLORREF zeroBits = 0;
    COLORREF oneBits = 0x00FFFFFF;
    COLORREF sourceBackground = 0x00FFFFFF;
};

Conversion ConversionOf(const DeviceContext& to, const DeviceContext& from)
{
    return Conversion{to.textColour, to.bkColour, from.bkColour};
}

// The source pixel in the destination's terms: black or white for a
// monochrome destination.
COLORREF SourcePixel(const Surface& from, int x, int y, bool toMonochrome, const Conversion& conversion)
{
    if (from.Monochrome()) {
        bool white = from.White(x, y);
        if (toMonochrome)
            return BlackOrWhite(white);
        return white ? conversion.oneBits : conversion.zeroBits;
    }
    COLORREF colour = ColourAt(from.At(x, y));
    return toMonochrome ? BlackOrWhite(colour == conversion.sourceBackground) : colour;
}

void StorePixel(const Surface& to, int x, int y, COLORREF source, DWORD rop)
{
    if (to.Monochrome()) {
        uint8_t bits = Combine(rop, source ? 0xFF : 0x00, to.White(x, y) ? 0xFF : 0x00);
        to.SetWhite(x, y, bits != 0);
        return;
    }
    uint8_t* pixel = to.At(x, y);
    uint8_t channels[3];
    PutColour(channels, source);
    for (int c = 0; c < 3; ++c)
        pixel[c] = Combine(rop, channels[c], pixel[c]);
}

// One pixel at a time, when either side is monochrome.
void ConvertRect(const Surface& to, const sim::Rect& r, const Surface& from, int sx, int sy, DWORD rop,
                 const Conversion& conversion)
{
    // Within one surface, moving down reads the last row first and moving
    // right the last column.
    bool same = to.bits == from.bits;
    bool upward = same && sy < 0;
    bool leftward = same && sx < 0;
    for (int i = 0; i < r.Height(); ++i) {
        int y = upward ? r.bottom - 1 - i : r.top + i;
        for (int j = 0; j < r.Width(); ++j) {
            int x = leftward ? r.right - 1 - j : r.left + j;
            StorePixel(to, x, y, SourcePixel(from, x + sx, y + sy, to.Monochrome(), conversion), rop);
        }
    }
}

// Copies the rectangle (in destination surface coordinates) from the source
// surface displaced by (sx, sy); both surfaces may be the same one.
void CopyRect(const Surface& to, const sim::Rect& r, const Surface& from, int sx, int sy, DWORD rop,
              const Conversion& conversion)
{
    if (to.Monochrome() || from.Monochrome()) {
        ConvertRect(to, r, from, sx, sy, rop, conversion);
        return;
    }
    int width = r.Width();
    int toStep = to.BytesPerPixel();
    int fromStep = from.BytesPerPixel();
    // Moving down within one surface copies the last row first.
    bool upward = to.bits == from.bits && sy < 0;
    for (int i = 0; i < r.Height(); ++i) {
        int y = upward ? r.bottom - 1 - i : r.top + i;
        uint8_t* target = to.At(r.left, y);
        const uint8_t* source = from.At(r.left + sx, y + sy);
        if (rop == SRCCOPY)
            CopyPixels(target, toStep, source, fromStep, width);
        else
            CombineRow(rop, target, toStep, source, fromStep, width);
    }
}

// One destination row of a stretched copy from left to right; columns[i]
// is the source column of destination column left + i.
void StretchRow(const Surface& to, int y, int left, int right, const Surface& from, int sourceY,
                const int* columns, const Conversion& conversion)
{
    if (to.Monochrome() || from.Monochrome()) {
        for (int x = left; x < right; ++x, ++columns)
            if (*columns >= 0 && *columns < from.width)
                StorePixel(to, x, y, SourcePixel(from, *columns, sourceY, to.Monochrome(), conversion), SRCCOPY);
        return;
    }
    const uint8_t* row = from.Row(sourceY);
    int step = to.BytesPerPixel();
    int sourceStep = from.BytesPerPixel();
    uint8_t* p = to.At(left, y);
    for (int x = left; x < right; ++x, ++columns, p += step) {
        if (*columns < 0 || *columns >= from.width)
            continue;
        const uint8_t* s = row + static_cast<ptrdiff_t>(*columns) * sourceStep;
        p[0] = s[0];
        p[1] = s[1];
        p[2] = s[2];
    }
}

void PaintRect(const Surface& to, const sim::Rect& r, DWORD rop, COLORREF colour)
{
    if (rop != DSTINVERT) {
        FillSpans(to, r.left, r.top, r.Width(), r.Height(), colour);
        return;
    }
    for (int y = r.top; y < r.bottom; ++y) {
        if (to.Monochrome()) {
            for (int x = r.left; x < r.right; ++x)
                to.SetWhite(x, y, !to.White(x, y));
        } else {
            uint8_t* p = to.At(r.left, y);
            for (int x = r.left; x < r.right; ++x, p += to.BytesPerPixel())
                p[0] ^= 0xFF, p[1] ^= 0xFF, p[2] ^= 0xFF;
        }
    }
}

}  // namespace
}  // namespace platform

using namespace platform;

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop)
{
    if (!UsesSource(rop))
        return PatBlt(hdc, x, y, cx, cy, rop);
    DrawTarget target;
    Surface source;
    int sdx = 0, sdy = 0;
    if (!TargetOf(hdc, target) || !SourceOf(hdcSrc, source, sdx, sdy))
        return FALSE;
    if (cx <= 0 || cy <= 0)
        return TRUE;
    Conversion conversion = ConversionOf(*FindDc(hdc), *FindDc(hdcSrc));
    // Destination rectangle on its surface, and the displacement to the
    // matching source pixels.
    sim::Rect area{x + target.dx, y + target.dy, x + target.dx + cx, y + target.dy + cy};
    int shiftX = (x1 + sdx) - area.left;
    int shiftY = (y1 + sdy) - area.top;
    // Only pixels that exist in the source are copied.
    area = sim::Intersect(area, sim::Rect{0, 0, source.width, source.height}.Offset(-shiftX, -shiftY));
    // When source and destination overlap on one surface, the clip pieces
    // are copied in an order that reads each pixel before it is written.
    std::vector<sim::Rect> pieces = target.clip.Rects();
    if (source.bits == target.surface.bits)
        std::sort(pieces.begin(), pieces.end(), [shiftY](const sim::Rect& a, const sim::Rect& b) {
            return shiftY < 0 ? a.top > b.top : a.top < b.top;
        });
    for (const sim::Rect& clip : pieces) {
        sim::Rect piece = sim::Intersect(area, clip);
        if (!piece.Empty())
            CopyRect(target.surface, piece, source, shiftX, shiftY, rop, conversion);
    }
    return TRUE;
}

BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
                int wSrc, int hSrc, DWORD rop)
{
    if (wDest == wSrc && hDest == hSrc)
        return BitBlt(hdcDest, xDest, yDest, wDest, hDest, hdcSrc, xSrc, ySrc, rop);
    DrawTarget target;
    Surface source;
    int sdx = 0, sdy = 0;
    if (!TargetOf(hdcDest, target) || !SourceOf(hdcSrc, source, sdx, sdy) || rop != SRCCOPY)
        return FALSE;
    // Mirroring (negative extents) is not needed by the device programs.
    if (wDest <= 0 || hDest <= 0 || wSrc <= 0 || hSrc <= 0)
        return FALSE;
    sim::Rect area{xDest + target.dx, yDest + target.dy, xDest + target.dx + wDest, yDest + target.dy + hDest};
    Conversion conversion = ConversionOf(*FindDc(hdcDest), *FindDc(hdcSrc));
    // Nearest pixel: destination column i takes source column i * wSrc / wDest.
    std::vector<int> columns(static_cast<size_t>(wDest));
    for (int i = 0; i < wDest; ++i)
        columns[static_cast<size_t>(i)] = xSrc + sdx + static_cast<int>(static_cast<int64_t>(i) * wSrc / wDest);
    bool fast = target.surface.BytesPerPixel() == 3 && source.BytesPerPixel() == 3 && !target.surface.Monochrome() &&
                !source.Monochrome() && target.surface.bits != source.bits;
    StretchStep step = StepOf(wDest, wSrc);
    for (const sim::Rect& clip : target.clip.Rects()) {
        sim::Rect piece = sim::Intersect(area, clip);
        if (piece.Empty())
            continue;
        const int* pieceColumns = &columns[static_cast<size_t>(piece.left - area.left)];
        // Columns only grow, so those inside the source are one stretch.
        int first = 0, end = piece.Width();
        while (first < end && pieceColumns[first] < 0)
            ++first;
        while (end > first && pieceColumns[end - 1] >= source.width)
            --end;
        int lastSourceY = -1;
        for (int y = piece.top; y < piece.bottom; ++y) {
            int sourceY = ySrc + sdy + static_cast<int>(static_cast<int64_t>(y - area.top) * hSrc / hDest);
            if (sourceY < 0 || sourceY >= source.height)
                continue;
            if (!fast) {
                StretchRow(target.surface, y, piece.left, piece.right, source, sourceY, pieceColumns, conversion);
                continue;
            }
            uint8_t* row = target.surface.At(piece.left + first, y);
            // An enlarged picture repeats rows: the one just drawn is copied.
            if (sourceY == lastSourceY)
                std::memcpy(row, target.surface.At(piece.left + first, y - 1), static_cast<size_t>(end - first) * 3);
            else
                StretchRow24(row, source.Row(sourceY), pieceColumns + first, end - first, step);
            lastSourceY = sourceY;
        }
    }
    return TRUE;
}

BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop)
{
    DrawTarget target;
    DeviceContext* dc = FindDc(hdc);
    if (!dc || !TargetOf(hdc, target))
        return FALSE;
    COLORREF colour = 0;
    switch (rop) {
    case BLACKNESS: colour = RGB(0, 0, 0); break;
    case WHITENESS: colour = RGB(255, 255, 255); break;
    case PATCOPY:
        if (!BrushColour(static_cast<HBRUSH>(dc->brush), colour))
            return TRUE;
        break;
    case DSTINVERT: break;
    default: return FALSE;
    }
    if (w < 0)
        x += w, w = -w;
    if (h < 0)
        y += h, h = -h;
    sim::Rect area{x + target.dx, y + target.dy, x + target.dx + w, y + target.dy + h};
    for (const sim::Rect& clip : target.clip.Rects()) {
        sim::Rect piece = sim::Intersect(area, clip);
        if (!piece.Empty())
            PaintRect(target.surface, piece, rop, colour);
    }
    return TRUE;
}
