// DrawTextW's line layout on a fake measure: every character 10 pixels wide.
#include <gtest/gtest.h>

#include "gdi/text_layout.h"

namespace {

using platform::LayOutText;
using platform::TextLayoutOptions;
using platform::TextLine;

int TenEach(std::u16string_view text) { return static_cast<int>(text.size()) * 10; }

std::vector<std::u16string> Texts(const std::vector<TextLine>& lines)
{
    std::vector<std::u16string> texts;
    for (const TextLine& line : lines)
        texts.push_back(line.text);
    return texts;
}

std::vector<std::u16string> Lay(std::u16string_view text, TextLayoutOptions options)
{
    return Texts(LayOutText(text, options, TenEach));
}

TextLayoutOptions Width(int width)
{
    TextLayoutOptions options;
    options.width = width;
    return options;
}

using Lines = std::vector<std::u16string>;

TEST(TextLayoutTest, LinesEndAtCrLfAndCrLf)
{
    EXPECT_EQ(Lay(u"a\r\nb\rc\nd", Width(100)), (Lines{u"a", u"b", u"c", u"d"}));
    EXPECT_EQ(Lay(u"a\n\nb", Width(100)), (Lines{u"a", u"", u"b"}));
    // A break at the very end starts no further line; empty text is one line.
    EXPECT_EQ(Lay(u"a\r\n", Width(100)), (Lines{u"a"}));
    EXPECT_EQ(Lay(u"", Width(100)), (Lines{u""}));
    EXPECT_EQ(Lay(u"\n\n", Width(100)), (Lines{u"", u""}));

    TextLayoutOptions single = Width(100);
    single.singleLine = true;
    single.wordBreak = true;
    EXPECT_EQ(Lay(u"one two\r\nthree four", single), (Lines{u"one two\r\nthree four"}));

    std::vector<TextLine> lines = LayOutText(u"ab\ncde", Width(100), TenEach);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].width, 20);
    EXPECT_EQ(lines[1].width, 30);
}

TEST(TextLayoutTest, WordBreakWrapsAtSpacesAndSplitsLongWords)
{
    TextLayoutOptions options = Width(50);
    options.wordBreak = true;
    EXPECT_EQ(Lay(u"one two three", options), (Lines{u"one", u"two", u"three"}));
    EXPECT_EQ(Lay(u"ab cd efg", options), (Lines{u"ab cd", u"efg"}));
    // The spaces at a wrap belong to neither line; leading ones stay.
    EXPECT_EQ(Lay(u"ab     cd", options), (Lines{u"ab", u"cd"}));
    EXPECT_EQ(Lay(u"  abc", options), (Lines{u"  abc"}));
    // A word wider than the line is broken by characters.
    EXPECT_EQ(Lay(u"abcdefghijkl", options), (Lines{u"abcde", u"fghij", u"kl"}));
    EXPECT_EQ(Lay(u"ab abcdefg", options), (Lines{u"ab", u"abcde", u"fg"}));
    // Paragraphs wrap on their own.
    EXPECT_EQ(Lay(u"abc def\nx", options), (Lines{u"abc", u"def", u"x"}));
    // No room at all still makes progress, a character a line.
    EXPECT_EQ(Lay(u"abc", Width(0)), (Lines{u"abc"}));
    options.width = 0;
    EXPECT_EQ(Lay(u"abc", options), (Lines{u"a", u"b", u"c"}));
    // Every wrapped line fits.
    options.width = 70;
    for (const TextLine& line : LayOutText(u"the quick brown fox jumps over the lazy dog", options, TenEach))
        EXPECT_LE(line.width, 70) << std::string(line.text.begin(), line.text.end());
}

TEST(TextLayoutTest, PrefixesMarkTheNextCharacter)
{
    std::vector<TextLine> lines = LayOutText(u"&File", Width(100), TenEach);
    EXPECT_EQ(lines[0].text, u"File");
    EXPECT_EQ(lines[0].underlined, 0);
    EXPECT_EQ(lines[0].width, 40);

    lines = LayOutText(u"a&&b", Width(100), TenEach);
    EXPECT_EQ(lines[0].text, u"a&b");
    EXPECT_EQ(lines[0].underlined, -1);

    lines = LayOutText(u"&&&x", Width(100), TenEach);
    EXPECT_EQ(lines[0].text, u"&x");
    EXPECT_EQ(lines[0].underlined, 1);

    lines = LayOutText(u"&ab&c&", Width(100), TenEach);
    EXPECT_EQ(lines[0].text, u"abc");
    EXPECT_EQ(lines[0].underlined, 2);

    TextLayoutOptions plain = Width(100);
    plain.prefixes = false;
    lines = LayOutText(u"&File&&", plain, TenEach);
    EXPECT_EQ(lines[0].text, u"&File&&");
    EXPECT_EQ(lines[0].underlined, -1);

    // The mark follows its character onto a wrapped line.
    TextLayoutOptions wrapped = Width(40);
    wrapped.wordBreak = true;
    lines = LayOutText(u"aaa b&cd", wrapped, TenEach);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].underlined, -1);
    EXPECT_EQ(lines[1].text, u"bcd");
    EXPECT_EQ(lines[1].underlined, 1);
}

TEST(TextLayoutTest, EndEllipsisShortensLinesThatDoNotFit)
{
    TextLayoutOptions options = Width(60);
    options.endEllipsis = true;
    std::vector<TextLine> lines = LayOutText(u"abcdefghij", options, TenEach);
    EXPECT_EQ(lines[0].text, u"abc...");
    EXPECT_EQ(lines[0].width, 60);
    EXPECT_EQ(Lay(u"abcdef", options), (Lines{u"abcdef"}));
    // Too narrow even for the dots: they alone, to be clipped.
    options.width = 20;
    EXPECT_EQ(Lay(u"abcdef", options), (Lines{u"..."}));
    // A mark that is cut off goes; one that stays, stays.
    options.width = 60;
    EXPECT_EQ(LayOutText(u"abcd&efgh", options, TenEach)[0].underlined, -1);
    EXPECT_EQ(LayOutText(u"a&bcdefgh", options, TenEach)[0].underlined, 1);
    // Each line of several is shortened on its own.
    EXPECT_EQ(Lay(u"abcdefgh\nab", options), (Lines{u"abc...", u"ab"}));
}

TEST(TextLayoutTest, ExpandTabsGoesToTheNextEighthColumn)
{
    TextLayoutOptions options = Width(1000);
    options.expandTabs = true;
    EXPECT_EQ(Lay(u"a\tb", options), (Lines{u"a       b"}));
    EXPECT_EQ(Lay(u"abcdefgh\tb", options), (Lines{u"abcdefgh        b"}));
    EXPECT_EQ(Lay(u"a\tb", Width(1000)), (Lines{u"a\tb"}));
}

}  // namespace
