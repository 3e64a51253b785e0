#include <gtest/gtest.h>

#include <string>

#include "device_fixture.h"
#include "settings/number_format.h"

namespace {

using NumberFormatTest = testsupport::DeviceFixture;

std::u16string Fixed(double value, int decimals, BOOL localise = TRUE)
{
    WCHAR text[FORMAT_FIXED_MAX];
    FormatFixed(value, decimals, text, FORMAT_FIXED_MAX, localise);
    return text;
}

int Parse(const char16_t* text) { return ParseLocalisedInteger(text); }

TEST_F(NumberFormatTest, FixedDecimalsFollowTheLocale)
{
    EXPECT_EQ(Fixed(2.5, 2), u"2.50");
    EXPECT_EQ(Fixed(2.5, 0), u"3");  // an exact half rounds up
    EXPECT_EQ(Fixed(161 * 131072 / 1048576.0, 2), u"20.13");  // an odd multiple of 128 KiB
    EXPECT_EQ(Fixed(1.0 / 3, 7), u"0.3333333");
    EXPECT_EQ(Fixed(2.5, 9), u"2.50000000");
    EXPECT_EQ(Fixed(2.5, -1), u"2.50000000");
    UseProfile("de");
    EXPECT_EQ(Fixed(2.5, 2), u"2,50");
    EXPECT_EQ(Fixed(5 * 131072 / 1048576.0, 2), u"0,63");
    EXPECT_EQ(Fixed(2.5, 2, FALSE), u"2.50");
}

TEST_F(NumberFormatTest, FixedTextIsCutToTheBuffer)
{
    WCHAR text[6];
    text[5] = 0x7777;
    FormatFixed(123456.789, 2, text, 5, TRUE);
    EXPECT_EQ(std::u16string(text), u"1234");
    EXPECT_EQ(text[5], 0x7777);
}

TEST_F(NumberFormatTest, IntegersAreDecimalText)
{
    WCHAR text[12];
    FormatInteger(-5, text);
    EXPECT_EQ(std::u16string(text), u"-5");
    FormatInteger(-2147483647 - 1, text);
    EXPECT_EQ(std::u16string(text), u"-2147483648");
    UseProfile("de");
    FormatInteger(1234, text);
    EXPECT_EQ(std::u16string(text), u"1234");
}

TEST_F(NumberFormatTest, ParsingUnderEnglishLocale)
{
    EXPECT_EQ(Parse(u"1,234.7"), 1234);
    EXPECT_EQ(Parse(u"-42 %"), -42);
    EXPECT_EQ(Parse(u""), 0);
    EXPECT_EQ(Parse(u"letters"), 0);
    EXPECT_EQ(Parse(u"$ 75"), 75);
}

TEST_F(NumberFormatTest, ParsingUnderGermanLocale)
{
    UseProfile("de");
    EXPECT_EQ(Parse(u"1.234,7"), 1234);
    EXPECT_EQ(Parse(u"50"), 50);
    EXPECT_EQ(Parse(u"-3,9"), -3);
}

TEST_F(NumberFormatTest, CanonicalFormKeepsDigitsSignAndPoint)
{
    WCHAR text[32] = u"1.234.567,89 EUR";
    UseProfile("de");
    CanonicaliseNumber(text);
    EXPECT_EQ(std::u16string(text), u"1234567.89");
}

TEST_F(NumberFormatTest, OverlongTextIsParsedFromItsFirst255Characters)
{
    std::u16string text(300, u'9');
    text[0] = u'1';
    text[1] = u' ';
    EXPECT_EQ(Parse(text.c_str()), 2147483647);
}

TEST(RemoveCharacterTest, RemovesEveryOccurrence)
{
    WCHAR text[] = u"a.b..c.";
    RemoveCharacter(text, u'.');
    EXPECT_EQ(std::u16string(text), u"abc");
}

}  // namespace
