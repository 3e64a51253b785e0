// Shipped decorative pictures: a pair of speech bubbles and "quib", the
// product's mascot. They are JPEG files on white.
#include "effects.h"
#include "picture.h"

namespace skins {

namespace {

constexpr int kBubbleWidth = 112;
constexpr int kBubbleHeight = 56;
constexpr int kQuibSize = 80;

struct BubbleColours {
    uint32_t top, bottom, edge, dots;
};

// mirrored puts the tail at the bottom right, for the answer.
void Bubble(Canvas& c, const BubbleColours& k, bool mirrored)
{
    auto x = [&](double v) { return mirrored ? kBubbleWidth - v : v; };
    Shape body = RoundRect(5, 4, 100, 36, 14);
    if (mirrored)
        body = Translate(body, 2, 0);
    Shape tail = Polygon({{x(24), 34}, {x(14), 52}, {x(42), 36}});
    Shape bubble = Union(body, Grow(tail, 0.6));
    DropShadow(c, bubble, 1.2, 2.0, 4.0, 0.3);
    c.Fill(bubble, Linear(0, 4, 0, 52, {{0, Rgb(k.top)}, {1, Rgb(k.bottom)}}));
    Gloss(c, body, 1.5, 0.5, 0.7);
    for (int i = 0; i < 3; ++i) {
        Shape dot = Circle(kBubbleWidth / 2.0 - 14 + i * 14, 22, 4.2);
        c.Fill(dot, Linear(0, 18, 0, 26, {{0, Rgb(k.dots, 0.75)}, {1, Rgb(k.dots)}}));
    }
    c.Fill(Subtract(bubble, Grow(bubble, -1.4)), Solid(Rgb(k.edge)));
}

void Quib(Canvas& c)
{
    const double cx = 40, cy = 45, r = 25;
    c.FillSoft(Ellipse(cx, 74, 22, 3.5), Solid(Rgb(0x1A2A44)), 4, 0.35);
    // Feet, then the round body with its lighter belly.
    for (double side : {-1.0, 1.0}) {
        Shape foot = Ellipse(cx + side * 11, 69, 7.5, 4.2);
        c.Fill(foot, Linear(0, 65, 0, 73, {{0, Rgb(0x2F78D6)}, {1, Rgb(0x123F8C)}}));
        c.Fill(Subtract(foot, Grow(foot, -1)), Solid(Rgb(0x0B2A60)));
    }
    Shape body = Circle(cx, cy, r);
    c.Fill(body, Radial(cx - 8, cy - 10, r * 1.6, r * 1.6,
                        {{0, Rgb(0x8CC8FF)}, {0.45, Rgb(0x3A8BEA)}, {1, Rgb(0x123F8C)}}));
    c.Fill(Ellipse(cx, cy + 11, 15, 11), Radial(cx, cy + 8, 16, 13, {{0, Rgb(0xE8F4FF, 0.9)}, {1, Rgb(0xBFDFFF, 0.4)}}));
    // Antenna with a glowing tip.
    c.Fill(Segment({cx + 2, cy - r + 1}, {cx + 7, 10}, 2.2), Solid(Rgb(0x123F8C)));
    Glow(c, Circle(cx + 7.5, 9, 4), Rgb(0x9CFF7A), 4, 0.6);
    c.Fill(Circle(cx + 7.5, 9, 4), Radial(cx + 6, 7.5, 5, 5, {{0, Rgb(0xF0FFE8)}, {1, Rgb(0x3CC22A)}}));
    // Eyes, each with a pupil and a catch light.
    for (double side : {-1.0, 1.0}) {
        double ex = cx + side * 9;
        Shape eye = Ellipse(ex, cy - 5, 6.5, 7.5);
        c.Fill(eye, Linear(0, cy - 12, 0, cy + 2, {{0, Rgb(0xFFFFFF)}, {1, Rgb(0xDCE8F5)}}));
        c.Fill(Subtract(eye, Grow(eye, -0.9)), Solid(Rgb(0x0B2A60, 0.8)));
        c.Fill(Circle(ex + 1.2, cy - 3.8, 3.4), Solid(Rgb(0x10151C)));
        c.Fill(Circle(ex + 2.3, cy - 5.2, 1.2), Solid(Rgb(0xFFFFFF)));
    }
    Shape smile = Intersect(Outline(Circle(cx, cy + 2, 8), 1.8), Rect(0, cy + 6, kQuibSize, 20));
    c.Fill(smile, Solid(Rgb(0x0B2A60)));
    c.Fill(Circle(cx - 15, cy + 5, 3), Solid(Rgb(0xFF8FB0, 0.45)));
    c.Fill(Circle(cx + 15, cy + 5, 3), Solid(Rgb(0xFF8FB0, 0.45)));
    Gloss(c, body, 2, 0.42, 0.6);
    c.Fill(Subtract(body, Grow(body, -1.2)), Solid(Rgb(0x0B2A60)));
}

} // namespace

std::vector<Picture> DecorPictures()
{
    return {
        {"graphics/bubble1", Format::Jpeg, kBubbleWidth, kBubbleHeight, true,
         [](Canvas& c) { Bubble(c, {0xFFFFFF, 0xD5E6FA, 0x2A6CC8, 0x2A6CC8}, false); }},
        {"graphics/bubble2", Format::Jpeg, kBubbleWidth, kBubbleHeight, true,
         [](Canvas& c) { Bubble(c, {0xFFFFFF, 0xDDF5D2, 0x2E9A22, 0x2E9A22}, true); }},
        {"graphics/quib", Format::Jpeg, kQuibSize, kQuibSize, true, Quib},
    };
}

} // namespace skins
