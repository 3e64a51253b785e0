#include "server/expectations.h"

#include <gtest/gtest.h>

namespace {

std::regex Pattern(const char* text) { return std::regex(text, std::regex::ECMAScript); }

TEST(ExpectationCursor, ExpectationsMatchInOrderAndMovePastTheirLine)
{
    std::vector<std::string> log = {"0 process-start pid=1", "10 window-create hwnd=5", "20 activate hwnd=5",
                                    "30 window-create hwnd=6"};
    sim::ExpectationCursor cursor(log);
    EXPECT_TRUE(cursor.Expect(Pattern("window-create")));
    EXPECT_EQ(cursor.Start(), 2u);
    // The same pattern again finds the next occurrence, not the one just matched.
    EXPECT_TRUE(cursor.Expect(Pattern("window-create")));
    EXPECT_EQ(cursor.Start(), 4u);
    // What happened before the previous match no longer counts; a failure
    // leaves the cursor where it was.
    EXPECT_FALSE(cursor.Expect(Pattern("activate")));
    EXPECT_EQ(cursor.Start(), 4u);

    // Lines logged later are searched by the same cursor.
    log.push_back("40 activate hwnd=6");
    EXPECT_TRUE(cursor.Expect(Pattern("activate hwnd=6")));
    EXPECT_EQ(cursor.Start(), 5u);
    EXPECT_FALSE(cursor.Expect(Pattern("")));
}

TEST(ExpectationCursor, ExpectNotLooksOnlyAfterThePreviousMatch)
{
    std::vector<std::string> log = {"0 msgbox pid=2", "5 activate hwnd=3", "9 process-exit pid=2 code=0"};
    sim::ExpectationCursor cursor(log);
    EXPECT_FALSE(cursor.ExpectNot(Pattern("msgbox")));
    EXPECT_TRUE(cursor.Expect(Pattern("activate")));
    EXPECT_TRUE(cursor.ExpectNot(Pattern("msgbox")));
    EXPECT_FALSE(cursor.ExpectNot(Pattern("process-exit")));
    EXPECT_EQ(cursor.Start(), 2u);  // expect-not never moves the cursor
    log.push_back("12 msgbox pid=2");
    EXPECT_FALSE(cursor.ExpectNot(Pattern("msgbox")));
}

TEST(ExpectationCursor, LinesMatchWholeWithTheirTime)
{
    std::vector<std::string> log = {"1500 cursor pid=1 shape=wait", "2500 cursor pid=1 shape=arrow"};
    sim::ExpectationCursor cursor(log);
    EXPECT_FALSE(cursor.Expect(Pattern("^cursor")));
    EXPECT_TRUE(cursor.Expect(Pattern("^2500 cursor .*arrow$")));
    EXPECT_EQ(cursor.Start(), 2u);
}

}  // namespace
