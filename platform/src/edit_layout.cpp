#include "edit_layout.h"

#include <algorithm>

namespace platform {
namespace {

bool IsBreak(char16_t c) { return c == u'\r' || c == u'\n'; }

// Length of the line break at text[at] (CR LF counts as one).
size_t BreakLength(std::u16string_view text, size_t at)
{
    if (text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n')
        return 2;
    return 1;
}

// Wraps one paragraph (no breaks inside) starting at offset `base`.
void Wrap(std::u16string_view paragraph, size_t base, LONG width, const CharWidth& widthOf,
          std::vector<EditLine>& lines)
{
    size_t start = 0;
    do {
        LONG used = 0;
        size_t end = start;
        size_t lastBlank = std::u16string_view::npos;
        while (end < paragraph.size()) {
            LONG advance = widthOf(paragraph[end]);
            if (used + advance > width && end > start)
                break;
            if (paragraph[end] == u' ')
                lastBlank = end;
            used += advance;
            ++end;
        }
        if (end == paragraph.size()) {
            lines.push_back({base + start, end - start});
            return;
        }
        if (paragraph[end] == u' ') {
            // The blank where the line is full goes with the break.
            lines.push_back({base + start, end - start});
            start = end + 1;
        } else if (lastBlank != std::u16string_view::npos && lastBlank > start) {
            lines.push_back({base + start, lastBlank - start});
            start = lastBlank + 1;
        } else {
            lines.push_back({base + start, end - start});
            start = end;
        }
    } while (start < paragraph.size());
}

}  // namespace

std::vector<EditLine> LayOutEditText(std::u16string_view text, LONG width, const CharWidth& widthOf)
{
    std::vector<EditLine> lines;
    size_t start = 0;
    for (;;) {
        size_t end = start;
        while (end < text.size() && !IsBreak(text[end]))
            ++end;
        if (end == start)
            lines.push_back({start, 0});
        else
            Wrap(text.substr(start, end - start), start, width, widthOf, lines);
        if (end == text.size())
            return lines;
        start = end + BreakLength(text, end);
    }
}

void EditScroll::SetRange(size_t lineCount, size_t pageLines)
{
    lineCount_ = lineCount;
    pageLines_ = std::max<size_t>(pageLines, 1);
    top_ = std::min(top_, MaxTop());
}

bool EditScroll::ScrollBy(long lines)
{
    long target = static_cast<long>(top_) + lines;
    return ScrollTo(target < 0 ? 0 : static_cast<size_t>(target));
}

bool EditScroll::ScrollTo(size_t top)
{
    size_t clamped = std::min(top, MaxTop());
    bool moved = clamped != top_;
    top_ = clamped;
    return moved;
}

}  // namespace platform
