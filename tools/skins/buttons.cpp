// The task page's two buttons: end the task ("kill") and bring it to the front
// ("start"). Their controls are 51×54, with the caption line at 48 from the top,
// so the pictures stop above it.
#include "effects.h"
#include "picture.h"

namespace skins {

namespace {

constexpr int kWidth = 51;
constexpr int kHeight = 46;
constexpr double kCx = 25.5, kCy = 22.0, kRadius = 19.5;

struct ButtonColours {
    uint32_t light, middle, deep, rim;
};

void Button(Canvas& c, const ButtonColours& k, const Shape& sign)
{
    Shape disc = Circle(kCx, kCy, kRadius);
    DropShadow(c, disc, 0.8, 1.8, 4.0, 0.5);
    c.Fill(disc, Linear(0, kCy - kRadius, 0, kCy + kRadius, {{0, Rgb(0x5A6068)}, {1, Rgb(0x1E2227)}}));
    Shape face = Circle(kCx, kCy, kRadius - 1.6);
    c.Fill(face, Radial(kCx, kCy + kRadius * 0.55, kRadius * 1.5, kRadius * 1.25,
                        {{0, Rgb(k.light)}, {0.45, Rgb(k.middle)}, {1, Rgb(k.deep)}}));
    // A glow rising from the bottom, as light through coloured glass.
    c.Fill(Intersect(face, Circle(kCx, kCy + kRadius * 0.9, kRadius * 0.9)),
           Radial(kCx, kCy + kRadius, kRadius, kRadius * 0.8, {{0, Rgb(0xFFFFFF, 0.35)}, {1, Rgb(0xFFFFFF, 0)}}));
    DropShadow(c, sign, 0, 1.0, 1.6, 0.55);
    c.Fill(sign, Linear(0, kCy - 10, 0, kCy + 10, {{0, Rgb(0xFFFFFF)}, {1, Rgb(0xE6E6E6)}}));
    Gloss(c, face, 0.8, 0.52, 0.7);
    c.Fill(Subtract(face, Grow(face, -0.8)), Solid(Rgb(k.rim, 0.8)));
    c.Fill(Subtract(disc, Grow(disc, -0.8)), Solid(Rgb(0x0B0D10, 0.7)));
}

Shape Cross()
{
    double arm = 7.2;
    return Union(Segment({kCx - arm, kCy - arm}, {kCx + arm, kCy + arm}, 4.6),
                 Segment({kCx - arm, kCy + arm}, {kCx + arm, kCy - arm}, 4.6));
}

Shape Play()
{
    // A triangle with rounded corners, nudged right to look centred.
    return Grow(Polygon({{kCx - 5.2, kCy - 7.8}, {kCx + 8.6, kCy}, {kCx - 5.2, kCy + 7.8}}), 1.3);
}

} // namespace

std::vector<Picture> ButtonPictures()
{
    return {
        {"graphics/kill", Format::Tga, kWidth, kHeight, true,
         [](Canvas& c) { Button(c, {0xFF9A86, 0xE33A26, 0x8E0E06, 0x5E0A04}, Cross()); }},
        {"graphics/start", Format::Tga, kWidth, kHeight, true,
         [](Canvas& c) { Button(c, {0xA6F27E, 0x3FB52B, 0x1A6A10, 0x0E4208}, Play()); }},
    };
}

} // namespace skins
