#include "server/devsim_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool Parse(std::vector<const char*> args, sim::DevsimOptions& options, std::string& error)
{
    args.insert(args.begin(), "devsim");
    return sim::ParseDevsimOptions(static_cast<int>(args.size()), args.data(), options, error);
}

std::string ParseError(std::vector<const char*> args)
{
    sim::DevsimOptions options;
    std::string error;
    EXPECT_FALSE(Parse(args, options, error));
    return error;
}

TEST(DevsimOptions, DefaultsAndEveryOption)
{
    sim::DevsimOptions defaults;
    std::string error;
    ASSERT_TRUE(Parse({}, defaults, error)) << error;
    EXPECT_EQ(defaults.root, "devroot");
    EXPECT_EQ(defaults.profile, "qvga");
    EXPECT_TRUE(defaults.script.empty() && defaults.log.empty() && defaults.shots.empty());
    EXPECT_FALSE(defaults.reset || defaults.fillOnly || defaults.realtime || defaults.rebaseline || defaults.help);

    sim::DevsimOptions options;
    ASSERT_TRUE(Parse({"--root", "/tmp/dev root", "--reset", "--profile", "vga", "--script", "a.txt", "--log",
                       "a.log", "--realtime", "--shots", "shots", "--rebaseline", "--help", "--profile", "my.profile", "--fill-only", "--pair", "paired device"},
                      options, error))
        << error;
    EXPECT_EQ(options.root, "/tmp/dev root");
    EXPECT_TRUE(options.reset && options.fillOnly);
    EXPECT_EQ(options.pair, "paired device");
    EXPECT_EQ(options.profile, "my.profile");  // the last one given wins
    EXPECT_EQ(options.script, "a.txt");
    EXPECT_EQ(options.log, "a.log");
    EXPECT_TRUE(options.realtime);
    EXPECT_EQ(options.shots, "shots");
    EXPECT_TRUE(options.rebaseline);
    EXPECT_TRUE(options.help);
    EXPECT_TRUE(options.start.empty() && options.startParameters.empty());
}

TEST(DevsimOptions, StartTakesTheRestOfTheCommandLine)
{
    struct Case {
        std::vector<const char*> args;
        const char* start;
        const char* parameters;
    };
    const Case cases[] = {
        {{"--start", "\\Program Files\\Quib Monitor\\quibmonitor.exe"},
         "\\Program Files\\Quib Monitor\\quibmonitor.exe", ""},
        {{"--zoom", "3", "--start", "\\Windows\\task.exe", "--ignore-close", "A  b"}, "\\Windows\\task.exe",
         "--ignore-close A  b"},
        {{"--start", "\\x.exe", "--reset"}, "\\x.exe", "--reset"},  // the program's, not devsim's
    };
    for (const Case& c : cases) {
        sim::DevsimOptions options;
        std::string error;
        ASSERT_TRUE(Parse(c.args, options, error)) << error;
        EXPECT_EQ(options.start, c.start);
        EXPECT_EQ(options.startParameters, c.parameters);
        EXPECT_FALSE(options.reset);
    }
    EXPECT_EQ(ParseError({"--start"}), "--start needs a value");
    EXPECT_EQ(ParseError({"--start", "--reset"}), "--start needs a value");
}

TEST(DevsimOptions, BadCommandLinesSayWhatIsWrong)
{
    EXPECT_EQ(ParseError({"--scrpit", "a.txt"}), "unknown option --scrpit");
    EXPECT_EQ(ParseError({"a.txt"}), "unexpected argument a.txt");
    EXPECT_EQ(ParseError({"--log"}), "--log needs a value");
    EXPECT_EQ(ParseError({"--root", "--reset"}), "--root needs a value");
    EXPECT_EQ(ParseError({"--script", ""}), "--script needs a value");
    EXPECT_NE(sim::DevsimUsage().find("--shots DIR"), std::string::npos);
    EXPECT_NE(sim::DevsimUsage().find("--rebaseline"), std::string::npos);
}

// Without --image the profile decides; one given wins over the profile.
TEST(DevsimOptions, TheImageIsTheProfilesUnlessGiven)
{
    sim::DevsimOptions defaults;
    EXPECT_EQ(sim::ImageOf(defaults, false), "installed");
    EXPECT_EQ(sim::ImageOf(defaults, true), "desktop");
    for (const char* image : {"installed", "cabinet", "desktop"}) {
        sim::DevsimOptions options;
        std::string error;
        ASSERT_TRUE(Parse({"--image", image}, options, error)) << error;
        EXPECT_EQ(sim::ImageOf(options, false), image);
        EXPECT_EQ(sim::ImageOf(options, true), image);
    }
    EXPECT_EQ(ParseError({"--image", "laptop"}), "--image takes installed, cabinet or desktop, not laptop");
}

TEST(DevsimOptions, ZoomIsAWholeNumberFromOneToEight)
{
    sim::DevsimOptions options;
    std::string error;
    EXPECT_EQ(options.zoom, 0) << "by default the window picks its zoom";
    ASSERT_TRUE(Parse({"--zoom", "3"}, options, error)) << error;
    EXPECT_EQ(options.zoom, 3);
    ASSERT_TRUE(Parse({"--zoom", "8"}, options, error)) << error;
    EXPECT_EQ(options.zoom, 8);

    EXPECT_EQ(ParseError({"--zoom", "0"}), "--zoom takes a whole number from 1 to 8, not 0");
    EXPECT_EQ(ParseError({"--zoom", "9"}), "--zoom takes a whole number from 1 to 8, not 9");
    EXPECT_EQ(ParseError({"--zoom", "2x"}), "--zoom takes a whole number from 1 to 8, not 2x");
    EXPECT_EQ(ParseError({"--zoom", "-1"}), "--zoom takes a whole number from 1 to 8, not -1");
    EXPECT_EQ(ParseError({"--zoom", "99999999999"}), "--zoom takes a whole number from 1 to 8, not 99999999999");
    EXPECT_EQ(ParseError({"--zoom"}), "--zoom needs a value");
    EXPECT_NE(sim::DevsimUsage().find("--zoom N"), std::string::npos);
}

}  // namespace
