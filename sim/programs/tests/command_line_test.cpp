#include <gtest/gtest.h>

#include <string>

#include "command_words.h"
#include "task_options.h"

namespace {

TEST(CommandWords, OptionsAreWholeWordsAtTheFront)
{
    std::u16string_view text = u"--quit  Notes";
    EXPECT_TRUE(TakeOption(text, u"--quit"));
    EXPECT_EQ(text, u"Notes");
    EXPECT_FALSE(TakeOption(text, u"--quit"));

    text = u"--quitter x";
    EXPECT_FALSE(TakeOption(text, u"--quit"));
    EXPECT_EQ(text, u"--quitter x");
    text = u"--qui";
    EXPECT_FALSE(TakeOption(text, u"--quit"));
    text = u"--quit";
    EXPECT_TRUE(TakeOption(text, u"--quit"));
    EXPECT_TRUE(text.empty());

    EXPECT_EQ(SkipBlanks(u"   a b "), u"a b ");
    EXPECT_TRUE(SkipBlanks(u"   ").empty());
}

TEST(CommandWords, NumbersAreDecimalOrHexadecimal)
{
    struct Case {
        std::u16string_view text;
        bool taken;
        unsigned long value;
        std::u16string_view rest;
    };
    const Case cases[] = {
        {u"36 Caption", true, 36, u"Caption"},
        {u"0x24 x", true, 0x24, u"x"},
        {u"0XfF", true, 0xff, u""},
        {u"0xFFFFFFFF", true, 0xFFFFFFFFul, u""},
        {u"0x", false, 0, u"0x"},
        {u"0x1G", false, 0, u"0x1G"},
        {u"12a", false, 0, u"12a"},
        {u"-1", false, 0, u"-1"},
        {u"", false, 0, u""},
        {u"0x100000000", false, 0, u"0x100000000"},
    };
    for (const Case& c : cases) {
        std::u16string_view text = c.text;
        unsigned long value = 12345;
        EXPECT_EQ(TakeNumber(text, value), c.taken) << std::string(c.text.begin(), c.text.end());
        EXPECT_EQ(value, c.taken ? c.value : 12345ul);
        EXPECT_EQ(text, c.rest);
    }
}

TEST(TaskOptions, OptionsComeBeforeTheTitle)
{
    TaskOptions plain = ParseTaskOptions(u"Notes");
    EXPECT_FALSE(plain.ignoreClose);
    EXPECT_FALSE(plain.ignoreQuit);
    EXPECT_EQ(plain.title, u"Notes");

    TaskOptions both = ParseTaskOptions(u" --ignore-quit  --ignore-close My  Notes ");
    EXPECT_TRUE(both.ignoreClose);
    EXPECT_TRUE(both.ignoreQuit);
    EXPECT_FALSE(both.hang || both.spin || both.denyOpen || both.child);
    EXPECT_EQ(both.title, u"My  Notes ");

    TaskOptions others = ParseTaskOptions(u"--child --hang --spin --protected Task 01");
    EXPECT_TRUE(others.hang);
    EXPECT_TRUE(others.spin);
    EXPECT_TRUE(others.denyOpen);
    EXPECT_TRUE(others.child);
    EXPECT_FALSE(others.ignoreClose || others.ignoreQuit);
    EXPECT_EQ(others.title, u"Task 01");

    TaskOptions named = ParseTaskOptions(u"--class-from-title --load \\Windows\\x.dll Quib Monitor");
    EXPECT_TRUE(named.classFromTitle);
    EXPECT_EQ(named.library, u"\\Windows\\x.dll");
    EXPECT_EQ(named.title, u"Quib Monitor");

    // An option after the title is part of it, as is an unknown one.
    TaskOptions late = ParseTaskOptions(u"Notes --ignore-close");
    EXPECT_FALSE(late.ignoreClose);
    EXPECT_EQ(late.title, u"Notes --ignore-close");
    EXPECT_EQ(ParseTaskOptions(u"--ignore-closer").title, u"--ignore-closer");
}

TEST(TaskOptions, NoTitleGivesTask)
{
    EXPECT_EQ(ParseTaskOptions(u"").title, u"Task");
    EXPECT_EQ(ParseTaskOptions(u"   ").title, u"Task");
    TaskOptions onlyOption = ParseTaskOptions(u"--ignore-close");
    EXPECT_TRUE(onlyOption.ignoreClose);
    EXPECT_EQ(onlyOption.title, u"Task");
}

}  // namespace
