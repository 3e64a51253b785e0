#include "objects.h"

#include "effects.h"

#include <algorithm>

namespace skins {

namespace {

double W(const Box& b)
{
    return b.right - b.left;
}

double H(const Box& b)
{
    return b.bottom - b.top;
}

Paint Metal(double x0, double x1)
{
    return Linear(x0, 0, x1, 0,
                  {{0, Rgb(0x7D848D)}, {0.3, Rgb(0xF4F6F8)}, {0.62, Rgb(0xA9B0B8)}, {1, Rgb(0x646B74)}});
}

Paint Gold(double y0, double y1)
{
    return Linear(0, y0, 0, y1, {{0, Rgb(0xFFF1A8)}, {0.45, Rgb(0xE0B43A)}, {1, Rgb(0x93690F)}});
}

// Light and shade across a cylinder lying along the other axis.
Paint Cylinder(double from, double to, bool across, Color dark, Color lit, Color mid, Color deep)
{
    std::vector<Stop> stops{{0, dark}, {0.28, lit}, {0.55, mid}, {1, deep}};
    return across ? Linear(from, 0, to, 0, stops) : Linear(0, from, 0, to, stops);
}

void Edge(Canvas& c, const Shape& s, double width, uint32_t colour, double alpha)
{
    c.Fill(Subtract(s, Grow(s, -width)), Solid(Rgb(colour, alpha)));
}

Paint Charge(double from, double to, bool across)
{
    return Cylinder(from, to, across, Rgb(0x1D8313), Rgb(0x8BF068), Rgb(0x3CC22A), Rgb(0x145F0C));
}

Paint Shell(double from, double to, bool across)
{
    return Cylinder(from, to, across, Rgb(0x1A2028), Rgb(0x566170), Rgb(0x2C333D), Rgb(0x101418));
}

} // namespace

void UprightBattery(Canvas& c, Box box, double level, bool bolt)
{
    double w = W(box), h = H(box);
    double capH = h * 0.11;
    Shape cap = RoundRect(box.left + w * 0.28, box.top, w * 0.44, capH + 1.5, 1.2);
    Shape body = RoundRect(box.left, box.top + capH, w, h - capH, std::min(3.2, w * 0.2));
    DropShadow(c, Union(body, cap), 0.8, 1.4, 3.0, 0.45);
    c.Fill(cap, Metal(box.left + w * 0.28, box.left + w * 0.72));
    Edge(c, cap, 0.8, 0x3A4048, 0.8);
    c.Fill(body, Shell(box.left, box.right, true));

    double inset = std::max(1.6, w * 0.12);
    Box in{box.left + inset, box.top + capH + inset, box.right - inset, box.bottom - inset};
    Shape cell = RoundRect(in.left, in.top, W(in), H(in), 1.8);
    double surface = in.bottom - H(in) * level;
    c.Fill(cell, Solid(Rgb(0x000000, 0.35)));
    c.Fill(Intersect(cell, Rect(in.left, surface, W(in), H(in))), Charge(in.left, in.right, true));
    c.Fill(Intersect(cell, Rect(in.left, surface, W(in), 1.2)), Solid(Rgb(0xD8FFC8, 0.55)));
    if (bolt) {
        double cx = (in.left + in.right) / 2, cy = (in.top + in.bottom) / 2 + 1, k = W(in) / 13.0;
        std::vector<Point> points{{cx + 1.3 * k, cy - 8.5 * k}, {cx - 4.0 * k, cy + 1.0 * k},
                                  {cx - 0.9 * k, cy + 1.0 * k}, {cx - 2.4 * k, cy + 8.5 * k},
                                  {cx + 3.8 * k, cy - 1.8 * k}, {cx + 0.7 * k, cy - 1.8 * k},
                                  {cx + 2.8 * k, cy - 8.5 * k}};
        Shape shape = Polygon(points);
        DropShadow(c, shape, 0.3, 0.6, 1.2, 0.45);
        c.Fill(shape, Linear(0, cy - 8 * k, 0, cy + 8 * k, {{0, Rgb(0xFFFFFF)}, {1, Rgb(0xE8F0FF)}}), 0.95);
    }
    // Glass over the whole body: a bright stripe and the gloss at the top.
    c.Fill(Intersect(Grow(body, -1.2), Rect(box.left + w * 0.14, box.top, w * 0.16, h)),
           Linear(0, box.top, 0, box.bottom, {{0, Rgb(0xFFFFFF, 0.45)}, {1, Rgb(0xFFFFFF, 0.08)}}));
    Edge(c, body, 0.9, 0x06080B, 0.85);
    Bevel(c, Grow(body, -0.9), 0.8, 0.25, 0.2);
}

void LyingBattery(Canvas& c, Box box, double level)
{
    double w = W(box), h = H(box);
    double tipW = w * 0.11;
    Shape body = RoundRect(box.left, box.top, w - tipW, h, std::min(2.6, h * 0.2));
    Shape tip = RoundRect(box.right - tipW - 1, box.top + h * 0.3, tipW + 1, h * 0.4, 1.0);
    DropShadow(c, Union(body, tip), 0.7, 1.2, 2.4, 0.45);
    c.Fill(tip, Linear(0, box.top + h * 0.3, 0, box.top + h * 0.7,
                       {{0, Rgb(0xF4F6F8)}, {0.5, Rgb(0xA9B0B8)}, {1, Rgb(0x646B74)}}));
    Edge(c, tip, 0.7, 0x3A4048, 0.8);
    c.Fill(body, Shell(box.top, box.bottom, false));
    double inset = std::max(1.5, h * 0.13);
    Box in{box.left + inset, box.top + inset, box.right - tipW - inset, box.bottom - inset};
    Shape cell = RoundRect(in.left, in.top, W(in), H(in), 1.5);
    c.Fill(cell, Solid(Rgb(0x000000, 0.35)));
    c.Fill(Intersect(cell, Rect(in.left, in.top, W(in) * level, H(in))), Charge(in.top, in.bottom, false));
    Gloss(c, body, 1.0, 0.5, 0.5);
    Edge(c, body, 0.9, 0x06080B, 0.85);
}

void CoinCell(Canvas& c, double cx, double cy, double radius)
{
    double depth = radius * 0.2;
    Shape side = Circle(cx, cy + depth, radius);
    Shape face = Circle(cx, cy, radius);
    DropShadow(c, Union(side, face), 0.8, 1.5, 3.2, 0.45);
    c.Fill(side, Linear(cx - radius, 0, cx + radius, 0,
                        {{0, Rgb(0x50565E)}, {0.35, Rgb(0xB9C0C8)}, {1, Rgb(0x3C4249)}}));
    c.Fill(face, Radial(cx - radius * 0.35, cy - radius * 0.4, radius * 1.6, radius * 1.6,
                        {{0, Rgb(0xFFFFFF)}, {0.35, Rgb(0xD5DAE0)}, {0.75, Rgb(0x99A1AA)}, {1, Rgb(0x7B838C)}}));
    // The raised rim of the cell and the sign embossed in the middle.
    Shape rim = Subtract(face, Circle(cx, cy, radius * 0.78));
    c.Fill(rim, Linear(0, cy - radius, 0, cy + radius, {{0, Rgb(0xFFFFFF, 0.55)}, {1, Rgb(0x3A4048, 0.35)}}));
    double arm = radius * 0.36, thick = radius * 0.15;
    Shape plus = Union(RoundRect(cx - arm, cy - thick / 2, 2 * arm, thick, thick / 2),
                       RoundRect(cx - thick / 2, cy - arm, thick, 2 * arm, thick / 2));
    c.Fill(Translate(plus, 0, 0.7), Solid(Rgb(0xFFFFFF, 0.8)));
    c.Fill(plus, Solid(Rgb(0x4A525C, 0.9)));
    Edge(c, face, 0.8, 0x30353C, 0.7);
    Edge(c, Union(side, face), 0.8, 0x22272D, 0.8);
}

void Chip(Canvas& c, Box box, int pins, bool upright)
{
    double w = W(box), h = H(box);
    double pinLength = (upright ? w : h) * 0.16;
    Box core = upright ? Box{box.left + pinLength, box.top, box.right - pinLength, box.bottom}
                       : Box{box.left, box.top + pinLength, box.right, box.bottom - pinLength};
    Shape body = RoundRect(core.left, core.top, W(core), H(core), std::min(2.0, W(core) * 0.1));
    DropShadow(c, Grow(body, 0.5), 0.8, 1.4, 3.0, 0.5);
    double span = upright ? H(core) : W(core);
    double pitch = span / pins;
    for (int i = 0; i < pins; ++i) {
        double at = pitch * (i + 0.5);
        double thick = pitch * 0.5;
        for (int side = 0; side < 2; ++side) {
            Shape pin = upright ? RoundRect(side ? core.right - 0.5 : box.left, core.top + at - thick / 2,
                                            pinLength + 0.5, thick, 0.6)
                                : RoundRect(core.left + at - thick / 2, side ? core.bottom - 0.5 : box.top, thick,
                                            pinLength + 0.5, 0.6);
            c.Fill(pin, upright ? Gold(core.top + at - thick / 2, core.top + at + thick / 2)
                                : Gold(box.top, box.bottom));
            Edge(c, pin, 0.5, 0x5A3F05, 0.6);
        }
    }
    c.Fill(body, Linear(core.left, core.top, core.right, core.bottom,
                        {{0, Rgb(0x3B424D)}, {0.5, Rgb(0x20252C)}, {1, Rgb(0x111418)}}));
    // The die under the lid, a faint square of colour.
    double dw = W(core) * 0.46, dh = H(core) * 0.46;
    Shape die = RoundRect((core.left + core.right - dw) / 2, (core.top + core.bottom - dh) / 2, dw, dh, 1.2);
    c.Fill(die, Linear(0, core.top, 0, core.bottom, {{0, Rgb(0x3E7BD6, 0.55)}, {1, Rgb(0x1B3F82, 0.55)}}));
    Edge(c, die, 0.6, 0x8FB8FF, 0.45);
    double mark = std::min(W(core), H(core)) * 0.09;
    c.Fill(Circle(core.left + mark * 2.2, core.top + mark * 2.2, mark), Solid(Rgb(0x000000, 0.55)));
    Gloss(c, body, 0.8, 0.55, 0.35);
    Edge(c, body, 0.8, 0x9AA6B5, 0.55);
}

void DiscStack(Canvas& c, Box box)
{
    double w = W(box), h = H(box);
    double ry = h * 0.1;
    double cx = (box.left + box.right) / 2, rx = w / 2;
    double segment = (h - 2 * ry) / 3;
    Shape whole = Union(Ellipse(cx, box.top + ry, rx, ry),
                        Union(Rect(box.left, box.top + ry, w, 3 * segment), Ellipse(cx, box.bottom - ry, rx, ry)));
    DropShadow(c, whole, 0.8, 1.4, 3.0, 0.45);
    Paint side = Linear(box.left, 0, box.right, 0,
                        {{0, Rgb(0x1F4D91)}, {0.3, Rgb(0x7FB6F2)}, {0.6, Rgb(0x3A78C8)}, {1, Rgb(0x153C75)}});
    for (int i = 2; i >= 0; --i) {
        double top = box.top + ry + i * segment;
        Shape band = Union(Rect(box.left, top, w, segment - 1), Ellipse(cx, top + segment - 1, rx, ry));
        c.Fill(band, side);
        Edge(c, band, 0.7, 0x0C2750, 0.7);
        Shape lid = Ellipse(cx, top, rx, ry);
        c.Fill(lid, Linear(0, top - ry, 0, top + ry, {{0, Rgb(0xD6EBFF)}, {1, Rgb(0x7FB0EA)}}));
        Edge(c, lid, 0.7, 0x0C2750, 0.6);
    }
    c.Fill(Intersect(whole, Rect(box.left + w * 0.16, box.top, w * 0.12, h)),
           Linear(0, box.top, 0, box.bottom, {{0, Rgb(0xFFFFFF, 0.35)}, {1, Rgb(0xFFFFFF, 0.1)}}));
}

void MemoryCard(Canvas& c, Box box)
{
    double w = W(box), h = H(box);
    double r = std::min(1.8, w * 0.08);
    double cut = w * 0.26;
    Shape card = Grow(Polygon({{box.left + r, box.top + r},
                               {box.right - cut, box.top + r},
                               {box.right - r, box.top + cut},
                               {box.right - r, box.bottom - r},
                               {box.left + r, box.bottom - r}}),
                      r);
    DropShadow(c, card, 0.8, 1.4, 3.0, 0.5);
    c.Fill(card, Linear(box.left, box.top, box.right, box.bottom,
                        {{0, Rgb(0x3D5A8C)}, {0.5, Rgb(0x243A63)}, {1, Rgb(0x131F38)}}));
    // Contacts along the top edge.
    int contacts = 5;
    double pitch = (w - cut - 2.5) / contacts;
    for (int i = 0; i < contacts; ++i) {
        Shape pad = RoundRect(box.left + 1.8 + i * pitch, box.top + 1.6, pitch * 0.6, h * 0.16, 0.5);
        c.Fill(pad, Gold(box.top + 1.6, box.top + 1.6 + h * 0.16));
    }
    // The label.
    Shape label = RoundRect(box.left + w * 0.14, box.top + h * 0.36, w * 0.72, h * 0.5, 1.2);
    c.Fill(label, Linear(0, box.top + h * 0.36, 0, box.top + h * 0.86,
                         {{0, Rgb(0xFFFFFF)}, {0.6, Rgb(0xDDE8F6)}, {1, Rgb(0xB9CBE3)}}));
    c.Fill(Intersect(label, Rect(box.left, box.top + h * 0.56, w, h * 0.1)), Solid(Rgb(0x2F7BE0, 0.9)));
    Gloss(c, card, 0.8, 0.45, 0.35);
    Edge(c, card, 0.8, 0x0A1222, 0.8);
}

} // namespace skins
