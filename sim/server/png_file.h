// Screenshots as PNG files: the framebuffer written out, and golden pictures
// read back for comparison.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

// Pictures wider or taller than this are refused when read, so a damaged or
// hostile file cannot make the reader allocate without bound.
constexpr int kMaxPngSide = 8192;

// 8-bit red, green, blue, rows top-down without padding.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // width * height * 3 bytes

    const uint8_t* Row(int y) const { return pixels.data() + static_cast<size_t>(y) * width * 3; }
};

// Pixels to write: 24-bit blue, green, red, rows top-down, stride bytes apart
// (the framebuffer's layout).
struct BgrPixels {
    const uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
};

// An 8-bit RGB PNG of the pixels. The same pixels always give the same bytes:
// fixed compression and filters, no time or text chunks. False with the
// reason in error when libpng refuses.
bool EncodePng(const BgrPixels& pixels, std::string& png, std::string& error);
bool WritePngFile(const std::filesystem::path& path, const BgrPixels& pixels, std::string& error);

// Reads any PNG up to kMaxPngSide a side as 8-bit RGB (palette, grey and
// 16-bit pictures are converted; alpha is dropped). False with the reason in
// error for a malformed, truncated or oversized file.
bool DecodePng(std::string_view png, RgbImage& image, std::string& error);
bool ReadPngFile(const std::filesystem::path& path, RgbImage& image, std::string& error);

}  // namespace sim
