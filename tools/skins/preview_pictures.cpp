#include "preview_pictures.h"

#include <stdexcept>

namespace skins {

RgbaImage PreviewPictures::Get(const std::string& path, Format format, int scale)
{
    std::string key = path + "/" + std::to_string(static_cast<int>(format)) + "/" + std::to_string(scale);
    auto cached = cache_.find(key);
    if (cached != cache_.end())
        return cached->second;
    for (const Rendition& r : Renditions(all_)) {
        if (r.scale == scale && r.picture->path == path && r.picture->format == format) {
            Canvas canvas = Render(r);
            if (format != Format::Tga)
                canvas.Flatten(Rgb(0xFFFFFF));
            return cache_[key] = canvas.ToImage();
        }
    }
    throw std::runtime_error("no picture " + path);
}

} // namespace skins
