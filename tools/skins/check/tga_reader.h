// Reads the TGA files the generator writes (true colour, types 2 and 10), to
// check them as the device program will read them.
#pragma once

#include "rgba_image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace skins {

struct TgaFile {
    int imageType = 0;
    int depth = 0;
    int descriptor = 0;
    RgbaImage image; // rows from the top, R, G, B, A
};

// Throws with the reason when the data is not a well-formed picture.
TgaFile DecodeTga(const std::vector<uint8_t>& data);

std::vector<uint8_t> ReadBytes(const std::string& path);

} // namespace skins
