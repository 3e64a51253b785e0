#include "tga_writer.h"

#include <cstring>

namespace skins {

namespace {

constexpr int kMaxPacket = 128;

void Put16(std::vector<uint8_t>& out, int v)
{
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void PutPixel(std::vector<uint8_t>& out, const uint8_t* rgba)
{
    out.insert(out.end(), {rgba[2], rgba[1], rgba[0], rgba[3]});
}

bool Same(const uint8_t* a, const uint8_t* b)
{
    return std::memcmp(a, b, 4) == 0;
}

// One row in packets; no packet crosses into the next row.
void EncodeRow(std::vector<uint8_t>& out, const RgbaImage& image, int y)
{
    int width = image.width;
    int x = 0;
    while (x < width) {
        int run = 1;
        while (x + run < width && run < kMaxPacket && Same(image.At(x + run, y), image.At(x, y)))
            ++run;
        if (run >= 2) {
            out.push_back(static_cast<uint8_t>(0x80 | (run - 1)));
            PutPixel(out, image.At(x, y));
            x += run;
            continue;
        }
        // Raw pixels up to the next pair of equal neighbours.
        int raw = 1;
        while (x + raw < width && raw < kMaxPacket &&
               !(x + raw + 1 < width && Same(image.At(x + raw, y), image.At(x + raw + 1, y))))
            ++raw;
        out.push_back(static_cast<uint8_t>(raw - 1));
        for (int i = 0; i < raw; ++i)
            PutPixel(out, image.At(x + i, y));
        x += raw;
    }
}

} // namespace

std::vector<uint8_t> EncodeTga(const RgbaImage& image)
{
    std::vector<uint8_t> out;
    out.push_back(0);  // no identification field
    out.push_back(0);  // no colour map
    out.push_back(10); // run-length encoded true colour
    out.insert(out.end(), 5, 0); // colour map fields, unused
    Put16(out, 0);               // x origin
    Put16(out, 0);               // y origin
    Put16(out, image.width);
    Put16(out, image.height);
    out.push_back(32);
    out.push_back(8); // eight attribute bits; origin bits clear: bottom left
    for (int y = image.height - 1; y >= 0; --y)
        EncodeRow(out, image, y);
    return out;
}

} // namespace skins
