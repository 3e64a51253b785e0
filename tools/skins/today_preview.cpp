#include "today_preview.h"

#include "image_ops.h"
#include "pixel_font.h"

namespace skins {

namespace {

// The strip being drawn: its content rectangle and the item's offsets.
struct Strip {
    RgbaImage image;
    PreviewPictures* pictures;
    int s;    // scale
    int v;    // 1 on QVGA, 0 on VGA
    int L, T, R, B;

    RgbaImage Get(const std::string& name) { return pictures->Get("graphics/" + name, Format::Tga, s); }
    void Draw(const std::string& name, int x, int y) { Composite(image, Get(name), x, y); }

    // Text as the item draws it: 0 at the top left, 4 centred down, 6 also right.
    void Text(int x, int y, const std::string& text, int format)
    {
        int h = kGlyphHeight * s, w = LabelWidth(text, false, s);
        int top = format == 0 ? y + s : (y + B - h) / 2;
        int left = format == 6 ? R - w : x;
        DrawLabel(image, left, top, text, Rgb(0x1A1F26), false, s);
    }

    void VerticalMeter(int x, int y, int percent, bool single, bool alternate)
    {
        RgbaImage full = Get(std::string(single ? "home_vmeter3" : "home_vmeter1") + (alternate ? "a" : ""));
        Draw(single ? "home_vmeter4" : "home_vmeter2", x, y);
        int h = full.height, t = static_cast<int>(percent * (h * 0.01));
        RgbaImage part{full.width, t, {}};
        part.pixels.assign(full.At(0, h - t), full.At(0, h - t) + static_cast<size_t>(full.width) * t * 4);
        Composite(image, part, x, y + h - t);
    }

    void BatteryMeter(int x, int y, int percent)
    {
        Draw("home_battery", x, y);
        RgbaImage meter = Get("home_battery_meter");
        Composite(image, meter, x, y, static_cast<int>(meter.width * 0.01 * percent), meter.height);
    }
};

Strip Begin(PreviewPictures& pictures, bool vga, bool single)
{
    int s = vga ? 2 : 1;
    int height = single ? (vga ? 36 : 20) : (vga ? 64 : 34);
    Strip strip{Blank(240 * s, height, Rgb(0xF3F6FA)), &pictures, s, vga ? 0 : 1, 0, 0, 0, height};
    strip.Draw("home_monitor", 0, 1);
    strip.L = 26 * s;
    strip.R = 240 * s - (vga ? 5 : 1);
    return strip;
}

RgbaImage Single(PreviewPictures& pictures, bool vga, int mode)
{
    Strip st = Begin(pictures, vga, true);
    int L = st.L, T = st.T, v = st.v, s = st.s;
    if (mode == 0) {
        st.VerticalMeter(L, T + s, 85, true, false);
        st.BatteryMeter(L + 16 - 8 * v, T, 85);
        st.Text(L + st.Get("home_battery").width + 20 - 8 * v, T, "MAIN BATTERY 85%", 4);
    } else if (mode == 2) {
        st.VerticalMeter(L, T + s, 45, true, true);
        int x = L + 10 - 5 * v;
        st.Draw("home_memory", x, T);
        st.Text(x + st.Get("home_memory").width + 4, T, "PROGRAM MEM 45%", 4);
        st.Text(0, T, "12.34MB FREE", 6);
    } else if (mode == 4) {
        st.VerticalMeter(L, T + s, 30, true, true);
        int x = L + 12 - 6 * v;
        st.Draw("home_storage", x, T);
        st.Text(x + st.Get("home_storage").width + 6, T, "SD CARD 30%", 4);
        st.Text(0, T, "371.20MB FREE", 6);
    } else {
        st.Text(L, T, "2 RUNNING TASKS. PRESS ACTION", 4);
        st.Draw("home_info", st.R - 2 * s - 20 * s, T);
    }
    return st.image;
}

RgbaImage Double(PreviewPictures& pictures, bool vga, int mode)
{
    Strip st = Begin(pictures, vga, false);
    int L = st.L, T = st.T, v = st.v, s = st.s, H = (st.R - st.L) / 2;
    int second = T + 36 - 18 * v;
    if (mode == 0) {
        for (int column = 0; column < 2; ++column) {
            int left = L + column * H;
            st.VerticalMeter(left, T + 1, column ? 100 : 85, false, false);
            int x = left + 16 - 8 * v;
            st.BatteryMeter(x, T + 1, column ? 100 : 85);
            st.Text(x + st.Get("home_battery").width + 2, T + 4, column ? "100%" : "85%", 0);
            st.Text(left + 18 - 9 * v, second, column ? "BACKUP BATTERY" : "MAIN BATTERY", 0);
        }
    } else if (mode == 2) {
        for (int column = 0; column < 2; ++column) {
            int left = L + column * H;
            st.VerticalMeter(left, T + 1, column ? 62 : 45, false, true);
            int x = left + (column ? 16 - 8 * v : 12 - 6 * v);
            st.Draw("home_memory", x, T);
            st.Text(x + st.Get("home_memory").width + 2, T + 4, column ? "20.50MB FREE" : "12.34MB FREE", 0);
            st.Text(left + (column ? 18 - 9 * v : 16 - 8 * v), second, column ? "STORAGE MEM 62%" : "PROGRAM MEM 45%",
                    0);
        }
    } else if (mode == 4) {
        st.VerticalMeter(L, T + 1, 30, false, true);
        int x = L + 16 - 8 * v;
        st.Draw("home_storage", x, T);
        st.Text(x + st.Get("home_storage").width + 4, T + 4, "371.20MB FREE", 0);
        st.Text(L + 18 - 9 * v, second, "SD CARD 30%", 0);
    } else {
        st.Text(L, T, "2 RUNNING TASKS.", 0);
        st.Text(L, T + 22 * s, "ACTION BUTTON TO VIEW TASKS", 0);
        st.Draw("home_info", st.R - 2 * s - 20 * s, T);
    }
    return st.image;
}

} // namespace

void AddTodayStrips(SheetLayout& layout, PreviewPictures& pictures)
{
    const char* names[] = {"batteries", "", "memory", "", "card", "", "tasks"};
    for (bool vga : {false, true}) {
        layout.Break();
        for (int mode : {0, 2, 4, 6}) {
            std::string form = vga ? " vga" : "";
            layout.Add(Single(pictures, vga, mode), std::string("today ") + names[mode] + " single" + form);
            layout.Add(Double(pictures, vga, mode), std::string("today ") + names[mode] + " double" + form);
        }
    }
}

} // namespace skins
