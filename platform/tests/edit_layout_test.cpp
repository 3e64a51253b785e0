// The edit window's lines and scrolling, with every character 1 pixel wide
// (wide ones 3) so that the widths are plain to read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edit_layout.h"
#include "edit_scroll_bar.h"

namespace {

using platform::EditLine;
using platform::EditScroll;
using platform::ScrollBarHit;

LONG Narrow(char16_t c) { return c == u'W' ? 3 : 1; }

std::vector<std::u16string> Lines(std::u16string_view text, LONG width)
{
    std::vector<std::u16string> shown;
    for (const EditLine& line : platform::LayOutEditText(text, width, Narrow))
        shown.emplace_back(text.substr(line.start, line.length));
    return shown;
}

TEST(EditLayout, LinesBreakAtLineEndsAndWrapAtBlanksOrWhereAWordReachesTheWidth)
{
    const struct {
        const char* what;
        std::u16string text;
        LONG width;
        std::vector<std::u16string> lines;
    } cases[] = {
        {"empty", u"", 10, {u""}},
        {"fits", u"one two", 10, {u"one two"}},
        {"CR LF, LF and CR each end a line", u"a\r\nb\nc\rd", 10, {u"a", u"b", u"c", u"d"}},
        {"empty lines and a final break", u"a\r\n\r\nb\r\n", 10, {u"a", u"", u"b", u""}},
        {"wraps at the last blank that fits", u"one two three", 9, {u"one two", u"three"}},
        {"a blank where the line is full goes", u"abcde fgh", 5, {u"abcde", u"fgh"}},
        {"a long word is cut at the width", u"abcdefghijkl mn", 5, {u"abcde", u"fghij", u"kl mn"}},
        {"wide characters count their width", u"WWW ab", 7, {u"WW", u"W ab"}},
        {"a character wider than the line still shows", u"WW", 2, {u"W", u"W"}},
        {"each paragraph wraps on its own", u"aaa bbb\r\nccc ddd", 5, {u"aaa", u"bbb", u"ccc", u"ddd"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Lines(c.text, c.width), c.lines) << c.what;
}

TEST(EditLayout, LongTextsLayOutEveryCharacterOnce)
{
    std::u16string text;
    while (text.size() < 40000)
        text += u"The quick brown fox jumps over the lazy dog.\r\n";
    text.resize(40000);
    std::vector<EditLine> lines = platform::LayOutEditText(text, 20, Narrow);
    size_t covered = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        ASSERT_LE(lines[i].length, 20u);
        if (i > 0)
            ASSERT_GT(lines[i].start, lines[i - 1].start);
        covered += lines[i].length;
    }
    size_t breaksAndBlanks = 0;
    for (char16_t c : text)
        breaksAndBlanks += c == u' ' || c == u'\r' || c == u'\n';
    EXPECT_GE(covered + breaksAndBlanks, text.size());
    EXPECT_EQ(lines.back().start + lines.back().length, text.size());
}

TEST(EditScroll, TheTopLineStaysWithinTheRange)
{
    EditScroll scroll;
    scroll.SetRange(30, 10);
    EXPECT_EQ(scroll.MaxTop(), 20u);
    EXPECT_FALSE(scroll.ScrollBy(-1)) << "already at the top";
    EXPECT_TRUE(scroll.ScrollBy(1));
    EXPECT_EQ(scroll.Top(), 1u);
    EXPECT_TRUE(scroll.ScrollBy(100));
    EXPECT_EQ(scroll.Top(), 20u);
    EXPECT_FALSE(scroll.ScrollBy(1));
    scroll.SetRange(15, 10);
    EXPECT_EQ(scroll.Top(), 5u) << "a shorter text pulls the top back";
    scroll.SetRange(5, 10);
    EXPECT_EQ(scroll.Top(), 0u);
    EXPECT_FALSE(scroll.ScrollBy(3)) << "nothing to scroll when it all fits";
}

TEST(EditScrollBar, ArrowsTrackAndThumbAnswerTheStylus)
{
    EditScroll scroll;
    scroll.SetRange(100, 20);
    const RECT bar = {200, 0, 213, 213};  // arrows 13, track 187
    platform::ScrollBarParts parts = platform::LayOutScrollBar(bar, scroll);
    EXPECT_EQ(parts.up.bottom, 13);
    EXPECT_EQ(parts.down.top, 200);
    EXPECT_EQ(parts.thumb.top, 13);
    EXPECT_EQ(parts.thumb.bottom - parts.thumb.top, 187 * 20 / 100);
    const struct {
        POINT at;
        ScrollBarHit hit;
    } hits[] = {{{205, 5}, ScrollBarHit::LineUp},   {{205, 210}, ScrollBarHit::LineDown},
                {{205, 20}, ScrollBarHit::Thumb},   {{205, 150}, ScrollBarHit::PageDown},
                {{199, 150}, ScrollBarHit::None}};
    for (const auto& h : hits)
        EXPECT_EQ(platform::HitScrollBar(parts, h.at), h.hit) << h.at.x << "," << h.at.y;

    scroll.ScrollTo(80);
    parts = platform::LayOutScrollBar(bar, scroll);
    EXPECT_EQ(parts.thumb.bottom, 200) << "at the end the thumb meets the lower arrow";
    EXPECT_EQ(platform::HitScrollBar(parts, POINT{205, 20}), ScrollBarHit::PageUp);
    // Dragging the thumb: its top at either end of its travel, and half way.
    LONG travel = 187 - (parts.thumb.bottom - parts.thumb.top);
    EXPECT_EQ(platform::TopForThumb(parts, scroll, 0), 0u);
    EXPECT_EQ(platform::TopForThumb(parts, scroll, 13 + travel), 80u);
    EXPECT_EQ(platform::TopForThumb(parts, scroll, 13 + travel / 2), 40u);
    EXPECT_EQ(platform::TopForThumb(parts, scroll, 500), 80u);

    scroll.SetRange(10, 20);
    parts = platform::LayOutScrollBar(bar, scroll);
    EXPECT_EQ(parts.thumb.bottom, parts.thumb.top) << "no thumb when all lines show";
    EXPECT_EQ(platform::HitScrollBar(parts, POINT{205, 100}), ScrollBarHit::None);
}

}  // namespace
