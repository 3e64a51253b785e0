#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "ce/crt.h"
#include "text_convert.h"

namespace {

std::u16string Str(const WCHAR* text) { return text ? std::u16string(text) : std::u16string(u"<null>"); }

int Sign(int value) { return (value > 0) - (value < 0); }

TEST(CrtString, CopyAndConcatenateRespectCounts)
{
    WCHAR buffer[8];
    EXPECT_EQ(wcslen(u""), 0u);
    EXPECT_EQ(wcslen(u"abc"), 3u);
    EXPECT_EQ(Str(wcscpy(buffer, u"ab")), u"ab");
    EXPECT_EQ(Str(wcscat(buffer, u"cd")), u"abcd");
    EXPECT_EQ(Str(wcsncat(buffer, u"efgh", 2)), u"abcdef");

    // wcsncpy pads with zeros and leaves the buffer unterminated when the
    // source fills it.
    for (WCHAR& c : buffer)
        c = u'#';
    wcsncpy(buffer, u"xy", 5);
    EXPECT_EQ(std::u16string(buffer, 6), std::u16string(u"xy\0\0\0#", 6));
    buffer[3] = u'#';
    wcsncpy(buffer, u"abcdef", 3);
    EXPECT_EQ(std::u16string(buffer, 4), u"abc#");
}

TEST(CrtString, CompareOrdersByUnsignedUnits)
{
    EXPECT_EQ(wcscmp(u"abc", u"abc"), 0);
    EXPECT_LT(wcscmp(u"abc", u"abd"), 0);
    EXPECT_LT(wcscmp(u"ab", u"abc"), 0);
    EXPECT_GT(wcscmp(u"\u00e9", u"z"), 0);
    EXPECT_GT(wcscmp(u"\uffff", u"a"), 0);
    EXPECT_EQ(wcsncmp(u"abcX", u"abcY", 3), 0);
    EXPECT_NE(wcsncmp(u"abcX", u"abcY", 4), 0);
    EXPECT_EQ(wcsncmp(u"ab", u"ab", 10), 0);
}

TEST(CrtString, CaseInsensitiveCompareFoldsAsciiAndLatin1)
{
    EXPECT_EQ(_wcsicmp(u"Program Files", u"PROGRAM files"), 0);
    EXPECT_EQ(_wcsicmp(u"\u00c9t\u00c9", u"\u00e9t\u00e9"), 0);  // ÉtÉ / été
    EXPECT_EQ(_wcsicmp(u"\u00de", u"\u00fe"), 0);                // Þ / þ
    // × and ÷ are not a letter pair.
    EXPECT_NE(_wcsicmp(u"\u00d7", u"\u00f7"), 0);
    // Folding to lower case puts '_' (0x5F) before letters.
    EXPECT_LT(_wcsicmp(u"_", u"A"), 0);
    EXPECT_LT(_wcsicmp(u"abc", u"ABCD"), 0);
    EXPECT_EQ(Sign(_wcsicmp(u"B", u"a")), 1);
    EXPECT_EQ(_wcsnicmp(u"QUIBx", u"quiby", 4), 0);
    EXPECT_NE(_wcsnicmp(u"QUIBx", u"quiby", 5), 0);
}

TEST(CrtString, CaseConversionInPlace)
{
    WCHAR text[] = u"Caf\u00e9 \u00c0 \u00d7\u00f7 Z";
    EXPECT_EQ(Str(_wcsupr(text)), u"CAF\u00c9 \u00c0 \u00d7\u00f7 Z");
    EXPECT_EQ(Str(_wcslwr(text)), u"caf\u00e9 \u00e0 \u00d7\u00f7 z");
}

TEST(CrtString, SearchFunctions)
{
    const WCHAR* text = u"a\\b\\c";
    EXPECT_EQ(wcschr(text, u'\\'), text + 1);
    EXPECT_EQ(wcsrchr(text, u'\\'), text + 3);
    EXPECT_EQ(wcschr(text, u'x'), nullptr);
    EXPECT_EQ(wcsrchr(text, u'x'), nullptr);
    EXPECT_EQ(wcschr(text, 0), text + 5);
    EXPECT_EQ(wcsrchr(text, 0), text + 5);
    const WCHAR* hay = u"abcabd";
    EXPECT_EQ(wcsstr(hay, u"abd"), hay + 3);
    EXPECT_EQ(wcsstr(hay, u"abe"), nullptr);
    EXPECT_EQ(wcsstr(hay, u""), hay);
    EXPECT_EQ(wcsstr(hay, u"abcabdx"), nullptr);
}

TEST(CrtString, DuplicateIsAnIndependentMallocCopy)
{
    WCHAR source[] = u"text";
    WCHAR* copy = _wcsdup(source);
    ASSERT_NE(copy, nullptr);
    source[0] = u'n';
    EXPECT_EQ(Str(copy), u"text");
    free(copy);
}

TEST(CrtString, IntegerToTextSignOnlyInDecimal)
{
    WCHAR buffer[40];
    EXPECT_EQ(Str(_itow(0, buffer, 10)), u"0");
    EXPECT_EQ(Str(_itow(-42, buffer, 10)), u"-42");
    EXPECT_EQ(Str(_itow(INT_MIN, buffer, 10)), u"-2147483648");
    EXPECT_EQ(Str(_itow(255, buffer, 16)), u"ff");
    EXPECT_EQ(Str(_itow(-1, buffer, 16)), u"ffffffff");
    EXPECT_EQ(Str(_itow(-1, buffer, 2)), std::u16string(32, u'1'));
    EXPECT_EQ(Str(_itow(35, buffer, 36)), u"z");
    EXPECT_EQ(Str(_ltow(-7L, buffer, 10)), u"-7");
    EXPECT_EQ(Str(_ltow(-1L, buffer, 16)), u"ffffffff");
    EXPECT_EQ(Str(_itow(5, buffer, 1)), u"");
}

TEST(CrtString, TextToIntegerStopsAtFirstNonDigit)
{
    EXPECT_EQ(_wtol(u"  -42 %"), -42);
    EXPECT_EQ(_wtol(u"\t\n+17"), 17);
    EXPECT_EQ(_wtol(u""), 0);
    EXPECT_EQ(_wtol(u"abc"), 0);
    EXPECT_EQ(_wtol(u"12abc"), 12);
    EXPECT_EQ(_wtol(u"-"), 0);
    EXPECT_EQ(_wtol(u"- 5"), 0);
    EXPECT_EQ(_wtoi(u"007"), 7);
    // Out of the device's 32-bit range: saturated like wcstol.
    EXPECT_EQ(_wtol(u"2147483647"), 2147483647L);
    EXPECT_EQ(_wtol(u"2147483648"), 2147483647L);
    EXPECT_EQ(_wtol(u"-2147483648"), -2147483648L);
    EXPECT_EQ(_wtol(u"-99999999999999999999"), -2147483648L);
    EXPECT_EQ(_wtoi(u"99999999999"), INT_MAX);
}

TEST(TextConvert, Utf8RoundTripsIncludingSurrogatePairs)
{
    const std::u16string wide = u"A\u00e9\u20ac\U0001F600";
    const std::string utf8 = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
    EXPECT_EQ(platform::Utf8FromUtf16(wide), utf8);
    EXPECT_EQ(platform::Utf16FromUtf8(utf8), wide);
}

TEST(TextConvert, InvalidInputBecomesReplacementCharacter)
{
    // Lone surrogates in UTF-16.
    EXPECT_EQ(platform::Utf8FromUtf16(u"a\xD800" u"b"), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(platform::Utf8FromUtf16(std::u16string(1, 0xDC00)), "\xEF\xBF\xBD");
    // Stray continuation, overlong form, encoded surrogate, truncated
    // sequence at the end.
    EXPECT_EQ(platform::Utf16FromUtf8("a\x80" "b"), u"a\uFFFDb");
    EXPECT_EQ(platform::Utf16FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");
    EXPECT_EQ(platform::Utf16FromUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(platform::Utf16FromUtf8("x\xE2\x82"), u"x\uFFFD");
    EXPECT_EQ(platform::Utf16FromUtf8("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");
}

TEST(TextConvert, Cp1252MapsEveryByteAndBack)
{
    EXPECT_EQ(platform::WideFromCp1252(0x80), u'\u20AC');
    EXPECT_EQ(platform::WideFromCp1252(0x9F), u'\u0178');
    EXPECT_EQ(platform::WideFromCp1252(0xE9), u'\u00E9');
    for (unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(platform::WideFromCp1252(undefined), undefined);
    for (int byte = 0; byte < 256; ++byte)
        EXPECT_EQ(platform::Cp1252FromWide(platform::WideFromCp1252(static_cast<unsigned char>(byte))), byte);
    EXPECT_EQ(platform::Cp1252FromWide(u'\u0080'), '?');
    EXPECT_EQ(platform::Cp1252FromWide(u'\u0100'), '?');
    EXPECT_EQ(platform::Cp1252FromWide(u'\u4E2D'), '?');
}

}  // namespace
