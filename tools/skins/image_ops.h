// 8-bit picture operations for the sheets: the device's own ways of putting
// skins on the screen (alpha over, nearest-neighbour stretch), and zooming.
#pragma once

#include "color.h"
#include "rgba_image.h"

namespace skins {

RgbaImage Blank(int width, int height, Color fill);
void FillBox(RgbaImage& image, int x, int y, int width, int height, Color fill);
// Alpha composite with the device's integer arithmetic, clipped to the target.
void Composite(RgbaImage& target, const RgbaImage& picture, int x, int y, int width = -1, int height = -1);
RgbaImage StretchNearest(const RgbaImage& picture, int width, int height);
RgbaImage Zoom(const RgbaImage& picture, int factor);
// Alternating squares, so that transparency shows.
void Checkerboard(RgbaImage& image, int x, int y, int width, int height, Color light, Color dark, int square);

} // namespace skins
