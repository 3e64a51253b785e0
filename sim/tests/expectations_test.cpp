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

// A 3x2 screen in the framebuffer's layout (B,G,R, rows padded to 12 bytes)
// and the golden of the same colours (R,G,B, unpadded).
struct ScreenPair {
    std::vector<uint8_t> screen = std::vector<uint8_t>(24, 0x55);
    sim::RgbImage golden{3, 2, std::vector<uint8_t>(18, 0)};

    ScreenPair()
    {
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                Set(x, y, static_cast<uint8_t>(10 * x), static_cast<uint8_t>(100 + y), 7);
    }
    void Set(int x, int y, uint8_t r, uint8_t g, uint8_t b)
    {
        uint8_t* s = &screen[static_cast<size_t>(y) * 12 + x * 3];
        s[0] = b, s[1] = g, s[2] = r;
        uint8_t* p = &golden.pixels[static_cast<size_t>(y) * 9 + x * 3];
        p[0] = r, p[1] = g, p[2] = b;
    }
    sim::BgrPixels Screen() const { return {screen.data(), 3, 2, 12}; }
};

TEST(CompareScreen, CountsDifferingPixelsAndNamesTheFirst)
{
    ScreenPair pair;
    sim::ScreenComparison same = sim::CompareScreen(pair.Screen(), pair.golden);
    EXPECT_TRUE(same.Matches());
    EXPECT_EQ(same.differing, 0);

    // One channel of one pixel is enough; the first is in reading order.
    pair.screen[1 * 12 + 2 * 3 + 0] = 8;       // (2,1) blue
    pair.screen[1 * 12 + 0 * 3 + 2] = 0xAB;    // (0,1) red
    pair.golden.pixels[0 * 9 + 1 * 3 + 1] = 0; // (1,0) green
    sim::ScreenComparison differ = sim::CompareScreen(pair.Screen(), pair.golden);
    EXPECT_FALSE(differ.Matches());
    EXPECT_EQ(differ.differing, 3);
    EXPECT_EQ(differ.firstX, 1);
    EXPECT_EQ(differ.firstY, 0);
    EXPECT_EQ(differ.screenColour, 0x0A6407u);
    EXPECT_EQ(differ.goldenColour, 0x0A0007u);
    EXPECT_EQ(sim::DescribeMismatch(differ, pair.Screen(), pair.golden),
              "3 pixels differ, the first at (1,0): screen #0a6407, golden #0a0007");

    // Another size never matches, whatever the pixels.
    sim::RgbImage narrow{2, 2, std::vector<uint8_t>(12, 0)};
    sim::ScreenComparison sized = sim::CompareScreen(pair.Screen(), narrow);
    EXPECT_FALSE(sized.Matches());
    EXPECT_EQ(sim::DescribeMismatch(sized, pair.Screen(), narrow), "the screen is 3x2, the golden 2x2");
}

}  // namespace
