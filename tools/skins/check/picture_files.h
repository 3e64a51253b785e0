// Reads the JPEG and PNG files the generator writes.
#pragma once

#include "rgba_image.h"

#include <cstdint>
#include <vector>

namespace skins {

struct JpegFile {
    bool baseline = false; // a baseline frame and no progressive one
    int components = 0;
    RgbaImage image;
};

JpegFile DecodeJpeg(const std::vector<uint8_t>& data);

struct PngFile {
    int bitDepth = 0;
    int colourType = 0; // 2 is RGB without alpha
    RgbaImage image;
};

PngFile DecodePng(const std::vector<uint8_t>& data);

} // namespace skins
