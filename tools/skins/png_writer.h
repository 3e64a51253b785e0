// RGB PNG files (alpha dropped): the task icon sheet and the contact sheets.
#pragma once

#include "rgba_image.h"

#include <cstdint>
#include <vector>

namespace skins {

std::vector<uint8_t> EncodePng(const RgbaImage& image);

} // namespace skins
