// The pictures as files would give them, drawn once and kept, for the previews.
#pragma once

#include "picture.h"
#include "rgba_image.h"

#include <map>
#include <string>

namespace skins {

class PreviewPictures {
public:
    PreviewPictures() : all_(AllPictures()) {}

    // A theme's background and its portrait skin share a path and differ in
    // format; scale 2 gives the "_vga" picture.
    RgbaImage Get(const std::string& path, Format format = Format::Tga, int scale = 1);

private:
    std::vector<Picture> all_;
    std::map<std::string, RgbaImage> cache_;
};

} // namespace skins
