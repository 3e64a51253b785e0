// Truevision TGA files of the kind the device program reads: type 10
// (run-length encoded true colour), 32 bits, descriptor 8 (eight alpha bits,
// bottom-left origin), pixels stored blue, green, red, alpha.
#pragma once

#include "rgba_image.h"

#include <cstdint>
#include <vector>

namespace skins {

std::vector<uint8_t> EncodeTga(const RgbaImage& image);

} // namespace skins
