// "tasks.png": the task page's icon sheet, the 39×44 icon in its left half and
// its mask in the right half (white transparent, black opaque).
#include "effects.h"
#include "picture.h"

namespace skins {

namespace {

constexpr int kIconWidth = 39;
constexpr int kIconHeight = 44;

void Window(Canvas& c, double x, double y, double w, double h, uint32_t title, uint32_t titleDeep)
{
    Shape frame = RoundRect(x, y, w, h, 2.2);
    DropShadow(c, frame, 0.8, 1.2, 2.4, 0.45);
    c.Fill(frame, Linear(0, y, 0, y + h, {{0, Rgb(0xFFFFFF)}, {1, Rgb(0xE4EAF2)}}));
    Shape bar = Intersect(frame, Rect(x, y, w, 6));
    c.Fill(bar, Linear(0, y, 0, y + 6, {{0, Rgb(title)}, {1, Rgb(titleDeep)}}));
    c.Fill(Intersect(bar, Rect(x, y, w, 2.6)), Solid(Rgb(0xFFFFFF, 0.35)));
    c.Fill(Circle(x + w - 3.5, y + 3, 1.5), Solid(Rgb(0xFFFFFF, 0.9)));
    c.Fill(Subtract(frame, Grow(frame, -0.9)), Solid(Rgb(0x1B355E, 0.85)));
}

void Icon(Canvas& c)
{
    Window(c, 12, 5, 24, 20, 0x7FA9E6, 0x3A6CC0);
    Window(c, 3.5, 14, 27, 25, 0x4C8DF0, 0x1A52B5);
    for (int row = 0; row < 3; ++row) {
        double y = 24 + row * 4.5;
        c.Fill(Circle(7.5, y, 1.3), Solid(Rgb(0x2F6FD0)));
        c.Fill(RoundRect(10.5, y - 0.9, row == 1 ? 12 : 16, 1.8, 0.9), Solid(Rgb(0x6B7A90)));
    }
}

void Sheet(Canvas& c)
{
    Canvas icon(kIconWidth, kIconHeight, c.Scale());
    Icon(icon);
    for (int y = 0; y < icon.Height(); ++y) {
        for (int x = 0; x < icon.Width(); ++x) {
            const Color& p = icon.Pixel(x, y);
            // The picture keeps the full colour where it is partly covered;
            // the mask says how much of it shows. Where the mask will be
            // white the picture is left white.
            bool shows = p.a >= 0.5 / 255;
            Color straight = shows ? Color{p.r / p.a, p.g / p.a, p.b / p.a, 1} : Rgb(0xFFFFFF);
            c.Pixel(x, y) = straight;
            double m = 1 - p.a;
            c.Pixel(x + icon.Width(), y) = Color{m, m, m, 1};
        }
    }
}

} // namespace

std::vector<Picture> TaskIconSheet()
{
    return {{"tasks", Format::Png, 2 * kIconWidth, kIconHeight, false, Sheet}};
}

} // namespace skins
