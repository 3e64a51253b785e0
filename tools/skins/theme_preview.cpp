#include "theme_preview.h"

#include "image_ops.h"
#include "preview_pictures.h"
#include "pixel_font.h"
#include "sheet_layout.h"
#include "theme_file.h"
#include "today_preview.h"

#include <map>

namespace skins {

namespace {

constexpr int kSheetWidth = 1000;
constexpr int kBar = 26; // the task bar at the top and the menu bar at the bottom
const char* const kThemes[] = {"blue", "bluewave", "simple", "steel"};

enum class Align { Left, Right, Centre };

void Text(RgbaImage& screen, int x, int y, int width, int height, const std::string& text, Color color,
          Align align = Align::Left, bool bold = false)
{
    int w = LabelWidth(text, bold);
    int left = align == Align::Left ? x : align == Align::Right ? x + width - w : x + (width - w) / 2;
    DrawLabel(screen, left, y + (height - kGlyphHeight) / 2, text, color, bold);
}

void Bars(RgbaImage& screen, const std::string& left, const std::string& right)
{
    FillBox(screen, 0, 0, screen.width, kBar, Rgb(0x26292E));
    Text(screen, 6, 0, 100, kBar, "START", Rgb(0xFFFFFF), Align::Left, true);
    Text(screen, screen.width - 46, 0, 40, kBar, "9:41", Rgb(0xFFFFFF), Align::Right);
    FillBox(screen, 0, screen.height - kBar, screen.width, kBar, Rgb(0x26292E));
    Text(screen, 8, screen.height - kBar, 100, kBar, left, Rgb(0xFFFFFF));
    Text(screen, screen.width - 108, screen.height - kBar, 100, kBar, right, Rgb(0xFFFFFF), Align::Right);
}

RgbaImage Screen(PreviewPictures& pictures, const std::string& theme, int width, int height)
{
    RgbaImage screen = Blank(width, height, Rgb(0));
    RgbaImage background = StretchNearest(pictures.Get("themes/" + theme + "/" + theme, Format::Jpeg), width, height - 2 * kBar);
    Composite(screen, background, 0, kBar);
    return screen;
}

// A meter control at (x, y) of the client area, as the meter bar draws it.
void Meter(RgbaImage& screen, PreviewPictures& pictures, int x, int y, int percent, bool alternate)
{
    RgbaImage track = pictures.Get("graphics/progress_gray");
    RgbaImage fill = pictures.Get(alternate ? "graphics/progress2" : "graphics/progress");
    Composite(screen, track, x + 2, y + kBar + 2);
    Composite(screen, fill, x + 2, y + kBar + 2, fill.width * percent / 100, fill.height);
}

void Place(RgbaImage& screen, PreviewPictures& pictures, const std::string& name, int x, int y)
{
    Composite(screen, pictures.Get("graphics/" + name), x, y + kBar);
}

RgbaImage MainPage(PreviewPictures& pictures, const std::string& theme, Color ink)
{
    RgbaImage s = Screen(pictures, theme, 240, 320);
    auto label = [&](int x, int y, int w, int h, const std::string& t, Align a = Align::Left, bool bold = true) {
        Text(s, x, y + kBar, w, h, t, ink, a, bold);
    };
    Place(s, pictures, "progress_hilight", 2 - 3, 44 - 3);
    label(0, 2, 235, 14, "BATTERY POWER", Align::Right);
    Meter(s, pictures, 2, 44, 85, false);
    Meter(s, pictures, 123, 44, 100, false);
    label(5, 30, 80, 14, "MAIN");
    label(126, 30, 80, 14, "BACKUP");
    Place(s, pictures, "battery_small", 2, 2);
    Place(s, pictures, "bar", 2, 65);
    label(0, 72, 235, 14, "MEMORY", Align::Right);
    Meter(s, pictures, 2, 114, 45, true);
    Meter(s, pictures, 123, 114, 62, true);
    label(5, 100, 80, 14, "PROGRAM");
    label(126, 100, 80, 14, "STORAGE");
    Place(s, pictures, "memory_small", 2, 72);
    Place(s, pictures, "bar", 2, 135);
    label(0, 142, 235, 14, "DEVICE STORAGE", Align::Right);
    Meter(s, pictures, 2, 184, 30, true);
    label(5, 170, 80, 14, "SD CARD");
    Place(s, pictures, "bar", 2, 205);
    Place(s, pictures, "storage_small", 2, 142);
    label(5, 215, 240, 12, "MAIN", Align::Left, true);
    label(5, 234, 240, 12, "85% AVAILABLE", Align::Left, false);
    label(5, 251, 240, 12, "STATUS : HIGH", Align::Left, false);
    Place(s, pictures, "battery", 240 - 39 - 5, 210);
    label(70, 30, 45, 12, "85%", Align::Right);
    label(191, 30, 45, 12, "100%", Align::Right);
    label(70, 170, 45, 12, "30%", Align::Right);
    label(70, 100, 45, 12, "45%", Align::Right);
    label(191, 100, 45, 12, "62%", Align::Right);
    Bars(s, "TASKS", "MENU");
    return s;
}

RgbaImage TaskPage(PreviewPictures& pictures, const std::string& theme, Color ink)
{
    RgbaImage s = Screen(pictures, theme, 240, 320);
    FillBox(s, 0, kBar, 240, 200, Rgb(0xFFFFFF));
    const char* rows[] = {"CALENDAR", "INBOX", "NOTES", "PICTURES"};
    for (int i = 0; i < 4; ++i) {
        if (i == 0)
            FillBox(s, 0, kBar + 2, 240, 14, Rgb(0x0A246A));
        Text(s, 4, kBar + 2 + i * 14, 200, 14, rows[i], i == 0 ? Rgb(0xFFFFFF) : Rgb(0));
    }
    RgbaImage sheet = pictures.Get("tasks", Format::Png);
    // The icon sheet as the masked-sheet kernel draws it: m = 255 - mask red.
    for (int y = 0; y < 44; ++y)
        for (int x = 0; x < 39; ++x) {
            const uint8_t* pic = sheet.At(x, y);
            int m = 255 - sheet.At(x + 39, y)[0];
            uint8_t* d = s.At(136 + x, kBar + 139 + y);
            for (int c = 0; c < 3; ++c)
                d[c] = m == 255 ? pic[c] : static_cast<uint8_t>((d[c] * (255 - m) + pic[c] * m) >> 8);
        }
    Place(s, pictures, "bar", 2, 205);
    Place(s, pictures, "kill", 5, 208);
    Place(s, pictures, "start", 185, 208);
    Text(s, 5, 256 + kBar, 230, 12, "KILL TASK", ink, Align::Left, true);
    Text(s, 5, 256 + kBar, 230, 12, "ACTIVATE TASK", ink, Align::Right, true);
    Text(s, 0, 215 + kBar, 240, 12, "MENU FOR MORE OPTIONS", ink, Align::Centre);
    Bars(s, "MEMORY", "MENU");
    return s;
}

RgbaImage TodayScreen(int width, int height)
{
    RgbaImage s = Blank(width, height, Rgb(0xF3F6FA));
    FillBox(s, 0, kBar, width, 34, Rgb(0xD5E3F5));
    Text(s, 6, kBar, width, 34, "TUESDAY, MARCH 3", Rgb(0x1D3F73), Align::Left, true);
    const char* items[] = {"OWNER: SAM WALKER", "NO UPCOMING APPOINTMENTS", "NO UNREAD MESSAGES", "NO TASKS",
                           "2 RUNNING TASKS.", "DEVICE IS LOCKED"};
    for (int i = 0; i < 6; ++i) {
        FillBox(s, 0, kBar + 34 + i * 22 + 21, width, 1, Rgb(0xC8D0DA));
        Text(s, 26, kBar + 34 + i * 22, width, 22, items[i], Rgb(0x303540));
    }
    return s;
}

RgbaImage Popup(PreviewPictures& pictures, const ThemeFile& theme, const std::string& folder, ScreenForm form)
{
    static const int sizes[kScreenForms][2] = {{240, 320}, {320, 240}, {240, 240}};
    RgbaImage s = TodayScreen(sizes[form][0], sizes[form][1]);
    const PopupPlace& place = theme.popup[form];
    Composite(s, pictures.Get("themes/" + folder + "/" + place.skin), place.left, place.top);
    const PopupList& list = theme.list[form];
    const char* rows[] = {"CALENDAR", "INBOX", "NOTES", "PICTURES", "SOLITAIRE", "WORD MOBILE", "EXCEL MOBILE",
                          "MEDIA PLAYER", "CALCULATOR", "FILE EXPLORER", "INTERNET EXPLORER", "MSN MESSENGER",
                          "TERMINAL", "CAMERA"};
    int rowHeight = list.fontSize + 7;
    int x = place.left + list.left, y = place.top + list.top;
    for (int i = 0; (i + 1) * rowHeight <= list.height && i < 14; ++i) {
        if (i == 1)
            FillBox(s, x, y + i * rowHeight, list.width, rowHeight, list.text);
        Text(s, x + 3, y + i * rowHeight, list.width, rowHeight, rows[i], i == 1 ? list.selectedText : list.text,
             Align::Left, list.bold);
    }
    Bars(s, "DONE", "MENU");
    return s;
}

} // namespace

RgbaImage ThemeSheet(const std::string& themesDir)
{
    PreviewPictures pictures;
    SheetLayout layout(kSheetWidth);
    std::map<std::string, ThemeFile> files;
    for (const char* name : kThemes)
        files[name] = ReadThemeFile(themesDir + "/" + name + "/" + name + "_theme.ini");
    for (const char* name : kThemes)
        layout.Add(MainPage(pictures, name, files[name].textColor), std::string(name) + " main page");
    layout.Break();
    for (const char* name : kThemes)
        layout.Add(TaskPage(pictures, name, files[name].textColor), std::string(name) + " task page");
    const char* forms[] = {"portrait", "landscape", "square"};
    for (int f = 0; f < kScreenForms; ++f) {
        layout.Break();
        for (const char* name : kThemes)
            layout.Add(Popup(pictures, files[name], name, static_cast<ScreenForm>(f)),
                       std::string(name) + " popup " + forms[f]);
    }
    AddTodayStrips(layout, pictures);
    return layout.Finish();
}

} // namespace skins
