// Colours of the skin generator: straight (not premultiplied) RGBA in 0..1.
#pragma once

#include <cstdint>

namespace skins {

struct Color {
    double r = 0, g = 0, b = 0, a = 0;
};

// 0xRRGGBB with an optional opacity.
inline Color Rgb(uint32_t hex, double alpha = 1.0)
{
    return Color{((hex >> 16) & 0xFF) / 255.0, ((hex >> 8) & 0xFF) / 255.0, (hex & 0xFF) / 255.0, alpha};
}

inline Color WithAlpha(Color c, double alpha)
{
    c.a = alpha;
    return c;
}

// Interpolates in premultiplied space so that a fade to transparent keeps its hue.
inline Color Mix(Color from, Color to, double t)
{
    double a = from.a + (to.a - from.a) * t;
    if (a <= 0)
        return Color{};
    auto channel = [&](double x, double y) { return (x * from.a + (y * to.a - x * from.a) * t) / a; };
    return Color{channel(from.r, to.r), channel(from.g, to.g), channel(from.b, to.b), a};
}

// Relative luminance of the sRGB colour, as used for contrast ratios.
double Luminance(const Color& c);

// Contrast ratio of two opaque colours, 1 (none) to 21 (black on white).
double ContrastRatio(const Color& x, const Color& y);

} // namespace skins
