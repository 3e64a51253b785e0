// The Today item's pictures. The strip is 20 pixels high in single-row form and
// 34 in double-row form on QVGA, but only 36 and 64 on VGA, so every picture is
// sized for the VGA strip: 16 high beside one text row, 30 beside two. The
// gaps the item leaves between a vertical meter and the icon after it are as
// small as 1 pixel, hence the narrow meters.
#include "effects.h"
#include "objects.h"
#include "picture.h"

namespace skins {

namespace {

Picture Make(const char* name, int w, int h, std::function<void(Canvas&)> draw)
{
    return Picture{std::string("graphics/") + name, Format::Tga, w, h, true, std::move(draw)};
}

void MonitorIcon(Canvas& c)
{
    Shape tile = RoundRect(2, 0.5, 15, 15, 3.5);
    DropShadow(c, tile, 0.4, 0.8, 1.6, 0.4);
    c.Fill(tile, Linear(0, 0.5, 0, 15.5, {{0, Rgb(0x5FA2F5)}, {0.5, Rgb(0x2466CF)}, {1, Rgb(0x12408E)}}));
    double cx = 9.5, cy = 11.2;
    Shape dial = Intersect(Outline(Circle(cx, cy, 5.2), 1.7), Rect(0, 0, 20, cy + 0.4));
    c.Fill(dial, Linear(cx - 5, 0, cx + 5, 0, {{0, Rgb(0x9CF07A)}, {0.55, Rgb(0xFFE36B)}, {1, Rgb(0xFF8A5B)}}));
    c.Fill(Segment({cx, cy}, {cx + 3.4, cy - 3.6}, 1.3), Solid(Rgb(0xFFFFFF)));
    c.Fill(Circle(cx, cy, 1.5), Solid(Rgb(0xFFFFFF)));
    Gloss(c, tile, 0.6, 0.5, 0.5);
    c.Fill(Subtract(tile, Grow(tile, -0.7)), Solid(Rgb(0x0B2A60, 0.8)));
}

Shape BatteryBody()
{
    return RoundRect(0.8, 1.5, 21.6, 11, 2.2);
}

void BatteryOutline(Canvas& c)
{
    Shape body = BatteryBody();
    Shape tip = RoundRect(21.6, 4.6, 3.2, 4.8, 1.0);
    DropShadow(c, Union(body, tip), 0.3, 0.7, 1.4, 0.3);
    c.Fill(tip, Linear(0, 4.6, 0, 9.4, {{0, Rgb(0xB8BEC6)}, {1, Rgb(0x596069)}}));
    c.Fill(body, Linear(0, 1.5, 0, 12.5, {{0, Rgb(0xFFFFFF, 0.75)}, {1, Rgb(0xD9DEE5, 0.75)}}));
    c.Fill(Subtract(body, Grow(body, -1.3)), Linear(0, 1.5, 0, 12.5, {{0, Rgb(0x7A828C)}, {1, Rgb(0x3B4149)}}));
}

void BatteryFill(Canvas& c)
{
    // Fills the outline's inside (2.1 to 21.1); the item cuts it to the level.
    Shape cell = RoundRect(2.3, 2.9, 18.8, 8.2, 1.1);
    c.Fill(cell, Linear(0, 2.9, 0, 11.1, {{0, Rgb(0x9CF27C)}, {0.5, Rgb(0x3EC22B)}, {1, Rgb(0x1E7E14)}}));
    c.Fill(Intersect(cell, Rect(0, 2.9, 21, 3.2)), Solid(Rgb(0xFFFFFF, 0.4)));
}

void InfoIcon(Canvas& c)
{
    Shape disc = Circle(8, 8, 7.2);
    DropShadow(c, disc, 0.3, 0.7, 1.4, 0.35);
    c.Fill(disc, Linear(0, 0.8, 0, 15.2, {{0, Rgb(0x6FB2FF)}, {1, Rgb(0x1550B8)}}));
    Shape sign = Union(Circle(8, 4.4, 1.35), RoundRect(6.9, 6.5, 2.2, 6.3, 0.9));
    c.Fill(sign, Solid(Rgb(0xFFFFFF)));
    Gloss(c, disc, 0.6, 0.5, 0.55);
    c.Fill(Subtract(disc, Grow(disc, -0.7)), Solid(Rgb(0x0B2A60, 0.8)));
}

void Arrows(Canvas& c)
{
    Paint paint = Linear(0, 3, 0, 13, {{0, Rgb(0x7DB7FF)}, {1, Rgb(0x1C58BE)}});
    for (Shape arrow : {Grow(Polygon({{1.8, 8}, {6.4, 4.2}, {6.4, 11.8}}), 0.7),
                        Grow(Polygon({{14.2, 8}, {9.6, 4.2}, {9.6, 11.8}}), 0.7)}) {
        DropShadow(c, arrow, 0.3, 0.6, 1.2, 0.35);
        c.Fill(arrow, paint);
        c.Fill(Subtract(arrow, Grow(arrow, -0.6)), Solid(Rgb(0x0B2A60, 0.75)));
    }
}

void Device(Canvas& c, uint32_t light, uint32_t deep, uint32_t screenTop, uint32_t screenBottom)
{
    Shape body = RoundRect(1.5, 0.5, 11, 15, 2.2);
    DropShadow(c, body, 0.3, 0.7, 1.4, 0.35);
    c.Fill(body, Linear(1.5, 0, 12.5, 0, {{0, Rgb(deep)}, {0.35, Rgb(light)}, {1, Rgb(deep)}}));
    Shape screen = RoundRect(3.2, 2.3, 7.6, 7.8, 0.8);
    c.Fill(screen, Linear(0, 2.3, 0, 10.1, {{0, Rgb(screenTop)}, {1, Rgb(screenBottom)}}));
    c.Fill(Intersect(screen, Rect(0, 2.3, 14, 3.2)), Solid(Rgb(0xFFFFFF, 0.35)));
    for (double x : {4.6, 7.0, 9.4})
        c.Fill(Circle(x, 12.6, 0.95), Solid(Rgb(0x2A3038, 0.85)));
    c.Fill(Subtract(body, Grow(body, -0.7)), Solid(Rgb(0x22272E, 0.85)));
}

// A vertical meter 4 wide: its frame, and the fill when colour is not 0.
void VerticalMeter(Canvas& c, uint32_t light, uint32_t deep)
{
    double h = c.HeightUnits();
    Shape frame = RoundRect(0.3, 0.3, 3.4, h - 0.6, 1.4);
    Shape inside = Grow(frame, -0.9);
    if (light == 0)
        c.Fill(frame, Solid(Rgb(0xFFFFFF, 0.55)));
    else
        c.Fill(frame, Linear(0, 0, 4, 0, {{0, Rgb(deep)}, {0.4, Rgb(light)}, {1, Rgb(deep)}}));
    c.Fill(Intersect(inside, Rect(0.9, 0, 0.9, h)), Solid(Rgb(0xFFFFFF, 0.45)));
    c.Fill(Subtract(frame, inside), Linear(0, 0, 0, h, {{0, Rgb(0x6E7680)}, {1, Rgb(0x3A4048)}}));
}

} // namespace

std::vector<Picture> HomePictures()
{
    auto green = [](Canvas& c) { VerticalMeter(c, 0x8EEB6E, 0x1E7E14); };
    auto blue = [](Canvas& c) { VerticalMeter(c, 0x8CC6FF, 0x1550B8); };
    auto empty = [](Canvas& c) { VerticalMeter(c, 0, 0); };
    return {
        Make("home_monitor", 20, 16, MonitorIcon),
        Make("home_battery", 26, 14, BatteryOutline),
        Make("home_battery_meter", 21, 14, BatteryFill),
        Make("home_memory", 18, 16, [](Canvas& c) { Chip(c, Box{1, 1.5, 17, 14.5}, 4, false); }),
        Make("home_storage", 14, 16, [](Canvas& c) { MemoryCard(c, Box{1.5, 0.8, 12.5, 15.2}); }),
        Make("home_info", 16, 16, InfoIcon),
        Make("home_arrows", 16, 16, Arrows),
        Make("home_device", 14, 16, [](Canvas& c) { Device(c, 0xF2F4F7, 0x8F97A2, 0x8CC8FF, 0x2466CF); }),
        Make("home_device2", 14, 16, [](Canvas& c) { Device(c, 0x68707C, 0x22272E, 0xA6F08A, 0x2E9A22); }),
        Make("home_vmeter1", 4, 30, green),
        Make("home_vmeter1a", 4, 30, blue),
        Make("home_vmeter2", 4, 30, empty),
        Make("home_vmeter3", 4, 16, green),
        Make("home_vmeter3a", 4, 16, blue),
        Make("home_vmeter4", 4, 16, empty),
    };
}

} // namespace skins
