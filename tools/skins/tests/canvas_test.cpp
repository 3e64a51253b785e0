#include "canvas.h"

#include <gtest/gtest.h>

namespace skins {
namespace {

TEST(SkinsCanvas, EdgesCoverPixelsByTheShareInside)
{
    Canvas half(2, 1, 1);
    half.Fill(Rect(0.5, -1, 1, 3), Solid(Rgb(0xFFFFFF)));
    EXPECT_NEAR(half.Pixel(0, 0).a, 0.5, 1e-9);
    EXPECT_NEAR(half.Pixel(1, 0).a, 0.5, 1e-9);

    // At scale 2 one unit is two pixels, and the same edge falls between them.
    Canvas vga(2, 1, 2);
    vga.Fill(Rect(0, 0, 1, 1), Solid(Rgb(0xFFFFFF)));
    for (int y = 0; y < 2; ++y) {
        EXPECT_DOUBLE_EQ(vga.Pixel(0, y).a, 1.0);
        EXPECT_DOUBLE_EQ(vga.Pixel(1, y).a, 1.0);
        EXPECT_DOUBLE_EQ(vga.Pixel(2, y).a, 0.0);
        EXPECT_DOUBLE_EQ(vga.Pixel(3, y).a, 0.0);
    }
}

TEST(SkinsCanvas, PicturesComeOutWithStraightAlpha)
{
    Canvas c(3, 1, 1);
    c.Fill(Rect(0, 0, 1, 1), Solid(Rgb(0xFF0000, 0.5)));
    c.Fill(Rect(1, 0, 1, 1), Solid(Rgb(0x0000FF)));
    c.Fill(Rect(1, 0, 1, 1), Solid(Rgb(0xFF0000, 0.5)));
    RgbaImage image = c.ToImage();
    // Half-transparent red keeps its full colour; red over blue mixes; the
    // untouched pixel is all zero, so that clear areas pack into runs.
    EXPECT_EQ(std::vector<uint8_t>(image.At(0, 0), image.At(0, 0) + 4), (std::vector<uint8_t>{255, 0, 0, 128}));
    EXPECT_EQ(std::vector<uint8_t>(image.At(1, 0), image.At(1, 0) + 4), (std::vector<uint8_t>{128, 0, 128, 255}));
    EXPECT_EQ(std::vector<uint8_t>(image.At(2, 0), image.At(2, 0) + 4), (std::vector<uint8_t>{0, 0, 0, 0}));
}

} // namespace
} // namespace skins
