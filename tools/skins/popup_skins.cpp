// The popup task list's skins, one per theme and screen form. The popup window
// takes the skin's size, so each skin is sized to hold its theme's task-list
// rectangle with a margin and to fit the screen at the theme's position; where
// a skin is transparent the Today screen shows through. The list area itself is
// opaque so that the rows are readable whatever lies behind the popup.
#include "effects.h"
#include "noise.h"
#include "picture.h"

#include <algorithm>
#include <cmath>

namespace skins {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct ListBox {
    double left, top, width, height;
};

struct Skin {
    const char* theme;
    const char* suffix; // "", "_land" or "_sqr"
    int width, height;
    // The theme file's task-list rectangle, in skin coordinates.
    ListBox list;
};

// The sizes are worked out from the theme files: the list's right and bottom
// edge plus a margin at least as wide as its left one, within the screen less
// the task bar and the menu bar. The bluewave skins are the exception: their
// lists reach 4 pixels into the menu bar at the theme's position, so the wave
// runs to the bottom of the screen and the menu bar lies over its foot.
const Skin kSkins[] = {
    {"blue", "", 198, 224, {6, 23, 186, 190}},
    {"blue", "_land", 222, 170, {6, 21, 210, 139}},
    {"blue", "_sqr", 174, 148, {7, 19, 160, 119}},
    {"bluewave", "", 240, 135, {6, 43, 229, 70}},
    {"bluewave", "_land", 320, 135, {4, 40, 314, 73}},
    {"bluewave", "_sqr", 240, 135, {4, 40, 166, 73}},
    {"simple", "", 202, 224, {8, 24, 186, 189}},
    {"simple", "_land", 248, 158, {9, 29, 230, 118}},
    {"simple", "_sqr", 178, 124, {10, 21, 158, 91}},
    {"steel", "", 237, 146, {9, 31, 219, 104}},
    {"steel", "_land", 263, 141, {14, 36, 235, 93}},
    {"steel", "_sqr", 191, 108, {11, 26, 169, 71}},
};

// Room left round the panel for its shadow.
Shape Panel(const Skin& s, double radius)
{
    return RoundRect(1, 1, s.width - 4, s.height - 5, radius);
}

// The list's rectangle grown by up to grow, but kept a little inside the skin
// where the list comes close to its edge.
Shape ListArea(const Skin& s, double grow, double radius)
{
    double left = std::max(0.8, s.list.left - grow), top = std::max(0.8, s.list.top - grow);
    double right = std::min(s.width - 0.8, s.list.left + s.list.width + grow);
    double bottom = std::min(s.height - 0.8, s.list.top + s.list.height + grow);
    return RoundRect(left, top, right - left, bottom - top, radius);
}

// Shade under the upper edge of a recessed area.
void Recess(Canvas& c, const Shape& area, double depth, double opacity)
{
    c.Fill(Subtract(area, Translate(area, 0, depth)), Solid(Rgb(0x000000, opacity)));
    c.Fill(Subtract(area, Translate(area, 0, -0.8)), Solid(Rgb(0xFFFFFF, opacity * 0.8)));
}

void BlueSkin(Canvas& c, const Skin& s)
{
    Shape panel = Panel(s, 9);
    DropShadow(c, panel, 1.2, 2.0, 4.5, 0.6);
    c.Fill(panel, Linear(0, 0, 0, s.height, {{0, Rgb(0x3273D8)}, {0.35, Rgb(0x123F93)}, {1, Rgb(0x06205A)}}));
    Shape header = Intersect(Grow(panel, -1), Rect(0, 0, s.width, s.list.top - 2));
    c.Fill(header, Linear(0, 0, 0, s.list.top, {{0, Rgb(0x8FC0FF, 0.55)}, {1, Rgb(0x3D7FE0, 0.1)}}));
    Gloss(c, Intersect(panel, Rect(0, 0, s.width, s.list.top + 8)), 1.2, 0.55, 0.55);
    // A glossy pill in the header, the theme's mark.
    double pillW = std::min(60.0, s.width * 0.3);
    Shape pill = RoundRect((s.width - 3 - pillW) / 2, s.list.top / 2 - 3.5, pillW, 5, 2.5);
    c.Fill(pill, Linear(0, 0, 0, s.list.top, {{0, Rgb(0xFFFFFF, 0.55)}, {1, Rgb(0xBFD9FF, 0.2)}}));

    Shape area = ListArea(s, 2, 4);
    c.Fill(Grow(area, 1.2), Solid(Rgb(0x031233, 0.7)));
    c.Fill(area, Linear(0, s.list.top, 0, s.list.top + s.list.height,
                        {{0, Rgb(0xF6F9FF)}, {0.5, Rgb(0xE7EFFB)}, {1, Rgb(0xD6E3F7)}}));
    Recess(c, area, 2.0, 0.18);
    Bevel(c, panel, 1.2, 0.45, 0.35);
    c.Fill(Subtract(panel, Grow(panel, -0.8)), Solid(Rgb(0x020E2C, 0.85)));
}

double Crest(const Skin& s, double x, double phase)
{
    double k = 2 * kPi / 300.0;
    return s.list.top * 0.42 + 7 * std::sin(k * x + phase) + 3 * std::sin(2.3 * k * x + phase * 1.6);
}

void BluewaveSkin(Canvas& c, const Skin& s)
{
    double w = s.width, h = s.height;
    Shape back = BelowCurve(0, w, h, [&](double x) { return Crest(s, x, 2.4) - 6; });
    Shape front = BelowCurve(0, w, h, [&](double x) { return Crest(s, x, 0.3); });
    c.FillSoft(front, Solid(Rgb(0x000000)), 5, 0.35);
    c.Fill(back, Linear(0, 0, 0, s.list.top, {{0, Rgb(0x7CC4FF, 0.85)}, {1, Rgb(0x2F86DC, 0.75)}}));
    c.Fill(Outline(back, 1.0), Solid(Rgb(0xE6F6FF, 0.55)));
    c.Fill(front, Linear(0, 0, 0, h, {{0, Rgb(0x2C7ED8)}, {0.3, Rgb(0x0E479E)}, {1, Rgb(0x06215A)}}));
    // Light on the face of the wave and foam along its crest.
    c.Fill(Intersect(front, BelowCurve(0, w, h, [&](double x) { return Crest(s, x, 0.3) + 9; })),
           Linear(0, 0, 0, s.list.top, {{0, Rgb(0x000000, 0.0)}, {1, Rgb(0x000000, 0.12)}}));
    c.Fill(Subtract(front, BelowCurve(0, w, h, [&](double x) { return Crest(s, x, 0.3) + 4; })),
           Linear(0, 0, w, 0, {{0, Rgb(0xFFFFFF, 0.35)}, {0.5, Rgb(0xFFFFFF, 0.6)}, {1, Rgb(0xFFFFFF, 0.3)}}));
    c.Fill(Outline(front, 1.0), Solid(Rgb(0xFFFFFF, 0.75)));

    Shape area = ListArea(s, 2, 4);
    c.Fill(area, Linear(0, s.list.top, 0, s.list.top + s.list.height,
                        {{0, Rgb(0x062866, 0.85)}, {1, Rgb(0x041B4A, 0.85)}}));
    Recess(c, area, 1.5, 0.3);
    c.Fill(Outline(area, 0.8), Solid(Rgb(0x8FC8FF, 0.35)));
}

void SimpleSkin(Canvas& c, const Skin& s)
{
    Shape panel = Panel(s, 6);
    DropShadow(c, panel, 1.0, 1.8, 4.0, 0.35);
    c.Fill(panel, Linear(0, 0, 0, s.height, {{0, Rgb(0xFFFFFF)}, {1, Rgb(0xEEF2F7)}}));
    Shape header = Intersect(panel, Rect(0, 0, s.width, s.list.top - 4));
    c.Fill(header, Linear(0, 0, 0, s.list.top, {{0, Rgb(0xEEF5FE)}, {1, Rgb(0xCFE1F7)}}));
    c.Fill(Intersect(panel, Rect(0, s.list.top - 4, s.width, 1.2)), Solid(Rgb(0x007DDF)));
    Shape area = ListArea(s, 2, 2.5);
    c.Fill(area, Solid(Rgb(0xFFFFFF)));
    c.Fill(Outline(area, 0.9), Solid(Rgb(0xB9C6D6)));
    c.Fill(Subtract(panel, Grow(panel, -0.9)), Solid(Rgb(0x8696AA)));
}

Paint BrushedSteel(uint32_t top, uint32_t bottom, double height, uint32_t seed, double strength)
{
    return [=](double x, double y) {
        Color base = Mix(Rgb(top), Rgb(bottom), y / height);
        double k = 1 + strength * (Brushed(x, y, seed) - 0.5);
        return Color{base.r * k, base.g * k, base.b * k, 1};
    };
}

void Screw(Canvas& c, double cx, double cy)
{
    Shape head = Circle(cx, cy, 2.6);
    c.Fill(Translate(head, 0, 0.6), Solid(Rgb(0xFFFFFF, 0.6)));
    c.Fill(head, Radial(cx - 0.8, cy - 0.8, 3.4, 3.4, {{0, Rgb(0xF2F4F6)}, {1, Rgb(0x7C848D)}}));
    c.Fill(Segment({cx - 1.6, cy + 1.0}, {cx + 1.6, cy - 1.0}, 0.8), Solid(Rgb(0x3A4048, 0.9)));
    c.Fill(Subtract(head, Grow(head, -0.6)), Solid(Rgb(0x40464E, 0.8)));
}

void SteelSkin(Canvas& c, const Skin& s)
{
    Shape panel = Panel(s, 5);
    DropShadow(c, panel, 1.2, 2.0, 4.0, 0.55);
    c.Fill(panel, BrushedSteel(0xD3D7DC, 0x9EA5AE, s.height, 11, 0.2));
    c.Fill(panel, Linear(0, 0, s.width, s.height,
                         {{0, Rgb(0xFFFFFF, 0)}, {0.35, Rgb(0xFFFFFF, 0.3)}, {0.5, Rgb(0xFFFFFF, 0.02)},
                          {1, Rgb(0xFFFFFF, 0.1)}}));
    double groove = s.list.top / 2;
    for (double y : {groove - 2.5, groove + 1.5})
        c.Fill(Intersect(panel, Rect(14, y, s.width - 32, 1)), Solid(Rgb(0x000000, 0.25)));
    for (double y : {groove - 1.5, groove + 2.5})
        c.Fill(Intersect(panel, Rect(14, y, s.width - 32, 1)), Solid(Rgb(0xFFFFFF, 0.5)));
    double inset = 6;
    Screw(c, inset, inset);
    Screw(c, s.width - 3 - inset, inset);
    Screw(c, inset, s.height - 4 - inset);
    Screw(c, s.width - 3 - inset, s.height - 4 - inset);

    Shape area = ListArea(s, 2.5, 3);
    c.Fill(area, BrushedSteel(0xEEF0F2, 0xD9DDE1, s.height, 12, 0.06));
    Recess(c, area, 2.0, 0.3);
    c.Fill(Outline(area, 0.8), Solid(Rgb(0x5A616A, 0.6)));
    Bevel(c, panel, 1.4, 0.7, 0.35);
    c.Fill(Subtract(panel, Grow(panel, -0.8)), Solid(Rgb(0x3E444C, 0.9)));
}

void Draw(Canvas& c, const Skin& s)
{
    std::string theme = s.theme;
    if (theme == "blue")
        BlueSkin(c, s);
    else if (theme == "bluewave")
        BluewaveSkin(c, s);
    else if (theme == "simple")
        SimpleSkin(c, s);
    else
        SteelSkin(c, s);
}

} // namespace

std::vector<Picture> PopupSkins()
{
    std::vector<Picture> pictures;
    for (const Skin& s : kSkins) {
        std::string path = std::string("themes/") + s.theme + "/" + s.theme + s.suffix;
        bool vga = std::string(s.suffix) != "_sqr"; // no VGA square device to serve
        pictures.push_back(Picture{path, Format::Tga, s.width, s.height, vga, [s](Canvas& c) { Draw(c, s); }});
    }
    return pictures;
}

} // namespace skins
