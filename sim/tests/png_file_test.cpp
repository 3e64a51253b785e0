#include "server/png_file.h"

#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {

// A picture in the framebuffer's layout: B,G,R rows padded to 4 bytes, the
// padding filled with junk that must not reach the file.
struct Framebuffer {
    int width, height, stride;
    std::vector<uint8_t> bytes;

    Framebuffer(int w, int h) : width(w), height(h), stride((w * 3 + 3) & ~3), bytes(static_cast<size_t>(stride) * h, 0xEE)
    {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                uint8_t* p = &bytes[static_cast<size_t>(y) * stride + x * 3];
                p[0] = static_cast<uint8_t>(x * 40);   // blue
                p[1] = static_cast<uint8_t>(y * 70);   // green
                p[2] = static_cast<uint8_t>(x ^ y);    // red
            }
    }
    sim::BgrPixels Pixels() const { return {bytes.data(), width, height, stride}; }
};

std::string Encode(const sim::BgrPixels& pixels)
{
    std::string png, error;
    EXPECT_TRUE(sim::EncodePng(pixels, png, error)) << error;
    return png;
}

// A PNG in another layout than ours, written by libpng's simplified API.
std::string EncodeWithLibpng(uint32_t format, int width, int height, const void* pixels, const void* colourMap,
                             int colourCount)
{
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = format;
    image.colormap_entries = static_cast<png_uint_32>(colourCount);
    png_alloc_size_t size = 0;
    EXPECT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, pixels, 0, colourMap));
    std::string png(size, '\0');
    EXPECT_TRUE(png_image_write_to_memory(&image, png.data(), &size, 0, pixels, 0, colourMap)) << image.message;
    png.resize(size);
    return png;
}

void AppendToString(png_structp png, png_bytep data, size_t length)
{
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

// A 16-bit RGB picture, Adam7-interlaced, whose red and blue are the column
// and the row and whose green's high byte differs from its low byte.
std::string InterlacedSixteenBit(int width, int height)
{
    std::string png;
    png_structp write = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(write);
    std::vector<uint8_t> rows(static_cast<size_t>(width) * height * 6);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &rows[(static_cast<size_t>(y) * width + x) * 6];
            p[0] = static_cast<uint8_t>(x), p[1] = 0xFF;  // red
            p[2] = 0x80, p[3] = 0x01;                     // green
            p[4] = static_cast<uint8_t>(y), p[5] = 0x00;  // blue
        }
    std::vector<png_bytep> pointers;
    for (int y = 0; y < height; ++y)
        pointers.push_back(&rows[static_cast<size_t>(y) * width * 6]);
    if (setjmp(png_jmpbuf(write)) == 0) {
        png_set_write_fn(write, &png, AppendToString, nullptr);
        png_set_IHDR(write, info, width, height, 16, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_ADAM7,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_rows(write, info, pointers.data());
        png_write_png(write, info, PNG_TRANSFORM_IDENTITY, nullptr);
    } else {
        ADD_FAILURE() << "libpng could not write the interlaced picture";
    }
    png_destroy_write_struct(&write, &info);
    return png;
}

TEST(PngFile, RoundTripGivesTheSameRgbPixelsAndTheSameBytesEveryTime)
{
    Framebuffer frame(5, 3);
    std::string png = Encode(frame.Pixels());
    ASSERT_GT(png.size(), 33u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_EQ(png[24], 8);  // bit depth
    EXPECT_EQ(png[25], 2);  // colour type RGB
    EXPECT_EQ(png.find("tIME"), std::string::npos);
    EXPECT_EQ(Encode(frame.Pixels()), png);

    sim::RgbImage image;
    std::string error;
    ASSERT_TRUE(sim::DecodePng(png, image, error)) << error;
    ASSERT_EQ(image.width, 5);
    ASSERT_EQ(image.height, 3);
    ASSERT_EQ(image.pixels.size(), 45u);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const uint8_t* bgr = &frame.bytes[static_cast<size_t>(y) * frame.stride + x * 3];
            const uint8_t* rgb = image.Row(y) + x * 3;
            EXPECT_EQ(rgb[0], bgr[2]) << x << "," << y;
            EXPECT_EQ(rgb[1], bgr[1]) << x << "," << y;
            EXPECT_EQ(rgb[2], bgr[0]) << x << "," << y;
        }

    // Nothing to write is refused rather than written as a broken file.
    std::string out;
    EXPECT_FALSE(sim::EncodePng(sim::BgrPixels{}, out, error));
    EXPECT_FALSE(sim::EncodePng(sim::BgrPixels{frame.bytes.data(), 5, 3, 14}, out, error));
}

TEST(PngFile, FilesRoundTripAndMissingFilesAreNamed)
{
    std::filesystem::path folder = std::filesystem::temp_directory_path() / ("png-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    Framebuffer frame(4, 4);
    std::string error;
    ASSERT_TRUE(sim::WritePngFile(folder / "a.png", frame.Pixels(), error)) << error;
    sim::RgbImage image;
    ASSERT_TRUE(sim::ReadPngFile(folder / "a.png", image, error)) << error;
    EXPECT_EQ(image.width, 4);
    EXPECT_EQ(image.Row(3)[3 * 3 + 1], frame.bytes[3 * frame.stride + 3 * 3 + 1]);

    EXPECT_FALSE(sim::ReadPngFile(folder / "missing.png", image, error));
    EXPECT_NE(error.find("missing.png"), std::string::npos) << error;
    EXPECT_FALSE(sim::WritePngFile(folder / "no-such-folder" / "b.png", frame.Pixels(), error));
    EXPECT_NE(error.find("b.png"), std::string::npos) << error;
    std::filesystem::remove_all(folder);
}

TEST(PngFile, OtherLayoutsReadAsRgb)
{
    // Grey with alpha: the grey level in all three channels, alpha dropped.
    const uint8_t greyAlpha[] = {10, 255, 200, 0, 99, 128};
    sim::RgbImage image;
    std::string error;
    ASSERT_TRUE(sim::DecodePng(EncodeWithLibpng(PNG_FORMAT_GA, 3, 1, greyAlpha, nullptr, 0), image, error)) << error;
    EXPECT_EQ(image.pixels, (std::vector<uint8_t>{10, 10, 10, 200, 200, 200, 99, 99, 99}));

    const uint8_t rgba[] = {1, 2, 3, 4, 5, 6, 7, 8};
    ASSERT_TRUE(sim::DecodePng(EncodeWithLibpng(PNG_FORMAT_RGBA, 1, 2, rgba, nullptr, 0), image, error)) << error;
    EXPECT_EQ(image.pixels, (std::vector<uint8_t>{1, 2, 3, 5, 6, 7}));

    // A palette picture comes out as the palette's colours.
    const uint8_t palette[] = {255, 0, 0, 0, 0, 255};
    const uint8_t indexes[] = {1, 0, 0, 1};
    ASSERT_TRUE(sim::DecodePng(EncodeWithLibpng(PNG_FORMAT_RGB_COLORMAP, 2, 2, indexes, palette, 2), image, error))
        << error;
    EXPECT_EQ(image.pixels, (std::vector<uint8_t>{0, 0, 255, 255, 0, 0, 255, 0, 0, 0, 0, 255}));

    // Interlaced 16-bit: every pass lands in its place, the high bytes kept.
    ASSERT_TRUE(sim::DecodePng(InterlacedSixteenBit(11, 9), image, error)) << error;
    ASSERT_EQ(image.width, 11);
    ASSERT_EQ(image.height, 9);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 11; ++x) {
            const uint8_t* p = image.Row(y) + x * 3;
            EXPECT_EQ(p[0], x) << x << "," << y;
            EXPECT_EQ(p[1], 0x80) << x << "," << y;
            EXPECT_EQ(p[2], y) << x << "," << y;
        }
}

// A picture with a transparency chunk, of the given colour type and depth;
// `samples` are the rows as PNG stores them.
std::string WithTransparency(int colourType, int depth, int width, int height, std::vector<uint8_t> samples,
                             std::vector<png_color> palette, std::vector<png_byte> paletteAlpha,
                             png_color_16 transparent)
{
    std::string png;
    png_structp write = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(write);
    size_t rowBytes = samples.size() / height;
    std::vector<png_bytep> pointers;
    for (int y = 0; y < height; ++y)
        pointers.push_back(&samples[y * rowBytes]);
    if (setjmp(png_jmpbuf(write)) == 0) {
        png_set_write_fn(write, &png, AppendToString, nullptr);
        png_set_IHDR(write, info, width, height, depth, colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        if (!palette.empty())
            png_set_PLTE(write, info, palette.data(), static_cast<int>(palette.size()));
        png_set_tRNS(write, info, paletteAlpha.empty() ? nullptr : paletteAlpha.data(),
                     static_cast<int>(paletteAlpha.size()), &transparent);
        png_set_rows(write, info, pointers.data());
        png_write_png(write, info, PNG_TRANSFORM_IDENTITY, nullptr);
    } else {
        ADD_FAILURE() << "libpng could not write the picture";
    }
    png_destroy_write_struct(&write, &info);
    return png;
}

// Transparency is dropped like an alpha channel: each pixel keeps the
// colour it names, fully transparent ones included.
TEST(PngFile, TransparencyChunksAreDropped)
{
    const std::vector<png_color> palette = {{200, 10, 20}, {0, 255, 0}, {1, 2, 3}, {90, 80, 70}};
    struct Case {
        const char* name;
        std::string png;
        std::vector<uint8_t> rgb;
    } cases[] = {
        {"palette 8 bits, one transparent entry",
         WithTransparency(PNG_COLOR_TYPE_PALETTE, 8, 3, 1, {0, 1, 2}, palette, {0}, {}),
         {200, 10, 20, 0, 255, 0, 1, 2, 3}},
        {"palette 2 bits, several alphas",
         WithTransparency(PNG_COLOR_TYPE_PALETTE, 2, 4, 1, {0x1B}, palette, {0, 128, 255}, {}),
         {200, 10, 20, 0, 255, 0, 1, 2, 3, 90, 80, 70}},
        {"palette 1 bit",
         WithTransparency(PNG_COLOR_TYPE_PALETTE, 1, 2, 2, {0x40, 0x80}, {palette[0], palette[1]}, {255, 0}, {}),
         {200, 10, 20, 0, 255, 0, 0, 255, 0, 200, 10, 20}},
        {"grey 4 bits", WithTransparency(PNG_COLOR_TYPE_GRAY, 4, 2, 1, {0xF3}, {}, {}, {0, 0, 0, 0, 3}),
         {255, 255, 255, 51, 51, 51}},
        {"rgb 8 bits", WithTransparency(PNG_COLOR_TYPE_RGB, 8, 2, 1, {9, 8, 7, 6, 5, 4}, {}, {}, {0, 9, 8, 7, 0}),
         {9, 8, 7, 6, 5, 4}},
        {"rgb 16 bits",
         WithTransparency(PNG_COLOR_TYPE_RGB, 16, 1, 1, {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC}, {}, {},
                          {0, 0x1234, 0x5678, 0x9ABC, 0}),
         {0x12, 0x56, 0x9A}},
    };
    for (const Case& c : cases) {
        sim::RgbImage image;
        std::string error;
        EXPECT_TRUE(sim::DecodePng(c.png, image, error)) << c.name << ": " << error;
        EXPECT_EQ(image.pixels, c.rgb) << c.name;
    }
}

TEST(PngFile, MalformedFilesAreRefusedWithAReason)
{
    Framebuffer frame(6, 6);
    std::string png = Encode(frame.Pixels());
    sim::RgbImage image;
    image.width = 77;
    std::string error;

    EXPECT_FALSE(sim::DecodePng("", image, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(sim::DecodePng("GIF89a this is not a PNG at all", image, error));
    EXPECT_NE(error.find("PNG"), std::string::npos) << error;

    // Every truncation fails cleanly (the last byte cut takes IEND's CRC).
    for (size_t length = 0; length < png.size(); ++length) {
        error.clear();
        EXPECT_FALSE(sim::DecodePng(std::string_view(png).substr(0, length), image, error)) << length;
        EXPECT_FALSE(error.empty()) << length;
    }
    // A damaged header chunk fails its checksum.
    std::string damaged = png;
    damaged[18] ^= 0x01;
    EXPECT_FALSE(sim::DecodePng(damaged, image, error));
    // A failed read leaves the image as it was.
    EXPECT_EQ(image.width, 77);

    // A side past the limit is refused before any pixel memory is taken.
    std::vector<uint8_t> wide(static_cast<size_t>(sim::kMaxPngSide + 1) * 3 + 1, 0);
    std::string tooWide = Encode(sim::BgrPixels{wide.data(), sim::kMaxPngSide + 1, 1, static_cast<int>(wide.size())});
    EXPECT_FALSE(sim::DecodePng(tooWide, image, error));
    EXPECT_NE(error.find("limit"), std::string::npos) << error;
    std::string tooTall = Encode(sim::BgrPixels{wide.data(), 1, sim::kMaxPngSide + 1, 3});
    EXPECT_FALSE(sim::DecodePng(tooTall, image, error));
    // The largest allowed side still reads.
    std::string widest = Encode(sim::BgrPixels{wide.data(), sim::kMaxPngSide, 1, static_cast<int>(wide.size())});
    ASSERT_TRUE(sim::DecodePng(widest, image, error)) << error;
    EXPECT_EQ(image.width, sim::kMaxPngSide);
}

}  // namespace
