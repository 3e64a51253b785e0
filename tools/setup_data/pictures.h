// The pictures of the desktop wizard: its banner and the five flags.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Picture {
    int width;
    int height;
    std::vector<uint32_t> pixels;  // 0xRRGGBB, top row first
};

Picture DrawBanner();
// "en", "fr", "de", "it", "es"; an empty picture for any other code.
Picture DrawFlag(const std::string& code);

// A 24-bit bottom-up Windows bitmap file.
std::string BitmapFile(const Picture& picture);
