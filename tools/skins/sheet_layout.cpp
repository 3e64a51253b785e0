#include "sheet_layout.h"

#include "image_ops.h"
#include "pixel_font.h"

#include <algorithm>

namespace skins {

namespace {

constexpr int kGap = 10;
constexpr int kLabelHeight = kGlyphHeight + 6;

} // namespace

void SheetLayout::Add(RgbaImage tile, std::string label)
{
    int w = std::max(tile.width, LabelWidth(label));
    if (x_ > 0 && x_ + w + kGap > width_)
        Break();
    int h = tile.height + kLabelHeight;
    placed_.push_back(Placed{std::move(tile), std::move(label), x_ + kGap, y_ + kGap});
    x_ += w + kGap;
    rowHeight_ = std::max(rowHeight_, h);
}

void SheetLayout::Break()
{
    y_ += rowHeight_ + kGap;
    x_ = 0;
    rowHeight_ = 0;
}

RgbaImage SheetLayout::Finish() const
{
    int height = y_ + rowHeight_ + 2 * kGap;
    RgbaImage sheet = Blank(width_ + kGap, height, Rgb(0xE6E8EB));
    for (const Placed& p : placed_) {
        Composite(sheet, p.tile, p.x, p.y);
        DrawLabel(sheet, p.x, p.y + p.tile.height + 4, p.label, Rgb(0x202020));
    }
    return sheet;
}

} // namespace skins
