#include "effects.h"

namespace skins {

void DropShadow(Canvas& canvas, const Shape& shape, double dx, double dy, double blur, double opacity)
{
    canvas.FillSoft(Translate(shape, dx, dy), Solid(Rgb(0x000000)), blur, opacity);
}

void Glow(Canvas& canvas, const Shape& shape, Color color, double blur, double opacity)
{
    canvas.FillSoft(shape, Solid(color), blur, opacity);
}

void Gloss(Canvas& canvas, const Shape& shape, double inset, double reach, double strength)
{
    const Box& b = shape.bounds;
    double height = b.bottom - b.top;
    double bottom = b.top + height * reach;
    // An ellipse whose lower edge curves across the shape, as light on a dome.
    Shape lens = Ellipse((b.left + b.right) / 2, bottom - height * 0.9, (b.right - b.left) * 0.75, height * 0.9);
    Shape area = Intersect(Grow(shape, -inset), lens);
    canvas.Fill(area, Linear(0, b.top, 0, bottom, {{0, Rgb(0xFFFFFF, strength)}, {1, Rgb(0xFFFFFF, strength * 0.15)}}));
}

void Bevel(Canvas& canvas, const Shape& shape, double width, double light, double dark)
{
    const Box& b = shape.bounds;
    Shape rim = Subtract(shape, Grow(shape, -width));
    canvas.Fill(rim, Linear(0, b.top, 0, b.bottom,
                            {{0, Rgb(0xFFFFFF, light)}, {0.5, Rgb(0xFFFFFF, 0)}, {0.5, Rgb(0x000000, 0)},
                             {1, Rgb(0x000000, dark)}}));
}

} // namespace skins
