#include "contact_sheet.h"

#include "image_ops.h"
#include "picture.h"
#include "sheet_layout.h"

#include <filesystem>

namespace skins {

namespace {

constexpr int kSheetWidth = 960;
// Pictures up to this width are shown a second time on a dark ground, since
// the themes put them on dark and on light backgrounds.
constexpr int kTwinWidth = 130;

RgbaImage Tile(const Rendition& r)
{
    Canvas canvas = Render(r);
    if (r.picture->format == Format::Jpeg)
        canvas.Flatten(Rgb(0xFFFFFF));
    RgbaImage picture = canvas.ToImage();
    bool twin = r.picture->format == Format::Tga && r.picture->width <= kTwinWidth;
    int w = picture.width, h = picture.height;
    RgbaImage tile = Blank(twin ? 2 * w + 4 : w, h, Rgb(0xFFFFFF));
    Checkerboard(tile, 0, 0, w, h, Rgb(0xFFFFFF), Rgb(0xD0D4DA), 4 * r.scale);
    Composite(tile, picture, 0, 0);
    if (twin) {
        Checkerboard(tile, w + 4, 0, w, h, Rgb(0x14305F), Rgb(0x0C2247), 4 * r.scale);
        Composite(tile, picture, w + 4, 0);
    }
    return tile;
}

} // namespace

RgbaImage ContactSheet(int scale)
{
    std::vector<Picture> pictures = AllPictures();
    SheetLayout layout(kSheetWidth);
    for (const Rendition& r : Renditions(pictures)) {
        if (r.scale == scale)
            layout.Add(Tile(r), std::filesystem::path(r.file).filename().string());
    }
    return layout.Finish();
}

} // namespace skins
