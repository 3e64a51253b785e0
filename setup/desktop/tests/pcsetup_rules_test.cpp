// The wizard's pure rules: the pulse colour walk, the language table, the
// assembled paths and the payload writing order and stops.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "setup/desktop/install_paths.h"
#include "setup/desktop/languages.h"
#include "setup/desktop/payload_writer.h"
#include "setup/desktop/pulse_colour.h"
#include "setup/desktop/resource_ids.h"

namespace {

TEST(PulseColour, WalksUpAndDownBetweenTheTurningPoints)
{
    struct Tick {
        int red;
        int green;
        PulseDirection direction;
    };
    const PulseDirection up = PulseDirection::Rising;
    const PulseDirection down = PulseDirection::Falling;
    // Rising turns once red reaches 128; falling once red was 25 or less.
    const std::vector<Tick> expected = {
        {25, 141, up},    {50, 154, up},    {75, 167, up},   {100, 180, up}, {125, 193, up},
        {150, 206, down}, {125, 193, down}, {100, 180, down}, {75, 167, down}, {50, 154, down},
        {25, 141, down},  {0, 128, up},     {25, 141, up},
    };
    PulseColour colour;
    PulseDirection direction = up;
    for (size_t i = 0; i < expected.size(); ++i) {
        StepPulse(colour, direction);
        EXPECT_EQ(colour.red, expected[i].red) << "tick " << i;
        EXPECT_EQ(colour.green, expected[i].green) << "tick " << i;
        EXPECT_EQ(direction, expected[i].direction) << "tick " << i;
        EXPECT_EQ(colour.blue, 255);
    }
}

TEST(PulseColour, APageCreatedWhileFallingDipsBelowZeroAndIsHeldAtBlack)
{
    PulseColour colour;
    PulseDirection direction = PulseDirection::Falling;
    StepPulse(colour, direction);
    EXPECT_EQ(colour.red, -25);
    EXPECT_EQ(colour.green, 115);
    EXPECT_EQ(direction, PulseDirection::Rising);
    EXPECT_EQ(PulseColourRef(colour), RGB(0, 115, 255));
    EXPECT_EQ(PulseColourRef(PulseColour{300, 128, 255}), RGB(255, 128, 255));
}

TEST(Languages, OffsetsFlagsAndOutOfRangeNumbers)
{
    struct Row {
        int number;
        int offset;
        int bitmap;
        int control;
    };
    const Row rows[] = {
        {0, 0, IDB_FLAG_ENGLISH, IDC_FLAG_ENGLISH},      {1, 300, IDB_FLAG_FRENCH, IDC_FLAG_FRENCH},
        {2, 600, IDB_FLAG_GERMAN, IDC_FLAG_GERMAN},      {3, 900, IDB_FLAG_ITALIAN, IDC_FLAG_ITALIAN},
        {4, 1200, IDB_FLAG_SPANISH, IDC_FLAG_SPANISH},   {5, 0, IDB_FLAG_ENGLISH, IDC_FLAG_ENGLISH},
        {-1, 0, IDB_FLAG_ENGLISH, IDC_FLAG_ENGLISH},     {300, 0, IDB_FLAG_ENGLISH, IDC_FLAG_ENGLISH},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(LanguageOffset(row.number), row.offset) << row.number;
        EXPECT_EQ(LanguageAt(row.number).flagBitmap, row.bitmap) << row.number;
        EXPECT_EQ(LanguageAt(row.number).flagControl, row.control) << row.number;
        if (row.number >= 0 && row.number < kLanguageCount) {
            EXPECT_EQ(LanguageOfFlag(row.control), row.number);
        }
    }
    EXPECT_EQ(LanguageOfFlag(IDC_PAGE_TEXT), -1);
    EXPECT_EQ(LanguageOfFlag(IDOK), -1);
}

TEST(InstallPaths, DirectoryCommandLineArgumentAndUninstallString)
{
    const std::string manager = "C:\\Program Files\\ActiveSync\\CEAPPMGR.EXE";
    std::optional<std::string> directory = InstallDirectory(manager, "Quib Monitor");
    ASSERT_TRUE(directory);
    EXPECT_EQ(*directory, "C:\\Program Files\\ActiveSync\\Quib Monitor");
    EXPECT_EQ(QuotedIniPath(*directory, "quibmonitorinstall.ini"),
              "\"C:\\Program Files\\ActiveSync\\Quib Monitor\\quibmonitorinstall.ini\"");
    EXPECT_EQ(UninstallString(*directory, "Quib Monitor"),
              "C:\\Program Files\\ActiveSync\\Quib Monitor\\Uninstall.exe Quib Monitor");

    EXPECT_EQ(InstallDirectory("C:\\CEAPPMGR.EXE", "Quib Monitor"), "C:\\Quib Monitor");
    EXPECT_EQ(InstallDirectory("CEAPPMGR.EXE", "Quib Monitor"), std::nullopt);
    EXPECT_EQ(InstallDirectory("C:\\" + std::string(250, 'a') + "\\m.exe", "Quib Monitor"), std::nullopt);
}

TEST(InstallPaths, PathsMustFitTheDesktopsBuffers)
{
    // 259 characters and the terminator fill MAX_PATH exactly.
    const std::string directory(259 - 1 - 13, 'd');
    EXPECT_EQ(PayloadPath(directory, "Uninstall.exe")->size(), 259u);
    EXPECT_EQ(PayloadPath(directory + "d", "Uninstall.exe"), std::nullopt);
}

TEST(InstallPaths, ManagerPathFromRegistryBytes)
{
    const char terminated[] = "C:\\A\\CEAPPMGR.EXE\0garbage";
    EXPECT_EQ(AppManagerPathFromValue(terminated, sizeof(terminated)), "C:\\A\\CEAPPMGR.EXE");
    const char unterminated[] = {'C', ':', '\\', 'm'};
    EXPECT_EQ(AppManagerPathFromValue(unterminated, sizeof(unterminated)), "C:\\m");
    EXPECT_EQ(AppManagerPathFromValue("\0", 1), std::nullopt);
    EXPECT_EQ(AppManagerPathFromValue("", 0), std::nullopt);
}

class FakePayloads : public PayloadSource {
public:
    std::map<int, std::string> data;
    std::map<int, std::string> names;
    std::optional<std::string_view> Payload(int number) override
    {
        auto it = data.find(number);
        return it == data.end() ? std::nullopt : std::optional<std::string_view>(it->second);
    }
    std::optional<std::string> FileName(int number) override
    {
        auto it = names.find(number);
        return it == names.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
};

class FakeDisk : public PayloadSink {
public:
    std::string failing;
    std::vector<std::pair<std::string, std::string>> written;
    bool Write(const std::string& path, std::string_view bytes) override
    {
        if (path == failing)
            return false;
        written.emplace_back(path, std::string(bytes));
        return true;
    }
};

TEST(PayloadWriter, WritesInOrderAndStopsAsTheRulesSay)
{
    struct Case {
        const char* name;
        std::vector<int> carried;
        std::vector<int> named;
        std::string failing;
        bool result;
        std::vector<std::string> written;
    };
    const Case cases[] = {
        {"all three", {1, 2, 3}, {1, 2, 3}, "", true, {"D\\f1", "D\\f2", "D\\f3"}},
        {"ends quietly at the first missing number", {1, 3}, {1, 2, 3}, "", true, {"D\\f1"}},
        {"nothing carried", {}, {1, 2, 3}, "", true, {}},
        {"a payload without a file name", {1, 2, 3}, {1, 3}, "", false, {"D\\f1"}},
        {"a write that fails stops the rest", {1, 2, 3}, {1, 2, 3}, "D\\f2", false, {"D\\f1"}},
    };
    for (const Case& c : cases) {
        FakePayloads source;
        for (int n : c.carried)
            source.data[n] = "bytes" + std::to_string(n);
        for (int n : c.named)
            source.names[n] = "f" + std::to_string(n);
        FakeDisk disk;
        disk.failing = c.failing;
        EXPECT_EQ(WritePayloads("D", source, disk), c.result) << c.name;
        std::vector<std::string> paths;
        for (const auto& file : disk.written) {
            paths.push_back(file.first);
            EXPECT_EQ(file.second, "bytes" + file.first.substr(3)) << c.name;
        }
        EXPECT_EQ(paths, c.written) << c.name;
    }
}

TEST(PayloadWriter, APathThatDoesNotFitStopsBeforeWriting)
{
    FakePayloads source;
    source.data[1] = "x";
    source.names[1] = std::string(300, 'n');
    FakeDisk disk;
    EXPECT_FALSE(WritePayloads("D", source, disk));
    EXPECT_TRUE(disk.written.empty());
}

}  // namespace
