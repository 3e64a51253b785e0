// Draws every skin picture of the device program and writes it into the
// install directory of the device image; optionally a contact sheet.
//
//   qm_skins --out DIR
//   qm_skins --sheet FILE [--scale 1|2] [--crop X,Y,W,H] [--zoom N]
//   qm_skins --theme-sheet FILE --themes DIR [--crop X,Y,W,H] [--zoom N]
// The crop and the zoom (nearest neighbour) are for looking closely.
#include "contact_sheet.h"
#include "image_ops.h"
#include "jpeg_writer.h"
#include "picture.h"
#include "png_writer.h"
#include "tga_writer.h"
#include "theme_preview.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <algorithm>
#include <fstream>
#include <string>

namespace {

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::vector<uint8_t> Encode(skins::Format format, skins::Canvas& canvas)
{
    switch (format) {
    case skins::Format::Tga:
        return skins::EncodeTga(canvas.ToImage());
    case skins::Format::Jpeg:
        canvas.Flatten(skins::Rgb(0xFFFFFF));
        return skins::EncodeJpeg(canvas.ToImage());
    case skins::Format::Png:
        return skins::EncodePng(canvas.ToImage());
    }
    return {};
}

void WriteAll(const std::filesystem::path& out)
{
    std::vector<skins::Picture> pictures = skins::AllPictures();
    for (const skins::Rendition& r : skins::Renditions(pictures)) {
        skins::Canvas canvas = skins::Render(r);
        WriteFile(out / r.file, Encode(r.picture->format, canvas));
    }
}

struct Options {
    std::string out, sheet, themeSheet, themes;
    int scale = 1;
    int zoom = 1;
    int crop[4] = {0, 0, 0, 0};
};

skins::RgbaImage Finish(const skins::RgbaImage& sheet, const Options& o)
{
    skins::RgbaImage view = sheet;
    if (o.crop[2] > 0 && o.crop[3] > 0) {
        view = skins::Blank(o.crop[2], o.crop[3], skins::Rgb(0xFFFFFF));
        for (int y = 0; y < o.crop[3]; ++y)
            for (int x = 0; x < o.crop[2]; ++x) {
                int sx = o.crop[0] + x, sy = o.crop[1] + y;
                if (sx < sheet.width && sy < sheet.height) {
                    const uint8_t* p = sheet.At(sx, sy);
                    std::copy(p, p + 4, view.At(x, y));
                }
            }
    }
    return skins::Zoom(view, o.zoom);
}

bool Parse(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (i + 1 >= argc)
            return false;
        std::string value = argv[++i];
        if (arg == "--out")
            o.out = value;
        else if (arg == "--sheet")
            o.sheet = value;
        else if (arg == "--theme-sheet")
            o.themeSheet = value;
        else if (arg == "--themes")
            o.themes = value;
        else if (arg == "--scale")
            o.scale = std::atoi(value.c_str());
        else if (arg == "--zoom")
            o.zoom = std::atoi(value.c_str());
        else if (arg == "--crop")
            std::sscanf(value.c_str(), "%d,%d,%d,%d", &o.crop[0], &o.crop[1], &o.crop[2], &o.crop[3]);
        else
            return false;
    }
    bool any = !o.out.empty() || !o.sheet.empty() || !o.themeSheet.empty();
    return any && (o.scale == 1 || o.scale == 2) && o.zoom >= 1 && (o.themeSheet.empty() || !o.themes.empty());
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!Parse(argc, argv, options)) {
        std::fprintf(stderr, "usage: qm_skins --out DIR | --sheet FILE [--scale 1|2] | --theme-sheet FILE "
                             "--themes DIR; the sheets take [--crop X,Y,W,H] [--zoom N]\n");
        return 2;
    }
    try {
        if (!options.out.empty())
            WriteAll(options.out);
        if (!options.sheet.empty())
            WriteFile(options.sheet, skins::EncodePng(Finish(skins::ContactSheet(options.scale), options)));
        if (!options.themeSheet.empty())
            WriteFile(options.themeSheet, skins::EncodePng(Finish(skins::ThemeSheet(options.themes), options)));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qm_skins: %s\n", e.what());
        return 1;
    }
    return 0;
}
