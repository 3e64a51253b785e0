// Small pictures encoded by the host's libraries, for decoding tests and
// fuzzing seeds.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace testpictures {

struct Rgb {
    uint8_t r, g, b;
};

using Painter = std::function<Rgb(int x, int y)>;

struct JpegOptions {
    int quality = 95;
    bool progressive = false;
    bool gray = false;
};
std::string EncodeJpeg(int width, int height, const Painter& paint, const JpegOptions& options = {});

// A JPEG decoded by the host's libjpeg at its own size, rows top-down,
// three bytes a pixel.
struct DecodedRgb {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
};
DecodedRgb DecodeJpeg(const std::string& jpeg);

// A PNG of any colour type: `samples` holds the rows as PNG stores them
// (16-bit samples most significant byte first), `palette` RGB triples and
// `paletteAlpha` the palette entries' alpha, when given.
struct PngPicture {
    int width = 0;
    int height = 0;
    int colorType = 0;
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<uint8_t> samples;
    std::vector<uint8_t> palette;
    std::vector<uint8_t> paletteAlpha;
};
std::string EncodePng(const PngPicture& picture);

// An 8-bit RGB PNG painted like the JPEGs.
std::string EncodeRgbPng(int width, int height, const Painter& paint);

}  // namespace testpictures
