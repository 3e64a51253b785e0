#include "tga_reader.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace skins {

namespace {

int Get16(const std::vector<uint8_t>& d, size_t at)
{
    return d[at] | (d[at + 1] << 8);
}

} // namespace

std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TgaFile DecodeTga(const std::vector<uint8_t>& d)
{
    if (d.size() < 18)
        throw std::runtime_error("shorter than a TGA header");
    TgaFile f;
    f.imageType = d[2];
    f.depth = d[16];
    f.descriptor = d[17];
    int width = Get16(d, 12), height = Get16(d, 14);
    int bytes = f.depth / 8;
    if ((f.imageType != 2 && f.imageType != 10) || (bytes != 3 && bytes != 4) || d[1] != 0)
        throw std::runtime_error("not a true-colour TGA of 24 or 32 bits");
    size_t at = 18 + d[0];
    size_t total = static_cast<size_t>(width) * height;
    std::vector<uint8_t> pixels; // file order: bottom row first
    pixels.reserve(total * 4);
    auto take = [&](size_t count) {
        if (at + count * bytes > d.size())
            throw std::runtime_error("pixel data ends early");
        for (size_t i = 0; i < count; ++i, at += bytes)
            pixels.insert(pixels.end(), {d[at + 2], d[at + 1], d[at], bytes == 4 ? d[at + 3] : uint8_t{255}});
    };
    while (pixels.size() < total * 4) {
        if (f.imageType == 2) {
            take(total);
            break;
        }
        if (at >= d.size())
            throw std::runtime_error("pixel data ends early");
        uint8_t header = d[at++];
        size_t count = (header & 0x7F) + 1u;
        if (pixels.size() / 4 + count > total)
            throw std::runtime_error("a packet runs past the last pixel");
        if (header & 0x80) {
            take(1);
            uint8_t last[4];
            std::copy(pixels.end() - 4, pixels.end(), last);
            for (size_t i = 1; i < count; ++i)
                pixels.insert(pixels.end(), last, last + 4);
        } else {
            take(count);
        }
    }
    if (at != d.size())
        throw std::runtime_error("bytes after the last pixel");
    f.image = RgbaImage{width, height, std::vector<uint8_t>(total * 4)};
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = &pixels[static_cast<size_t>(height - 1 - y) * width * 4];
        std::copy(row, row + static_cast<size_t>(width) * 4, f.image.At(0, y));
    }
    return f;
}

} // namespace skins
