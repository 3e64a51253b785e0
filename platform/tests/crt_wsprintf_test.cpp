#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ce/crt.h"

namespace {

// Formats into a buffer larger than wsprintf may use and checks that the
// returned length matches the terminated text.
template <typename... Args>
std::u16string Format(const WCHAR* format, Args... args)
{
    std::vector<WCHAR> buffer(2048, u'#');
    int length = wsprintfW(buffer.data(), format, args...);
    std::u16string text(buffer.data());
    EXPECT_EQ(length, static_cast<int>(text.size())) << "format " << testing::PrintToString(std::u16string(format));
    return text;
}

TEST(Wsprintf, Integers)
{
    EXPECT_EQ(Format(u"%d|%i|%u", -42, 7, 3000000000u), u"-42|7|3000000000");
    EXPECT_EQ(Format(u"%d", INT32_MIN), u"-2147483648");
    EXPECT_EQ(Format(u"%x|%X|%#x|%#X|%#x", 0xbeefu, 0xbeefu, 255u, 255u, 0u), u"beef|BEEF|0xff|0XFF|0");
    EXPECT_EQ(Format(u"%ld|%lu|%lx", -5, 4000000000u, 0xffffffffu), u"-5|4000000000|ffffffff");
    EXPECT_EQ(Format(u"%hd|%hu|%hx", 65535, 65537, 0x12345), u"-1|1|2345");
    EXPECT_EQ(Format(u"%+d|%+d|% d|% d", 5, -5, 5, -5), u"+5|-5| 5|-5");
}

TEST(Wsprintf, WidthPrecisionAndFlags)
{
    EXPECT_EQ(Format(u"[%5d][%-5d][%05d]", 42, 42, 42), u"[   42][42   ][00042]");
    EXPECT_EQ(Format(u"[%05d][%-05d][%+05d]", -42, -42, 42), u"[-0042][-42  ][+0042]");
    EXPECT_EQ(Format(u"[%.3d][%6.3d][%06.3d]", 7, -7, 7), u"[007][  -007][   007]");
    EXPECT_EQ(Format(u"[%.0d][%.0d]", 0, 1), u"[][1]");
    EXPECT_EQ(Format(u"[%#06x][%08X]", 0xabu, 0xabu), u"[0x00ab][000000AB]");
    EXPECT_EQ(Format(u"[%*d][%-*d][%*d]", 4, 1, 4, 2, -4, 3), u"[   1][2   ][3   ]");
    EXPECT_EQ(Format(u"[%.*d][%.*d]", 3, 5, -1, 5), u"[005][5]");
    EXPECT_EQ(Format(u"[%2d]", 12345), u"[12345]");
}

TEST(Wsprintf, CharactersAndStrings)
{
    EXPECT_EQ(Format(u"%s|%S", u"wide \u20ac", "narrow"), u"wide \u20ac|narrow");
    EXPECT_EQ(Format(u"%hs|%ls|%ws", "h", u"l", u"w"), u"h|l|w");
    // Narrow text is Windows-1252.
    EXPECT_EQ(Format(u"%S", "caf\xe9 \x80"), u"caf\u00e9 \u20ac");
    EXPECT_EQ(Format(u"%c%c|%C", u'\u00e9', u'x', 'y'), u"\u00e9x|y");
    EXPECT_EQ(Format(u"[%6s][%-6s][%.2s][%4.1S]", u"abc", u"abc", u"abc", "xyz"), u"[   abc][abc   ][ab][   x]");
    EXPECT_EQ(Format(u"[%3c]", u'z'), u"[  z]");
    EXPECT_EQ(Format(u"%s|%S", static_cast<const WCHAR*>(nullptr), static_cast<const char*>(nullptr)),
              u"(null)|(null)");
}

TEST(Wsprintf, FloatingPointRoundsLikePrintf)
{
    EXPECT_EQ(Format(u"%.2f", 3.14159), u"3.14");
    EXPECT_EQ(Format(u"%.2f", 2.675), u"2.67");  // 2.675 is stored just below
    EXPECT_EQ(Format(u"%.0f|%.0f|%.0f", 0.5, 1.5, 2.5), u"0|2|2");
    EXPECT_EQ(Format(u"%.8f", 1.0 / 3.0), u"0.33333333");
    EXPECT_EQ(Format(u"%f", 1.5), u"1.500000");
    EXPECT_EQ(Format(u"%.1f", -0.04), u"-0.0");
    EXPECT_EQ(Format(u"[%8.2f][%-8.2f][%08.2f][%+.1f]", 9.999, 1.0, -1.5, 2.0),
              u"[   10.00][1.00    ][-0001.50][+2.0]");
    EXPECT_EQ(Format(u"%.*f", 3, 1.0005), u"1.000");
    EXPECT_EQ(Format(u"%d%% of %.1f", 50, 12.25), u"50% of 12.2");
}

TEST(Wsprintf, OutputIsLimitedTo1024Characters)
{
    std::vector<WCHAR> buffer(4096, u'#');
    std::u16string longText(3000, u'x');
    EXPECT_EQ(wsprintfW(buffer.data(), u"%s", longText.c_str()), 1023);
    EXPECT_EQ(buffer[1022], u'x');
    EXPECT_EQ(buffer[1023], 0);
    EXPECT_EQ(buffer[1024], u'#');

    std::u16string literal(1500, u'y');
    EXPECT_EQ(wsprintfW(buffer.data(), literal.c_str()), 1023);
    EXPECT_EQ(buffer[1023], 0);

    EXPECT_EQ(wsprintfW(buffer.data(), u"%2000d", 1), 1023);
    EXPECT_EQ(buffer[1023], 0);
}

TEST(Wsprintf, UnknownConversionsAndTruncatedFormat)
{
    EXPECT_EQ(Format(u"a%yb"), u"ayb");
    EXPECT_EQ(Format(u"100%"), u"100");
    EXPECT_EQ(Format(u"%-5"), u"");
    EXPECT_EQ(Format(u""), u"");
}

TEST(Wsprintf, PointerShowsAtLeastEightHexDigits)
{
    EXPECT_EQ(Format(u"%p", reinterpret_cast<void*>(0xABCD)), u"0000ABCD");
}

}  // namespace
