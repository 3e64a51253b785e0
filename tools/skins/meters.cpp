// The meter bar's track and fills, the frame round the selected meter, and the
// separator bars of the pages.
#include "effects.h"
#include "picture.h"

namespace skins {

namespace {

// A meter control is 113×18 and draws its pictures 2 pixels in from each side.
constexpr int kMeterWidth = 109;
constexpr int kMeterHeight = 14;
// The frame is the meter control enlarged by 3 on every side.
constexpr int kFrameWidth = 113 + 6;
constexpr int kFrameHeight = 18 + 6;

Shape TrackShape()
{
    return RoundRect(0, 0, kMeterWidth, kMeterHeight, 4.5);
}

void DrawTrack(Canvas& c)
{
    Shape track = TrackShape();
    c.Fill(track, Linear(0, 0, 0, kMeterHeight, {{0, Rgb(0x0E1219, 0.66)}, {1, Rgb(0x2B333F, 0.52)}}));
    // Recessed: shade under the upper lip, light on the lower one.
    c.Fill(Subtract(track, Translate(track, 0, 1.6)), Solid(Rgb(0x000000, 0.35)));
    c.Fill(Subtract(track, Translate(track, 0, -1.0)), Solid(Rgb(0xFFFFFF, 0.30)));
    for (int quarter = 1; quarter < 4; ++quarter) {
        double x = kMeterWidth * quarter / 4.0;
        c.Fill(Intersect(Rect(x - 0.5, 3, 1, kMeterHeight - 6), Grow(track, -2)), Solid(Rgb(0xFFFFFF, 0.13)));
    }
    c.Fill(Subtract(track, Grow(track, -0.8)), Solid(Rgb(0x000000, 0.28)));
}

struct FillColours {
    uint32_t light, middle, deep, bottom, edge;
};

void DrawFill(Canvas& c, const FillColours& k)
{
    Shape body = RoundRect(1, 1, kMeterWidth - 2, kMeterHeight - 2, 3.6);
    c.Fill(body, Linear(0, 1, 0, kMeterHeight - 1,
                        {{0, Rgb(k.light)}, {0.46, Rgb(k.middle)}, {0.54, Rgb(k.deep)}, {1, Rgb(k.bottom)}}));
    // Light caught in the lower half, as in a glass tube.
    c.Fill(Intersect(Grow(body, -1.2), Rect(0, kMeterHeight * 0.62, kMeterWidth, kMeterHeight)),
           Linear(0, kMeterHeight * 0.62, 0, kMeterHeight - 1, {{0, Rgb(0xFFFFFF, 0)}, {1, Rgb(0xFFFFFF, 0.28)}}));
    c.Fill(Intersect(Grow(body, -1.0), Rect(0, 0, kMeterWidth, kMeterHeight * 0.47)),
           Linear(0, 1, 0, kMeterHeight * 0.47, {{0, Rgb(0xFFFFFF, 0.62)}, {1, Rgb(0xFFFFFF, 0.12)}}));
    c.Fill(Subtract(body, Grow(body, -0.8)), Solid(Rgb(k.edge, 0.75)));
}

void DrawHilight(Canvas& c)
{
    Shape outer = RoundRect(0.5, 0.5, kFrameWidth - 1, kFrameHeight - 1, 7.5);
    // The hole leaves the meter's own pictures (at 5, 5) a pixel of room.
    Shape hole = RoundRect(3.6, 3.6, kFrameWidth - 7.2, kFrameHeight - 7.2, 5.2);
    Shape ring = Subtract(outer, hole);
    c.FillSoft(ring, Solid(Rgb(0xFFC23A)), 3.0, 0.55);
    c.ClipTo(outer);
    c.Fill(ring, Linear(0, 0, 0, kFrameHeight, {{0, Rgb(0xFFE590)}, {0.5, Rgb(0xFFB52B)}, {1, Rgb(0xE0750A)}}),
           0.96);
    c.Fill(Intersect(ring, Rect(0, 0, kFrameWidth, kFrameHeight * 0.45)),
           Linear(0, 0, 0, kFrameHeight * 0.45, {{0, Rgb(0xFFFFFF, 0.55)}, {1, Rgb(0xFFFFFF, 0.05)}}));
    c.Fill(Subtract(outer, Grow(outer, -0.8)), Solid(Rgb(0x7A3E00, 0.55)));
    c.Fill(Subtract(Grow(hole, 0.8), hole), Solid(Rgb(0x7A3E00, 0.45)));
}

void DrawSeparator(Canvas& c)
{
    double w = c.WidthUnits();
    // Engraved: a dark line over a light one, fading out towards the ends.
    auto fade = [w](Color color) {
        return Linear(0, 0, w, 0, {{0, WithAlpha(color, 0)}, {0.12, color}, {0.88, color}, {1, WithAlpha(color, 0)}});
    };
    c.Fill(Rect(0, 1, w, 1), fade(Rgb(0x000000, 0.42)));
    c.Fill(Rect(0, 2, w, 1), fade(Rgb(0xFFFFFF, 0.55)));
}

} // namespace

std::vector<Picture> MeterPictures()
{
    const FillColours green{0xC2F7A6, 0x52D13A, 0x36B524, 0x1C7A12, 0x0D4A08};
    const FillColours blue{0xC6E9FF, 0x3DA3F2, 0x1F86DF, 0x0E4C9A, 0x082F66};
    return {
        {"graphics/progress_gray", Format::Tga, kMeterWidth, kMeterHeight, true, DrawTrack},
        {"graphics/progress", Format::Tga, kMeterWidth, kMeterHeight, true, [=](Canvas& c) { DrawFill(c, green); }},
        {"graphics/progress2", Format::Tga, kMeterWidth, kMeterHeight, true, [=](Canvas& c) { DrawFill(c, blue); }},
        {"graphics/progress_hilight", Format::Tga, kFrameWidth, kFrameHeight, true, DrawHilight},
        {"graphics/bar", Format::Tga, 240, 4, true, DrawSeparator},
        {"graphics/bar_land", Format::Tga, 320, 4, true, DrawSeparator},
    };
}

} // namespace skins
