// The lines of a multi-line, word-wrapped edit window: where each starts in
// the text and how long it is. Laid out once per text or width.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "ce/types.h"

namespace platform {

struct EditLine {
    size_t start = 0;
    size_t length = 0;  // what shows, without the line break or the blank it wrapped at
};

// Pixel advance of one character in the window's font.
using CharWidth = std::function<LONG(char16_t)>;

// CR LF, a lone LF or a lone CR ends a line; a text ending in a break has
// an empty last line, as the edit control counts lines. A line wraps at the
// last blank that lets it fit the width; a word wider than the width is cut
// where it reaches it (one character at least per line).
std::vector<EditLine> LayOutEditText(std::u16string_view text, LONG width, const CharWidth& widthOf);

// The vertical scroll position: the first line shown, kept within range.
class EditScroll {
public:
    // lineCount lines, pageLines of them fit the window.
    void SetRange(size_t lineCount, size_t pageLines);
    size_t Top() const { return top_; }
    size_t MaxTop() const { return lineCount_ > pageLines_ ? lineCount_ - pageLines_ : 0; }
    size_t PageLines() const { return pageLines_; }
    size_t LineCount() const { return lineCount_; }
    // Moves by the given number of lines (negative: up); true when it moved.
    bool ScrollBy(long lines);
    bool ScrollTo(size_t top);

private:
    size_t lineCount_ = 0;
    size_t pageLines_ = 1;
    size_t top_ = 0;
};

}  // namespace platform
