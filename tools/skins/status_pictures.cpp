// The main page's pictures: the section icons at the top left of each section
// (drawn in 39×44 controls but kept 26 high, clear of the captions under them)
// and the large picture of the selected item (a 39×44 control).
#include "objects.h"
#include "picture.h"

namespace skins {

namespace {

constexpr int kIconWidth = 32;
constexpr int kIconHeight = 26;
constexpr int kPictureWidth = 39;
constexpr int kPictureHeight = 44;

Picture Make(const char* name, int w, int h, std::function<void(Canvas&)> draw)
{
    return Picture{std::string("graphics/") + name, Format::Tga, w, h, true, std::move(draw)};
}

} // namespace

std::vector<Picture> StatusPictures()
{
    return {
        Make("battery_small", kIconWidth, kIconHeight,
             [](Canvas& c) { LyingBattery(c, Box{2, 6, 29, 20}, 0.72); }),
        Make("memory_small", kIconWidth, kIconHeight, [](Canvas& c) { Chip(c, Box{4, 3, 27, 22}, 5, false); }),
        Make("storage_small", kIconWidth, kIconHeight, [](Canvas& c) { MemoryCard(c, Box{8.5, 2, 24, 23.5}); }),
        Make("battery", kPictureWidth, kPictureHeight,
             [](Canvas& c) { UprightBattery(c, Box{11, 3.5, 28, 40}, 0.75, true); }),
        Make("batterybackup", kPictureWidth, kPictureHeight, [](Canvas& c) { CoinCell(c, 19, 20.5, 14); }),
        Make("memory", kPictureWidth, kPictureHeight, [](Canvas& c) { Chip(c, Box{5, 6, 34, 38}, 5, true); }),
        Make("memorybackup", kPictureWidth, kPictureHeight, [](Canvas& c) { DiscStack(c, Box{6, 5, 33, 39}); }),
        Make("storage", kPictureWidth, kPictureHeight, [](Canvas& c) { MemoryCard(c, Box{7.5, 3.5, 31, 39.5}); }),
    };
}

} // namespace skins
