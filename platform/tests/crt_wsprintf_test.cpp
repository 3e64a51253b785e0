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

TEST(Wsprintf, FloatingPointRoundsLikeTheDevicesRuntime)
{
    EXPECT_EQ(Format(u"%.2f", 3.14159), u"3.14");
    EXPECT_EQ(Format(u"%.2f", 2.675), u"2.67");  // 2.675 is stored just below
    EXPECT_EQ(Format(u"%.8f", 1.0 / 3.0), u"0.33333333");
    EXPECT_EQ(Format(u"%f", 1.5), u"1.500000");
    EXPECT_EQ(Format(u"%.1f", -0.04), u"-0.0");
    EXPECT_EQ(Format(u"[%8.2f][%-8.2f][%08.2f][%+.1f][% .1f]", 9.999, 1.0, -1.5, 2.0, 2.0),
              u"[   10.00][1.00    ][-0001.50][+2.0][ 2.0]");
    EXPECT_EQ(Format(u"%.*f", 3, 1.0005), u"1.000");  // stored just below
    EXPECT_EQ(Format(u"[%.0f][%#.0f][%5.0f][%-+5.0f]", 7.0, 7.0, -7.0, 7.0), u"[7][7.][   -7][+7   ]");
    EXPECT_EQ(Format(u"%.1f|%.3f", 1180591620717411303424.0, 5e-324), u"1180591620717411303424.0|0.000");  // 2^70
    EXPECT_EQ(Format(u"%.2f|%.2f", 4294967296.5, 0.0), u"4294967296.50|0.00");
}

// Exact halves round away from zero, as the device's C runtime does
// (the host's printf takes the even neighbour): an odd multiple of 128 KiB
// in megabytes is such a half at 2 decimals.
TEST(Wsprintf, ExactHalvesRoundAwayFromZero)
{
    struct Case {
        const WCHAR* format;
        double value;
        const char16_t* text;
    } cases[] = {
        {u"%.0f", 0.5, u"1"},
        {u"%.0f", 1.5, u"2"},
        {u"%.0f", 2.5, u"3"},
        {u"%.0f", -2.5, u"-3"},
        {u"%.0f", -0.5, u"-1"},
        {u"%.1f", 12.25, u"12.3"},
        {u"%.2f", 161 * 131072 / 1048576.0, u"20.13"},  // 20.125
        {u"%.2f", -20.125, u"-20.13"},
        {u"%.2f", 0.125, u"0.13"},
        {u"%.2f", 0.375, u"0.38"},
        {u"%.2f", 5 * 131072 / 1048576.0, u"0.63"},
        {u"%.3f", 0.0625, u"0.063"},
        {u"%.4f", 0.03125, u"0.0313"},
        {u"%.0f", 999.5, u"1000"},
        {u"%.2f", 99.995, u"100.00"},  // stored just above
        {u"%.2f", 9.995, u"9.99"},    // stored just below
        {u"%.2f", 1.005, u"1.00"},    // stored just below
        {u"%.2f", 1.015, u"1.01"},    // stored just below
        {u"%.20f", 0.5, u"0.50000000000000000000"},
        {u"%.1f", 0.05, u"0.1"},  // stored just above
        {u"%06.1f", -9.95, u"-009.9"},  // stored just below
        {u"%6.1f", 9.75, u"   9.8"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Format(c.format, c.value), c.text) << testing::PrintToString(std::u16string(c.format)) << " of "
                                                     << c.value;
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
