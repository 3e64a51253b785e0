#include "surface.h"

#include <cstring>

namespace platform {

void FillSpan(const Surface& surface, int x, int y, int count, COLORREF colour)
{
    if (count <= 0)
        return;
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

}  // namespace platform
