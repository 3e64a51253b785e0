// A decoded picture: 8-bit RGB, rows from the top, no padding.
#pragma once

#include <cstdint>
#include <memory>

#include "imgdecmp.h"

namespace imgdecmp {

struct PictureSize {
    int width;
    int height;
};

struct Picture {
    int width = 0;
    int height = 0;
    std::unique_ptr<BYTE[]> rgb;

    // Room for the size at `bytesPerPixel` (decoders may fill wider pixels
    // and narrow them in place); false when there is no memory for it.
    bool Allocate(PictureSize size, int bytesPerPixel = 3)
    {
        width = size.width;
        height = size.height;
        size_t bytes = static_cast<size_t>(size.width) * size.height * bytesPerPixel;
        rgb.reset(new (std::nothrow) BYTE[bytes]);
        return rgb != nullptr;
    }
    BYTE* Row(int y) { return rgb.get() + static_cast<size_t>(y) * width * 3; }
    const BYTE* Row(int y) const { return rgb.get() + static_cast<size_t>(y) * width * 3; }
};

}  // namespace imgdecmp
