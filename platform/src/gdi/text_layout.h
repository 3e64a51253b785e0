// DrawTextW's lines: breaks at CR and LF, word wrap, '&' prefixes, tabs and
// end ellipses, worked out on a width measure alone so that no font is
// needed to test them.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The width in pixels that a run of characters takes.
using TextMeasure = std::function<int(std::u16string_view)>;

struct TextLayoutOptions {
    int width = 0;  // of the rectangle the text goes in
    bool singleLine = false;
    bool wordBreak = false;
    bool prefixes = true;  // a single '&' marks the next character, "&&" is one '&'
    bool endEllipsis = false;
    bool expandTabs = false;
};

struct TextLine {
    std::u16string text;  // as drawn: prefixes taken out, tabs expanded, "..." added
    int width = 0;
    int underlined = -1;  // the character a '&' marked, or -1
};

// At least one line, even for empty text.
std::vector<TextLine> LayOutText(std::u16string_view text, const TextLayoutOptions& options,
                                 const TextMeasure& measure);

}  // namespace platform
