// The finishing touches shared by the picture families.
#pragma once

#include "canvas.h"

namespace skins {

// A soft shadow of the shape, offset by (dx, dy).
void DropShadow(Canvas& canvas, const Shape& shape, double dx, double dy, double blur, double opacity);
// A soft halo of colour around the shape.
void Glow(Canvas& canvas, const Shape& shape, Color color, double blur, double opacity);
// The glassy highlight over the upper part of a shape, from top to the fraction
// of its height given by reach, fading downwards.
void Gloss(Canvas& canvas, const Shape& shape, double inset, double reach, double strength);
// A rim inside the shape's edge, width wide, light at the top and dark at the bottom.
void Bevel(Canvas& canvas, const Shape& shape, double width, double light, double dark);

} // namespace skins
