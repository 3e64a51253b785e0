#include "image_ops.h"

#include <algorithm>
#include <cmath>

namespace skins {

namespace {

uint8_t Byte(double v)
{
    return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
}

} // namespace

RgbaImage Blank(int width, int height, Color fill)
{
    RgbaImage image{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 4)};
    FillBox(image, 0, 0, width, height, fill);
    return image;
}

void FillBox(RgbaImage& image, int x, int y, int width, int height, Color fill)
{
    for (int j = std::max(0, y); j < std::min(image.height, y + height); ++j)
        for (int i = std::max(0, x); i < std::min(image.width, x + width); ++i) {
            uint8_t* p = image.At(i, j);
            p[0] = Byte(fill.r);
            p[1] = Byte(fill.g);
            p[2] = Byte(fill.b);
            p[3] = 255;
        }
}

void Composite(RgbaImage& target, const RgbaImage& picture, int x, int y, int width, int height)
{
    if (width < 0)
        width = picture.width;
    if (height < 0)
        height = picture.height;
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i) {
            int tx = x + i, ty = y + j;
            if (tx < 0 || ty < 0 || tx >= target.width || ty >= target.height)
                continue;
            const uint8_t* s = picture.At(i, j);
            uint8_t* d = target.At(tx, ty);
            int a = s[3];
            for (int c = 0; c < 3; ++c)
                d[c] = a == 255 ? s[c] : static_cast<uint8_t>((s[c] * a + d[c] * (255 - a)) >> 8);
        }
}

RgbaImage StretchNearest(const RgbaImage& picture, int width, int height)
{
    RgbaImage out{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 4)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint8_t* s = picture.At(x * picture.width / width, y * picture.height / height);
            std::copy(s, s + 4, out.At(x, y));
        }
    return out;
}

RgbaImage Zoom(const RgbaImage& picture, int factor)
{
    return StretchNearest(picture, picture.width * factor, picture.height * factor);
}

void Checkerboard(RgbaImage& image, int x, int y, int width, int height, Color light, Color dark, int square)
{
    for (int j = 0; j < height; j += square)
        for (int i = 0; i < width; i += square)
            FillBox(image, x + i, y + j, std::min(square, width - i), std::min(square, height - j),
                    ((i / square + j / square) % 2) ? dark : light);
}

} // namespace skins
