#include "server/event_log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(EventLog, LinesStartWithTheDeviceTime)
{
    sim::EventLog log;
    log.Add(0, "boot");
    log.Add(123456789012, "msgbox pid=1");
    ASSERT_EQ(log.Lines().size(), 2u);
    EXPECT_EQ(log.Lines()[0], "0 boot");
    EXPECT_EQ(log.Lines()[1], "123456789012 msgbox pid=1");
    log.Clear();
    EXPECT_TRUE(log.Lines().empty());
}

// devsim sets its sink after the device has booted, which may already have
// logged (a damaged hive, a screen that failed).
TEST(EventLog, ASinkGetsTheEarlierLinesFirstThenEachNewOne)
{
    sim::EventLog log;
    log.Add(0, "hive-damaged reason=empty");
    log.Add(5, "screen-failed no memory");
    std::vector<std::string> seen;
    log.SetSink([&seen](const std::string& line) { seen.push_back(line); });
    log.Add(9, "boot");
    EXPECT_EQ(seen, (std::vector<std::string>{"0 hive-damaged reason=empty", "5 screen-failed no memory", "9 boot"}));
    log.SetSink(nullptr);
    log.Add(10, "after");
    EXPECT_EQ(seen.size(), 3u);
}

TEST(EventLog, QuotedTextEscapesQuotesBackslashesAndControls)
{
    EXPECT_EQ(sim::QuoteLogText(std::string_view("")), "\"\"");
    EXPECT_EQ(sim::QuoteLogText(std::string_view("say \"hi\"")), "\"say \\\"hi\\\"\"");
    EXPECT_EQ(sim::QuoteLogText(std::string_view("\\Windows\\x")), "\"\\\\Windows\\\\x\"");
    EXPECT_EQ(sim::QuoteLogText(std::string_view("a\r\n\tb\x7f", 6)), "\"a\\x0d\\x0a\\x09b\\x7f\"");
    EXPECT_EQ(sim::QuoteLogText(std::string_view("nul\0x", 5)), "\"nul\\x00x\"");

    EXPECT_EQ(sim::QuoteLogText(u"Grüße \"€\"\n"), "\"Gr\xc3\xbc\xc3\x9f" "e \\\"\xe2\x82\xac\\\"\\x0a\"");
}

TEST(EventLog, HexNumbersAreLowerCase)
{
    EXPECT_EQ(sim::HexLogNumber(0), "0x0");
    EXPECT_EQ(sim::HexLogNumber(0x1f), "0x1f");
    EXPECT_EQ(sim::HexLogNumber(0x80000000ABCDEFull), "0x80000000abcdef");
}

}  // namespace
