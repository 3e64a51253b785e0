// The main window's background of each theme: one JPEG stretched over the
// client area, so the designs are smooth fields that survive stretching.
#include "effects.h"
#include "noise.h"
#include "picture.h"

#include <cmath>

namespace skins {

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 320;
constexpr double kPi = 3.14159265358979323846;

void Blue(Canvas& c)
{
    Shape all = Rect(0, 0, kWidth, kHeight);
    c.Fill(all, Linear(0, 0, 0, kHeight, {{0, Rgb(0x1C52AD)}, {0.38, Rgb(0x0E3479)}, {1, Rgb(0x051538)}}));
    c.Fill(all, Radial(40, 30, 230, 190, {{0, Rgb(0x4A8BEA, 0.45)}, {1, Rgb(0x4A8BEA, 0)}}));
    c.Fill(all, Radial(200, 330, 180, 140, {{0, Rgb(0x1E63C8, 0.35)}, {1, Rgb(0x1E63C8, 0)}}));
    // The glassy sheen: a wide dome of light over the top.
    c.Fill(Ellipse(110, -250, 330, 390),
           Linear(0, 0, 0, 140, {{0, Rgb(0xFFFFFF, 0.22)}, {1, Rgb(0xFFFFFF, 0.04)}}));
    c.Fill(Subtract(Ellipse(110, -250, 330, 390), Ellipse(110, -250, 328, 388)), Solid(Rgb(0xFFFFFF, 0.12)));
    // Its reflection rising faintly from the foot.
    c.Fill(Ellipse(150, 560, 300, 300), Linear(0, 260, 0, 320, {{0, Rgb(0x6FA8FF, 0.0)}, {1, Rgb(0x6FA8FF, 0.16)}}));
}

double Wave(double x, double base, double amplitude, double length, double phase)
{
    return base + amplitude * std::sin(2 * kPi * x / length + phase) +
           amplitude * 0.35 * std::sin(2 * kPi * x / (length * 0.47) + phase * 1.7);
}

void WaveBand(Canvas& c, double base, double amplitude, double length, double phase, Color top, Color bottom)
{
    auto curve = [=](double x) { return Wave(x, base, amplitude, length, phase); };
    c.Fill(BelowCurve(-2, kWidth + 2, kHeight, curve),
           Linear(0, base - amplitude, 0, base + 90, {{0, top}, {1, bottom}}));
    c.Fill(Outline(BelowCurve(-2, kWidth + 2, kHeight + 10, curve), 0.8),
           Linear(0, 0, kWidth, 0, {{0, Rgb(0xBFE8FF, 0.04)}, {0.5, Rgb(0xBFE8FF, 0.22)}, {1, Rgb(0xBFE8FF, 0.06)}}));
}

// The wave itself: a band between two curves sweeping up to the right, with
// light along its crest.
void Roller(Canvas& c, double base, double thickness, double phase, double strength)
{
    auto upper = [=](double x) { return base - 0.42 * x + 12 * std::sin(2 * kPi * x / 210 + phase); };
    auto lower = [=](double x) { return upper(x) + thickness + 9 * std::sin(2 * kPi * x / 160 + phase + 1.2); };
    Shape band = Subtract(BelowCurve(-2, kWidth + 2, kHeight + 60, upper),
                          BelowCurve(-2, kWidth + 2, kHeight + 60, lower));
    c.FillSoft(band, Solid(Rgb(0x2FA4FF)), 6, strength * 0.35);
    c.Fill(band, Linear(0, 0, kWidth, 0,
                        {{0, Rgb(0x4DB6FF, strength * 0.25)}, {0.6, Rgb(0x3AA6F5, strength * 0.45)},
                         {1, Rgb(0x62C6FF, strength * 0.55)}}));
    c.Fill(Outline(BelowCurve(-2, kWidth + 2, kHeight + 60, upper), 1.1),
           Linear(0, 0, kWidth, 0, {{0, Rgb(0xE8F8FF, 0.15)}, {1, Rgb(0xE8F8FF, strength * 0.7)}}));
}

void Bluewave(Canvas& c)
{
    Shape all = Rect(0, 0, kWidth, kHeight);
    c.Fill(all, Linear(0, 0, 0, kHeight, {{0, Rgb(0x0C4796)}, {0.5, Rgb(0x093373)}, {1, Rgb(0x05214F)}}));
    c.Fill(all, Radial(200, 10, 220, 170, {{0, Rgb(0x2F8FE6, 0.45)}, {1, Rgb(0x2F8FE6, 0)}}));
    WaveBand(c, 120, 8, 260, 0.4, Rgb(0x2A7AD0, 0.16), Rgb(0x0B3A86, 0.0));
    WaveBand(c, 262, 9, 240, 5.3, Rgb(0x3B9BEA, 0.22), Rgb(0x06255C, 0.15));
    Roller(c, 230, 40, 0.6, 0.9);
    Roller(c, 318, 26, 2.2, 0.6);
}

void Simple(Canvas& c)
{
    Shape all = Rect(0, 0, kWidth, kHeight);
    c.Fill(all, Linear(0, 0, 0, kHeight, {{0, Rgb(0xFCFDFE)}, {1, Rgb(0xE3E9F1)}}));
    c.Fill(all, Radial(60, 0, 260, 200, {{0, Rgb(0xFFFFFF, 0.85)}, {1, Rgb(0xFFFFFF, 0)}}));
    // A faint cool band across, so that the page is not a blank sheet.
    c.Fill(all, Linear(0, 120, 80, 320,
                       {{0, Rgb(0xC9DAF0, 0)}, {0.45, Rgb(0xC9DAF0, 0.35)}, {0.7, Rgb(0xC9DAF0, 0)}}));
}

void Steel(Canvas& c)
{
    Shape all = Rect(0, 0, kWidth, kHeight);
    c.Fill(all, [](double x, double y) {
        Color base = Mix(Rgb(0xCDD1D6), Rgb(0xA6ACB4), y / kHeight);
        double n = Brushed(x, y, 7) - 0.5;
        double k = 1 + 0.16 * n;
        return Color{base.r * k, base.g * k, base.b * k, 1};
    });
    // An anisotropic sheen across the brushing.
    c.Fill(all, Linear(0, 40, 240, 230,
                       {{0, Rgb(0xFFFFFF, 0)}, {0.42, Rgb(0xFFFFFF, 0.26)}, {0.55, Rgb(0xFFFFFF, 0.04)},
                        {0.8, Rgb(0xFFFFFF, 0.12)}, {1, Rgb(0xFFFFFF, 0)}}));
}

Picture Background(const char* theme, void (*draw)(Canvas&))
{
    return Picture{std::string("themes/") + theme + "/" + theme, Format::Jpeg, kWidth, kHeight, false, draw};
}

} // namespace

std::vector<Picture> ThemeBackgrounds()
{
    return {Background("blue", Blue), Background("bluewave", Bluewave), Background("simple", Simple),
            Background("steel", Steel)};
}

} // namespace skins
