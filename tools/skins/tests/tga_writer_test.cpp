#include "tga_reader.h"
#include "tga_writer.h"

#include <gtest/gtest.h>

namespace skins {
namespace {

using Pixel = std::array<uint8_t, 4>;

RgbaImage Image(int width, const std::vector<Pixel>& pixels)
{
    RgbaImage image{width, static_cast<int>(pixels.size()) / width, {}};
    for (const Pixel& p : pixels)
        image.pixels.insert(image.pixels.end(), p.begin(), p.end());
    return image;
}

// Walks the packets of a type 10 file: counts per packet, rows never crossed.
std::vector<int> PacketCounts(const std::vector<uint8_t>& file, int width)
{
    std::vector<int> counts;
    size_t at = 18;
    int inRow = 0;
    while (at < file.size()) {
        uint8_t header = file[at++];
        int count = (header & 0x7F) + 1;
        counts.push_back(header & 0x80 ? count : -count);
        at += (header & 0x80 ? 1 : count) * 4;
        EXPECT_LE(inRow + count, width) << "a packet crosses into the next row";
        inRow = (inRow + count) % width;
    }
    EXPECT_EQ(at, file.size());
    return counts;
}

TEST(SkinsTgaWriter, WritesTheHeaderAndBottomRowFirstInBgra)
{
    Pixel a{10, 20, 30, 40}, b{1, 2, 3, 255}, c{0, 0, 0, 0};
    std::vector<uint8_t> file = EncodeTga(Image(3, {a, a, a, a, b, c}));
    std::vector<uint8_t> expected{0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 2, 0, 32, 8,
                                  // bottom row: three different pixels in one raw packet
                                  0x02, 30, 20, 10, 40, 3, 2, 1, 255, 0, 0, 0, 0,
                                  // top row: one run of three
                                  0x82, 30, 20, 10, 40};
    EXPECT_EQ(file, expected);
}

TEST(SkinsTgaWriter, RunsAndRawStretchesSplitWhereNeighboursRepeat)
{
    Pixel a{1, 1, 1, 1}, b{2, 2, 2, 2}, c{3, 3, 3, 3}, d{4, 4, 4, 4};
    std::vector<uint8_t> file = EncodeTga(Image(7, {a, a, b, c, c, c, d}));
    EXPECT_EQ(PacketCounts(file, 7), (std::vector<int>{2, -1, 3, -1}));
}

TEST(SkinsTgaWriter, PacketsHoldAtMost128PixelsAndReadBackExactly)
{
    const int width = 300;
    std::vector<Pixel> pixels;
    for (int x = 0; x < width; ++x)
        pixels.push_back({9, 9, 9, 200});
    for (int x = 0; x < width; ++x)
        pixels.push_back({static_cast<uint8_t>(x), static_cast<uint8_t>(x >> 8), 7, 255});
    RgbaImage image = Image(width, pixels);
    std::vector<uint8_t> file = EncodeTga(image);
    // The bottom (distinct) row comes first.
    EXPECT_EQ(PacketCounts(file, width), (std::vector<int>{-128, -128, -44, 128, 128, 44}));
    TgaFile back = DecodeTga(file);
    EXPECT_EQ(back.image.width, width);
    EXPECT_EQ(back.image.height, 2);
    EXPECT_EQ(back.image.pixels, image.pixels);
}

} // namespace
} // namespace skins
