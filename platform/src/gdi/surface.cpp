#include "surface.h"

#include <cstring>

namespace platform {

namespace {

void FillBits(const Surface& surface, int x, int y, int count, bool white)
{
    uint8_t* row = surface.Row(y);
    int end = x + count;
    // Single pixels up to a byte boundary, whole bytes, then the rest.
    for (; x < end && (x & 7) != 0; ++x)
        surface.SetWhite(x, y, white);
    int bytes = (end - x) / 8;
    std::memset(row + x / 8, white ? 0xFF : 0x00, static_cast<size_t>(bytes));
    for (x += bytes * 8; x < end; ++x)
        surface.SetWhite(x, y, white);
}

}  // namespace

void FillSpan(const Surface& surface, int x, int y, int count, COLORREF colour)
{
    if (count <= 0)
        return;
    if (surface.Monochrome()) {
        FillBits(surface, x, y, count, NearerWhite(colour));
        return;
    }
    uint8_t* p = surface.At(x, y);
    int step = surface.BytesPerPixel();
    // Paint the first pixel, then double the painted run until it is full.
    PutColour(p, colour);
    if (step == 4)
        p[3] = 0;
    size_t done = static_cast<size_t>(step);
    size_t total = static_cast<size_t>(count) * step;
    while (done < total) {
        size_t chunk = done < total - done ? done : total - done;
        std::memcpy(p + done, p, chunk);
        done += chunk;
    }
}

void FillSpans(const Surface& surface, int x, int y, int count, int rows, COLORREF colour)
{
    if (count <= 0 || rows <= 0)
        return;
    FillSpan(surface, x, y, count, colour);
    // Colour rows hold only the span's pixels, so the first row painted is
    // copied to the others; monochrome spans may share bytes with pixels
    // beside them.
    if (surface.Monochrome()) {
        for (int i = 1; i < rows; ++i)
            FillSpan(surface, x, y + i, count, colour);
        return;
    }
    const uint8_t* first = surface.At(x, y);
    size_t bytes = static_cast<size_t>(count) * surface.BytesPerPixel();
    for (int i = 1; i < rows; ++i)
        std::memcpy(surface.At(x, y + i), first, bytes);
}

void CopyPixels(uint8_t* to, int toBytesPerPixel, const uint8_t* from, int fromBytesPerPixel, int count)
{
    if (toBytesPerPixel == fromBytesPerPixel) {
        std::memmove(to, from, static_cast<size_t>(count) * toBytesPerPixel);
        return;
    }
    for (int i = 0; i < count; ++i) {
        to[0] = from[0];
        to[1] = from[1];
        to[2] = from[2];
        if (toBytesPerPixel == 4)
            to[3] = 0;
        to += toBytesPerPixel;
        from += fromBytesPerPixel;
    }
}

COLORREF PixelAt(const Surface& surface, int x, int y)
{
    return surface.Monochrome() ? BlackOrWhite(surface.White(x, y)) : ColourAt(surface.At(x, y));
}

}  // namespace platform
