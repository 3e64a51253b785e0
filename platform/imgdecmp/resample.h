// Scaling a decoded picture to the exact size it is delivered at.
#pragma once

#include <optional>

#include "picture.h"

namespace imgdecmp {

// Each target pixel is the average of the source pixels it covers (the
// nearest one when enlarging). The source itself when the size is its own;
// none when there is no memory for the result.
std::optional<Picture> Resample(Picture source, PictureSize size);

}  // namespace imgdecmp
