// Writes the seed corpus for fuzz_imgdecmp: small JPEGs and PNGs of the
// kinds the library decodes, into the folder given.
#include <cstdio>
#include <fstream>
#include <string>

#include <png.h>

#include "test_pictures.h"

namespace {

using testpictures::Rgb;

Rgb Gradient(int x, int y) { return Rgb{uint8_t(x * 16), uint8_t(y * 16), uint8_t((x + y) * 8)}; }

testpictures::PngPicture PalettePng()
{
    testpictures::PngPicture png;
    png.width = 4;
    png.height = 4;
    png.colorType = PNG_COLOR_TYPE_PALETTE;
    png.interlaced = true;
    png.samples = {0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0};
    png.palette = {255, 0, 0, 0, 255, 0, 0, 0, 255};
    png.paletteAlpha = {255, 128, 0};
    return png;
}

testpictures::PngPicture GreyAlphaPng()
{
    testpictures::PngPicture png;
    png.width = 3;
    png.height = 2;
    png.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
    png.bitDepth = 16;
    png.samples.assign(3 * 2 * 4, 0x80);
    return png;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: imgdecmp_seeds FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::pair<const char*, std::string> seeds[] = {
        {"baseline.jpg", testpictures::EncodeJpeg(24, 17, Gradient)},
        {"progressive.jpg", testpictures::EncodeJpeg(33, 20, Gradient, {80, true})},
        {"grey.jpg", testpictures::EncodeJpeg(16, 16, Gradient, {90, false, true})},
        {"rgb.png", testpictures::EncodeRgbPng(10, 7, Gradient)},
        {"palette.png", testpictures::EncodePng(PalettePng())},
        {"grey_alpha.png", testpictures::EncodePng(GreyAlphaPng())},
    };
    for (const auto& [name, bytes] : seeds) {
        std::ofstream out(folder + "/" + name, std::ios::binary);
        out << bytes;
        if (!out) {
            std::fprintf(stderr, "imgdecmp_seeds: cannot write %s/%s\n", folder.c_str(), name);
            return 1;
        }
    }
    return 0;
}
