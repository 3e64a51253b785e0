// A 5×7 pixel font for the labels of the contact sheets (capitals, digits
// and a little punctuation; lower case is drawn as capitals).
#pragma once

#include "color.h"
#include "rgba_image.h"

#include <string>

namespace skins {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = 6;

// Draws text with its top left at (x, y), each font pixel scale × scale;
// returns the width drawn.
int DrawLabel(RgbaImage& image, int x, int y, const std::string& text, Color color, bool bold = false,
              int scale = 1);
int LabelWidth(const std::string& text, bool bold = false, int scale = 1);

} // namespace skins
