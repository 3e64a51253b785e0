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
           Linear(0, 0, 0, 140, {{0, Rgb(0xFFFFFF, 0.17)}, {1, Rgb(0xFFFFFF, 0.03)}}));
    c.Fill(Subtract(Ellipse(110, -250, 330, 390), Ellipse(110, -250, 328, 388)), Solid(Rgb(0xFFFFFF, 0.10)));
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
    // The crest catches the light.
    c.Fill(Outline(BelowCurve(-2, kWidth + 2, kHeight + 10, curve), 0.9),
           Linear(0, 0, kWidth, 0, {{0, Rgb(0xBFE8FF, 0.05)}, {0.5, Rgb(0xBFE8FF, 0.32)}, {1, Rgb(0xBFE8FF, 0.08)}}));
}

void Bluewave(Canvas& c)
{
    Shape all = Rect(0, 0, kWidth, kHeight);
    c.Fill(all, Linear(0, 0, 0, kHeight, {{0, Rgb(0x0B3C8C)}, {0.55, Rgb(0x082B6A)}, {1, Rgb(0x041A45)}}));
    c.Fill(all, Radial(180, 20, 220, 160, {{0, Rgb(0x2F78D6, 0.40)}, {1, Rgb(0x2F78D6, 0)}}));
    WaveBand(c, 92, 10, 260, 0.4, Rgb(0x2A7AD0, 0.22), Rgb(0x0B3A86, 0.0));
    WaveBand(c, 150, 13, 220, 2.1, Rgb(0x3A92E4, 0.26), Rgb(0x0A347C, 0.05));
    WaveBand(c, 212, 11, 300, 4.0, Rgb(0x2F86DC, 0.28), Rgb(0x072B68, 0.10));
    WaveBand(c, 268, 9, 240, 5.3, Rgb(0x3B9BEA, 0.30), Rgb(0x06255C, 0.18));
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
