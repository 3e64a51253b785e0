#include "pictures.h"

#include <algorithm>
#include <cmath>

namespace {

// Sized for the dialog font's units at 96 dpi: banner 332 x 41 units,
// flags 51 x 25 units.
constexpr int kBannerWidth = 498;
constexpr int kBannerHeight = 67;
constexpr int kFlagWidth = 76;
constexpr int kFlagHeight = 40;

Picture Blank(int width, int height, uint32_t colour)
{
    return Picture{width, height, std::vector<uint32_t>(static_cast<size_t>(width * height), colour)};
}

void Fill(Picture& p, int left, int top, int right, int bottom, uint32_t colour)
{
    for (int y = std::max(top, 0); y < std::min(bottom, p.height); ++y) {
        for (int x = std::max(left, 0); x < std::min(right, p.width); ++x)
            p.pixels[static_cast<size_t>(y * p.width + x)] = colour;
    }
}

uint32_t Mix(uint32_t a, uint32_t b, double t)
{
    auto channel = [&](int shift) {
        double value = ((a >> shift) & 0xFF) * (1 - t) + ((b >> shift) & 0xFF) * t;
        return static_cast<uint32_t>(std::lround(value)) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

// Vertical stripes, left to right.
Picture Stripes(uint32_t a, uint32_t b, uint32_t c)
{
    Picture p = Blank(kFlagWidth, kFlagHeight, b);
    Fill(p, 0, 0, kFlagWidth / 3, kFlagHeight, a);
    Fill(p, kFlagWidth - kFlagWidth / 3, 0, kFlagWidth, kFlagHeight, c);
    return p;
}

// Horizontal bands, top to bottom, the outer ones `outer` rows high.
Picture Bands(uint32_t a, uint32_t b, uint32_t c, int outer)
{
    Picture p = Blank(kFlagWidth, kFlagHeight, b);
    Fill(p, 0, 0, kFlagWidth, outer, a);
    Fill(p, 0, kFlagHeight - outer, kFlagWidth, kFlagHeight, c);
    return p;
}

Picture CrossFlag()
{
    Picture p = Blank(kFlagWidth, kFlagHeight, 0xFFFFFF);
    int cx = kFlagWidth / 2;
    int cy = kFlagHeight / 2;
    Fill(p, cx - 5, 0, cx + 5, kFlagHeight, 0xCE1124);
    Fill(p, 0, cy - 4, kFlagWidth, cy + 4, 0xCE1124);
    return p;
}

void PutLittleEndian(std::string& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

Picture DrawBanner()
{
    Picture p = Blank(kBannerWidth, kBannerHeight, 0);
    for (int x = 0; x < kBannerWidth; ++x)
        Fill(p, x, 0, x + 1, kBannerHeight, Mix(0x0A2A6B, 0x5FA8E8, static_cast<double>(x) / (kBannerWidth - 1)));
    // A handheld at the right: case, screen, the meter bars of the monitor.
    int left = kBannerWidth - 70;
    Fill(p, left, 6, left + 36, kBannerHeight - 6, 0x2B2B2B);
    Fill(p, left + 4, 11, left + 32, 43, 0xE8F1FA);
    Fill(p, left + 7, 16, left + 27, 20, 0x3DBE4A);
    Fill(p, left + 7, 24, left + 20, 28, 0xF0B428);
    Fill(p, left + 7, 32, left + 24, 36, 0x3D7BE0);
    Fill(p, left + 14, 48, left + 22, 55, 0x555555);
    // A light rule along the bottom edge.
    Fill(p, 0, kBannerHeight - 2, kBannerWidth, kBannerHeight, 0xD0E4F7);
    return p;
}

Picture DrawFlag(const std::string& code)
{
    if (code == "en")
        return CrossFlag();
    if (code == "fr")
        return Stripes(0x0055A4, 0xFFFFFF, 0xEF4135);
    if (code == "de")
        return Bands(0x000000, 0xDD0000, 0xFFCE00, kFlagHeight / 3);
    if (code == "it")
        return Stripes(0x009246, 0xFFFFFF, 0xCE2B37);
    if (code == "es")
        return Bands(0xAA151B, 0xF1BF00, 0xAA151B, kFlagHeight / 4);
    return Picture{0, 0, {}};
}

std::string BitmapFile(const Picture& picture)
{
    int rowBytes = (picture.width * 3 + 3) / 4 * 4;
    uint32_t imageSize = static_cast<uint32_t>(rowBytes * picture.height);
    std::string out = "BM";
    PutLittleEndian(out, 14 + 40 + imageSize, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, 14 + 40, 4);
    PutLittleEndian(out, 40, 4);
    PutLittleEndian(out, static_cast<uint32_t>(picture.width), 4);
    PutLittleEndian(out, static_cast<uint32_t>(picture.height), 4);
    PutLittleEndian(out, 1, 2);
    PutLittleEndian(out, 24, 2);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, imageSize, 4);
    PutLittleEndian(out, 3780, 4);
    PutLittleEndian(out, 3780, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, 0, 4);
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x)
            PutLittleEndian(out, picture.pixels[static_cast<size_t>(y * picture.width + x)], 3);
        out.append(static_cast<size_t>(rowBytes - picture.width * 3), '\0');
    }
    return out;
}
