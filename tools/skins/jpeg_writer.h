// Baseline JPEG files at a fixed quality, alpha dropped.
#pragma once

#include "rgba_image.h"

#include <cstdint>
#include <vector>

namespace skins {

std::vector<uint8_t> EncodeJpeg(const RgbaImage& image);

} // namespace skins
