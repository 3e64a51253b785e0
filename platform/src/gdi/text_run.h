// One run of characters on one line, as ExtTextOutW and DrawTextW draw it.
#pragma once

#include <string_view>

#include "ce/types.h"

namespace platform {

struct TextRun {
    int x = 0;  // the top left of the first character's cell, DC coordinates
    int y = 0;
    std::u16string_view text;
    const INT* advances = nullptr;  // one per character, or the font's own
    const RECT* clip = nullptr;  // a further limit, DC coordinates
    // Characters [underlineFirst, underlineLast) are underlined even when
    // the font is not.
    size_t underlineFirst = 0;
    size_t underlineLast = 0;
};

// Draws with the DC's font, text colour and background mode (an opaque
// background fills the run's cells); false when the DC has no font or
// nothing to draw on.
bool DrawTextRun(HDC hdc, const TextRun& run);

// Fills the rectangle with the DC's background colour, within its clip.
bool FillTextBackground(HDC hdc, const RECT& rect);

}  // namespace platform
