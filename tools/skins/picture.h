// A picture the device program ships, and how to draw it.
#pragma once

#include "canvas.h"

#include <functional>
#include <string>
#include <vector>

namespace skins {

enum class Format { Tga, Jpeg, Png };

struct Picture {
    // Path below the install directory without extension, e.g. "graphics/bar".
    std::string path;
    Format format;
    int width;  // picture units (QVGA pixels)
    int height;
    // Also written at twice the size as path + "_vga".
    bool vga;
    std::function<void(Canvas&)> draw;
};

// One file to write: the picture at one scale.
struct Rendition {
    const Picture* picture;
    int scale;
    std::string file; // relative path with extension
};

std::vector<Rendition> Renditions(const std::vector<Picture>& pictures);
Canvas Render(const Rendition& rendition);

// The families, one file each.
std::vector<Picture> MeterPictures();
std::vector<Picture> StatusPictures();
std::vector<Picture> ButtonPictures();
std::vector<Picture> HomePictures();
std::vector<Picture> ThemeBackgrounds();
std::vector<Picture> PopupSkins();
std::vector<Picture> DecorPictures();
std::vector<Picture> TaskIconSheet();

std::vector<Picture> AllPictures();

} // namespace skins
