// An 8-bit straight-alpha picture, rows from the top, bytes R, G, B, A.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace skins {

struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;

    const uint8_t* At(int x, int y) const { return &pixels[(static_cast<size_t>(y) * width + x) * 4]; }
    uint8_t* At(int x, int y) { return &pixels[(static_cast<size_t>(y) * width + x) * 4]; }
};

} // namespace skins
