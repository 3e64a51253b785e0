// Every picture over a checkerboard with its file name under it.
#pragma once

#include "rgba_image.h"

namespace skins {

// scale 1: the QVGA pictures and those without a VGA form; 2: the "_vga" ones.
RgbaImage ContactSheet(int scale);

} // namespace skins
