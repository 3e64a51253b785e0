#include "picture.h"

namespace skins {

namespace {

const char* Extension(Format format)
{
    switch (format) {
    case Format::Tga:
        return ".tga";
    case Format::Jpeg:
        return ".jpg";
    case Format::Png:
        return ".png";
    }
    return "";
}

} // namespace

std::vector<Rendition> Renditions(const std::vector<Picture>& pictures)
{
    std::vector<Rendition> out;
    for (const Picture& p : pictures) {
        out.push_back(Rendition{&p, 1, p.path + Extension(p.format)});
        if (p.vga)
            out.push_back(Rendition{&p, 2, p.path + "_vga" + Extension(p.format)});
    }
    return out;
}

Canvas Render(const Rendition& rendition)
{
    Canvas canvas(rendition.picture->width, rendition.picture->height, rendition.scale);
    rendition.picture->draw(canvas);
    return canvas;
}

std::vector<Picture> AllPictures()
{
    std::vector<Picture> all;
    for (auto family : {MeterPictures, StatusPictures, ButtonPictures, HomePictures, ThemeBackgrounds, PopupSkins,
                        DecorPictures, TaskIconSheet}) {
        std::vector<Picture> pictures = family();
        all.insert(all.end(), pictures.begin(), pictures.end());
    }
    return all;
}

} // namespace skins
