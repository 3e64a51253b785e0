// Pixels that GDI draws on: the screen or a bitmap's memory.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ce/types.h"

namespace platform {

// 24 or 32 bits per pixel, blue, green, red (and an unused fourth byte), or
// one bit per pixel: monochrome, the leftmost pixel in a byte's high bit,
// 1 for white.
struct Surface {
    uint8_t* bits = nullptr;  // the first row in memory
    int width = 0;
    int height = 0;
    int stride = 0;  // bytes from one row in memory to the next
    int bitsPerPixel = 24;
    bool bottomUp = false;  // the first row in memory is the picture's last

    bool Valid() const { return bits != nullptr && width > 0 && height > 0; }
    bool Monochrome() const { return bitsPerPixel == 1; }
    // Colour surfaces only.
    int BytesPerPixel() const { return bitsPerPixel / 8; }
    uint8_t* Row(int y) const
    {
        return bits + static_cast<ptrdiff_t>(bottomUp ? height - 1 - y : y) * stride;
    }
    uint8_t* At(int x, int y) const { return Row(y) + static_cast<ptrdiff_t>(x) * BytesPerPixel(); }
    // Monochrome surfaces only.
    bool White(int x, int y) const { return (Row(y)[x >> 3] >> (7 - (x & 7))) & 1; }
    void SetWhite(int x, int y, bool white) const
    {
        uint8_t mask = static_cast<uint8_t>(0x80 >> (x & 7));
        uint8_t& byte = Row(y)[x >> 3];
        byte = static_cast<uint8_t>(white ? byte | mask : byte & ~mask);
    }
};

// How a monochrome surface stores a colour: the nearer of black and white.
// FIXME: brushes of other colours are not dithered, as GDI may do on a
// monochrome bitmap.
inline bool NearerWhite(COLORREF colour)
{
    return (colour & 0xFF) + ((colour >> 8) & 0xFF) + ((colour >> 16) & 0xFF) > 382;
}

inline COLORREF BlackOrWhite(bool white) { return white ? 0x00FFFFFF : 0; }

inline void PutColour(uint8_t* pixel, COLORREF colour)
{
    pixel[0] = static_cast<uint8_t>(colour >> 16);
    pixel[1] = static_cast<uint8_t>(colour >> 8);
    pixel[2] = static_cast<uint8_t>(colour);
}

inline COLORREF ColourAt(const uint8_t* pixel)
{
    return static_cast<COLORREF>(pixel[2]) | (static_cast<COLORREF>(pixel[1]) << 8) |
           (static_cast<COLORREF>(pixel[0]) << 16);
}

// Paints count pixels of one row from (x, y) on; the caller has clipped.
void FillSpan(const Surface& surface, int x, int y, int count, COLORREF colour);

// Paints count pixels of each of rows rows from (x, y) down; the caller
// has clipped.
void FillSpans(const Surface& surface, int x, int y, int count, int rows, COLORREF colour);

// One pixel as GetPixel sees it: black or white on a monochrome surface.
COLORREF PixelAt(const Surface& surface, int x, int y);

// Copies count pixels between rows of either depth; the rows may overlap
// only when both have the same depth.
void CopyPixels(uint8_t* to, int toBytesPerPixel, const uint8_t* from, int fromBytesPerPixel, int count);

}  // namespace platform
