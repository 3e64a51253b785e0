// Checks the skin pictures in an install directory against what the device
// program needs of them: every file there, TGA files of the one kind its reader
// takes, "_vga" files at twice the size, pictures that fit the controls and
// strips they are drawn into, popup skins that hold their task list and fit the
// screen, and text colours readable on what lies under the text.
//
//   qm_skins_check INSTALL_DIR
#include "picture_files.h"
#include "tga_reader.h"
#include "theme_file.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>

namespace {

using namespace skins;

const char* const kTgaNames[] = {
    "progress", "progress_gray", "progress2", "progress_hilight", "battery_small", "memory_small",
    "storage_small", "bar", "bar_land", "battery", "batterybackup", "memory", "memorybackup", "storage",
    "kill", "start", "home_battery", "home_battery_meter", "home_arrows", "home_storage", "home_memory",
    "home_device", "home_device2", "home_monitor", "home_info", "home_vmeter1", "home_vmeter1a",
    "home_vmeter2", "home_vmeter3", "home_vmeter3a", "home_vmeter4"};
const char* const kJpegNames[] = {"bubble1", "bubble2", "quib"};
const char* const kThemes[] = {"blue", "bluewave", "simple", "steel"};

// The largest QVGA size each picture may have, from the rectangle or strip it
// is drawn into; exact sizes where the drawing depends on them.
struct Fit {
    const char* name;
    int width, height;
    bool exact;
};

const Fit kFits[] = {
    {"progress", 109, 14, true}, // the meter control less 2 on each side
    {"progress_gray", 109, 14, true},
    {"progress2", 109, 14, true},
    {"progress_hilight", 119, 24, true}, // the meter control plus 3 on each side
    {"bar", 240, 4, true},
    {"bar_land", 320, 4, true},
    // Section icons: inside their 39×44 controls and above the captions 28 below.
    {"battery_small", 39, 28, false},
    {"memory_small", 39, 28, false},
    {"storage_small", 39, 28, false},
    {"battery", 39, 44, false},
    {"batterybackup", 39, 44, false},
    {"memory", 39, 44, false},
    {"memorybackup", 39, 44, false},
    {"storage", 39, 44, false},
    // Buttons: in 51×54 controls, above the caption line 48 below their top.
    {"kill", 51, 48, false},
    {"start", 51, 48, false},
    // Today strip: 36 pixels on VGA for a single row, 64 for two, drawn 1 below
    // the top; vertical meters end where the next icon starts, 5 to the right.
    {"home_monitor", 26, 17, false},
    {"home_battery", 40, 17, false},
    {"home_battery_meter", 40, 17, false},
    {"home_memory", 40, 17, false},
    {"home_storage", 40, 17, false},
    {"home_info", 20, 17, false},
    {"home_arrows", 40, 17, false},
    {"home_device", 40, 17, false},
    {"home_device2", 40, 17, false},
    {"home_vmeter3", 5, 17, false},
    {"home_vmeter3a", 5, 17, false},
    {"home_vmeter4", 5, 17, false},
    {"home_vmeter1", 5, 31, false},
    {"home_vmeter1a", 5, 31, false},
    {"home_vmeter2", 5, 31, false},
};

struct ScreenSize {
    int width, height;
};
const ScreenSize kScreens[kScreenForms] = {{240, 320}, {320, 240}, {240, 240}};
const char* const kSkinSuffix[kScreenForms] = {"", "_land", "_sqr"};
constexpr int kBarHeight = 26; // task bar at the top, menu bar at the bottom

class Checker {
public:
    explicit Checker(std::string dir) : dir_(std::move(dir)) {}

    int Run();

private:
    void Fail(const std::string& file, const std::string& message)
    {
        std::printf("FAIL %s: %s\n", file.c_str(), message.c_str());
        ++failures_;
    }

    // Runs a check of one file, turning an unreadable file into a failure.
    void Guard(const std::string& file, const std::function<void()>& check)
    {
        ++files_;
        try {
            check();
        } catch (const std::exception& e) {
            Fail(file, e.what());
        }
    }

    TgaFile Tga(const std::string& file) { return DecodeTga(ReadBytes(dir_ + "/" + file)); }
    JpegFile Jpeg(const std::string& file) { return DecodeJpeg(ReadBytes(dir_ + "/" + file)); }

    void CheckTga(const std::string& file);
    void CheckPair(const std::string& base, const std::string& extension);
    void CheckFit(const Fit& fit);
    void CheckJpeg(const std::string& file, int maxWidth, int maxHeight, int minWidth, int minHeight);
    void CheckTaskSheet();
    void CheckThemeFileText(const std::string& theme);
    void CheckTheme(const std::string& theme);
    void CheckPopup(const std::string& theme, const ThemeFile& values, ScreenForm form);

    std::string dir_;
    int files_ = 0;
    int failures_ = 0;
};

// The lowest contrast of colour against the 8×8 blocks of the rectangle.
double LowestContrast(const RgbaImage& image, int x, int y, int w, int h, Color colour)
{
    double lowest = 21;
    for (int by = y; by + 8 <= y + h; by += 8)
        for (int bx = x; bx + 8 <= x + w; bx += 8) {
            double r = 0, g = 0, b = 0;
            for (int j = 0; j < 8; ++j)
                for (int i = 0; i < 8; ++i) {
                    const uint8_t* p = image.At(bx + i, by + j);
                    r += p[0];
                    g += p[1];
                    b += p[2];
                }
            Color average{r / 64 / 255, g / 64 / 255, b / 64 / 255, 1};
            lowest = std::min(lowest, ContrastRatio(colour, average));
        }
    return lowest;
}

std::string Size(int w, int h)
{
    return std::to_string(w) + "x" + std::to_string(h);
}

void Checker::CheckTga(const std::string& file)
{
    Guard(file, [&] {
        TgaFile f = Tga(file);
        if (f.imageType != 10 || f.depth != 32 || f.descriptor != 8)
            Fail(file, "type " + std::to_string(f.imageType) + ", " + std::to_string(f.depth) + " bits, descriptor " +
                           std::to_string(f.descriptor) + "; wanted 10, 32, 8");
        // Real soft edges, and somewhere the background mostly shows through.
        int thin = 0, soft = 0;
        for (size_t i = 3; i < f.image.pixels.size(); i += 4) {
            thin += f.image.pixels[i] < 128;
            soft += f.image.pixels[i] > 0 && f.image.pixels[i] < 255;
        }
        if (thin == 0 || soft == 0)
            Fail(file, "no soft alpha: " + std::to_string(soft) + " partly clear pixels, " + std::to_string(thin) +
                           " mostly clear");
    });
}

// The "_vga" form of a picture is exactly twice the plain one.
void Checker::CheckPair(const std::string& base, const std::string& extension)
{
    std::string file = base + "_vga" + extension;
    Guard(file, [&] {
        auto size = [&](const std::string& f) {
            if (extension == ".tga") {
                TgaFile t = Tga(f);
                return std::make_pair(t.image.width, t.image.height);
            }
            JpegFile j = Jpeg(f);
            return std::make_pair(j.image.width, j.image.height);
        };
        auto plain = size(base + extension);
        auto vga = size(file);
        if (vga.first != 2 * plain.first || vga.second != 2 * plain.second)
            Fail(file, Size(vga.first, vga.second) + " is not twice " + Size(plain.first, plain.second));
    });
}

void Checker::CheckFit(const Fit& fit)
{
    std::string file = std::string("graphics/") + fit.name + ".tga";
    Guard(file, [&] {
        TgaFile f = Tga(file);
        int w = f.image.width, h = f.image.height;
        bool ok = fit.exact ? (w == fit.width && h == fit.height) : (w <= fit.width && h <= fit.height);
        if (!ok)
            Fail(file, Size(w, h) + (fit.exact ? " is not " : " does not fit ") + Size(fit.width, fit.height));
    });
}

void Checker::CheckJpeg(const std::string& file, int maxWidth, int maxHeight, int minWidth, int minHeight)
{
    Guard(file, [&] {
        JpegFile f = Jpeg(file);
        if (!f.baseline || f.components != 3)
            Fail(file, "not a baseline colour JPEG");
        int w = f.image.width, h = f.image.height;
        if (w > maxWidth || h > maxHeight || w < minWidth || h < minHeight)
            Fail(file, Size(w, h) + " is outside " + Size(minWidth, minHeight) + " to " + Size(maxWidth, maxHeight));
    });
}

void Checker::CheckTaskSheet()
{
    Guard("tasks.png", [&] {
        PngFile f = DecodePng(ReadBytes(dir_ + "/tasks.png"));
        if (f.colourType != 2 || f.bitDepth != 8)
            Fail("tasks.png", "not an 8-bit RGB PNG without alpha");
        if (f.image.width != 78 || f.image.height != 44) {
            Fail("tasks.png", Size(f.image.width, f.image.height) + " is not 78x44");
            return;
        }
        // The right half is the mask: grey levels, opaque (black) somewhere,
        // transparent (white) somewhere, soft in between.
        int opaque = 0, clear = 0, soft = 0, coloured = 0;
        for (int y = 0; y < 44; ++y)
            for (int x = 39; x < 78; ++x) {
                const uint8_t* p = f.image.At(x, y);
                coloured += p[0] != p[1] || p[1] != p[2];
                opaque += p[0] == 0;
                clear += p[0] == 255;
                soft += p[0] > 0 && p[0] < 255;
            }
        if (coloured || !opaque || !clear || !soft)
            Fail("tasks.png", "the right half is not a soft grey mask");
    });
}

void Checker::CheckThemeFileText(const std::string& theme)
{
    std::string file = "themes/" + theme + "/" + theme + "_theme.ini";
    Guard(file, [&] {
        std::vector<uint8_t> bytes = ReadBytes(dir_ + "/" + file);
        std::string text(bytes.begin(), bytes.end());
        if (text.empty() || text[0] != ';')
            Fail(file, "does not begin with a comment");
        std::istringstream in(text);
        std::string line;
        std::set<std::string> keys;
        while (std::getline(in, line)) {
            if (line.empty() || line.back() != '\r') {
                Fail(file, "a line without CR LF: " + line);
                continue;
            }
            line.pop_back();
            if (line.size() > 254)
                Fail(file, "a line longer than the reader's 254 characters");
            if (!line.empty() && line[0] == ';')
                continue;
            size_t eq = line.find('=');
            // The device program shows a message box for a line without '='.
            if (eq == std::string::npos)
                Fail(file, "a line that is neither a comment nor key=value: \"" + line + "\"");
            else
                keys.insert(line.substr(0, eq));
        }
        std::set<std::string> wanted{"background_stretch", "background", "textcolor",
                                     "popupbackground", "popupbackground_landscape", "popupbackground_square",
                                     "popup_tasklist", "popup_tasklist_landscape", "popup_tasklist_square"};
        if (keys != wanted)
            Fail(file, "does not hold exactly the theme keys");
    });
}

void Checker::CheckPopup(const std::string& theme, const ThemeFile& values, ScreenForm form)
{
    const PopupPlace& place = values.popup[form];
    const PopupList& list = values.list[form];
    std::string file = "themes/" + theme + "/" + place.skin + ".tga";
    Guard(file, [&] {
        if (place.skin != theme + kSkinSuffix[form])
            Fail(file, "the theme names the skin " + place.skin);
        RgbaImage skin = Tga(file).image;
        int w = skin.width, h = skin.height;
        const ScreenSize& screen = kScreens[form];
        constexpr int margin = 2;
        if (list.left < margin || list.top < margin || list.left + list.width + margin > w ||
            list.top + list.height + margin > h)
            Fail(file, Size(w, h) + " does not hold the task list with a margin");
        // Clear of the bars, unless the list itself reaches into the menu bar:
        // then the skin runs on under it to the foot of the screen.
        int listBottom = place.top + list.top + list.height;
        int floor = listBottom > screen.height - kBarHeight ? screen.height : screen.height - kBarHeight;
        if (place.left < 0 || place.left + w > screen.width || place.top < kBarHeight || place.top + h > floor)
            Fail(file, Size(w, h) + " at " + std::to_string(place.left) + "," + std::to_string(place.top) +
                           " does not fit the screen");
        for (int scale = 1; scale <= (form == kSquare ? 1 : 2); ++scale) {
            RgbaImage s = scale == 1 ? skin : Tga("themes/" + theme + "/" + place.skin + "_vga.tga").image;
            int lx = list.left * scale, ly = list.top * scale, lw = list.width * scale, lh = list.height * scale;
            if (lx + lw > s.width || ly + lh > s.height)
                continue;
            for (int y = ly; y < ly + lh; ++y)
                for (int x = lx; x < lx + lw; ++x)
                    if (s.At(x, y)[3] != 255) {
                        Fail(file, "the task list area is not opaque at scale " + std::to_string(scale));
                        y = ly + lh;
                        break;
                    }
            double contrast = LowestContrast(s, lx, ly, lw, lh, list.text);
            if (contrast < 3.0)
                Fail(file, "the list text has a contrast of " + std::to_string(contrast) + " on the skin");
            else if (scale == 1)
                std::printf("%s: list text contrast %.1f or more\n", file.c_str(), contrast);
        }
    });
}

void Checker::CheckTheme(const std::string& theme)
{
    CheckThemeFileText(theme);
    std::string folder = "themes/" + theme + "/";
    ThemeFile values;
    try {
        values = ReadThemeFile(dir_ + "/" + folder + theme + "_theme.ini");
    } catch (const std::exception& e) {
        Fail(folder + theme + "_theme.ini", e.what());
        return;
    }
    if (values.values["background_stretch"] != "1" || values.values["background"] != theme)
        Fail(folder + theme + "_theme.ini", "not one stretched background named after the theme");
    std::string background = folder + theme + ".jpg";
    CheckJpeg(background, 4096, 4096, 240, 320);
    Guard(background, [&] {
        // Stretched over the whole client area, so text may fall anywhere on it.
        RgbaImage image = Jpeg(background).image;
        double contrast = LowestContrast(image, 0, 0, image.width, image.height, values.textColor);
        if (contrast < 3.0)
            Fail(background, "the text colour has a contrast of " + std::to_string(contrast));
        else
            std::printf("%s: text contrast %.1f or more\n", background.c_str(), contrast);
    });
    for (const char* suffix : {"", "_land", "_sqr"})
        CheckTga(folder + theme + suffix + ".tga");
    for (const char* suffix : {"", "_land"}) {
        CheckTga(folder + theme + suffix + "_vga.tga");
        CheckPair(folder + theme + suffix, ".tga");
    }
    for (int f = 0; f < kScreenForms; ++f)
        CheckPopup(theme, values, static_cast<ScreenForm>(f));
}

int Checker::Run()
{
    for (const char* name : kTgaNames) {
        std::string base = std::string("graphics/") + name;
        CheckTga(base + ".tga");
        CheckTga(base + "_vga.tga");
        CheckPair(base, ".tga");
    }
    for (const Fit& fit : kFits)
        CheckFit(fit);
    for (const char* name : kJpegNames) {
        std::string base = std::string("graphics/") + name;
        CheckJpeg(base + ".jpg", 240, 80, 1, 1);
        CheckJpeg(base + "_vga.jpg", 480, 160, 2, 2);
        CheckPair(base, ".jpg");
    }
    CheckTaskSheet();
    for (const char* theme : kThemes)
        CheckTheme(theme);
    std::printf("%d checks, %d failures\n", files_, failures_);
    return failures_ == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: qm_skins_check INSTALL_DIR\n");
        return 2;
    }
    return Checker(argv[1]).Run();
}
