#include "server/device_profile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

constexpr uint64_t kMiB = 1024 * 1024;
constexpr uint64_t kGiB = 1024 * kMiB;

sim::DeviceProfile Parse(std::string_view text)
{
    std::string error;
    std::optional<sim::DeviceProfile> profile = sim::ParseProfile(text, error);
    EXPECT_TRUE(profile.has_value()) << error;
    return profile.value_or(sim::DeviceProfile());
}

std::string ParseError(std::string_view text)
{
    std::string error;
    EXPECT_FALSE(sim::ParseProfile(text, error).has_value()) << text;
    return error;
}

TEST(DeviceProfile, BuiltInsHaveTheirScreenOsAndLocale)
{
    struct Expected {
        const char* name;
        int width, height, dpi;
        DWORD osMajor, osMinor, osBuild;
        char16_t decimal, thousands;
    };
    const Expected expected[] = {
        {"qvga", 240, 320, 96, 5, 1, 1700, u'.', u','},      {"vga", 480, 640, 192, 5, 1, 1700, u'.', u','},
        {"vga96", 480, 640, 96, 5, 1, 1700, u'.', u','},     {"landscape", 320, 240, 96, 5, 1, 1700, u'.', u','},
        {"square", 240, 240, 96, 5, 1, 1700, u'.', u','},    {"ce4", 240, 320, 96, 4, 21, 1088, u'.', u','},
        {"de", 240, 320, 96, 5, 1, 1700, u',', u'.'},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name);
        std::optional<sim::DeviceProfile> profile = sim::BuiltInProfile(e.name);
        ASSERT_TRUE(profile.has_value());
        EXPECT_EQ(profile->name, e.name);
        EXPECT_EQ(profile->screenWidth, e.width);
        EXPECT_EQ(profile->screenHeight, e.height);
        EXPECT_EQ(profile->dpi, e.dpi);
        EXPECT_EQ(profile->status.osMajor, e.osMajor);
        EXPECT_EQ(profile->status.osMinor, e.osMinor);
        EXPECT_EQ(profile->status.osBuild, e.osBuild);
        EXPECT_EQ(profile->status.decimalSeparator, e.decimal);
        EXPECT_EQ(profile->status.thousandsSeparator, e.thousands);
        // CE 4.21 has the power panel under its other name.
        std::string omitted = e.osMajor == 4 ? "\\Windows\\power.exe" : "\\Windows\\powerexe.exe";
        EXPECT_EQ(profile->imageOmit, std::vector<std::string>{omitted});
        // Every built-in is the qvga device's hardware otherwise.
        EXPECT_EQ(profile->status.mainPercent, 87);
        EXPECT_TRUE(profile->status.cardPresent);

        std::string error;
        std::optional<sim::DeviceProfile> loaded = sim::LoadProfile(e.name, error);
        ASSERT_TRUE(loaded.has_value()) << error;
        EXPECT_EQ(loaded->screenWidth, e.width);
    }
    EXPECT_FALSE(sim::BuiltInProfile("QVGA").has_value());

    // The desktop PC: no batteries, no card, nothing left out of its image.
    std::optional<sim::DeviceProfile> desktop = sim::BuiltInProfile("desktop");
    ASSERT_TRUE(desktop.has_value());
    EXPECT_TRUE(desktop->desktop);
    EXPECT_EQ(desktop->screenWidth, 800);
    EXPECT_EQ(desktop->screenHeight, 600);
    EXPECT_EQ(desktop->dpi, 96);
    EXPECT_EQ(desktop->status.acLineStatus, 1);
    EXPECT_EQ(desktop->status.mainFlag, 128);
    EXPECT_EQ(desktop->status.backupFlag, 128);
    EXPECT_FALSE(desktop->status.cardPresent);
    EXPECT_TRUE(desktop->imageOmit.empty());
    EXPECT_FALSE(sim::BuiltInProfile("qvga")->desktop);
    EXPECT_FALSE(sim::BuiltInProfile("").has_value());
}

TEST(DeviceProfile, QvgaFiguresAreConsistent)
{
    const platform::DeviceStatus s = sim::BuiltInProfile("qvga")->status;
    EXPECT_EQ(s.mainFlag, 1);
    EXPECT_EQ(s.backupFlag, 1);
    EXPECT_EQ(s.backupPercent, 100);
    EXPECT_EQ(s.memoryTotal, 64 * kMiB);
    EXPECT_LT(s.memoryAvailable, s.memoryTotal);
    EXPECT_EQ(s.storeSize, 32 * kMiB);
    EXPECT_LT(s.storeFree, s.storeSize);
    EXPECT_EQ(s.appDataTotal, s.storeSize);
    EXPECT_EQ(s.appDataFree, s.storeFree);
    EXPECT_EQ(s.cardTotal, kGiB);
    EXPECT_EQ(s.cardFree, 700 * kMiB);
}

TEST(DeviceProfile, ParsesEveryKey)
{
    sim::DeviceProfile p = Parse(
        "# a test device\r\n"
        "\n"
        "name = tester\r\n"
        "screen=480x800\n"
        "dpi=131\n"
        "os=6.0.20757\n"
        "decimal=space\n"
        "thousands=\xc2\xa0\n"
        "ac=1\n"
        "main.flag=8\n"
        "main.percent=255\n"
        "backup.flag=128\n"
        "backup.percent=0\n"
        "memory.total=128M\n"
        "memory.available=1000\n"
        "store.size=4095M\n"
        "store.free=12K\n"
        "store.capacity=2M\n"
        "appdata.total=5G\n"
        "appdata.free=4294967297\n"
        "card=absent\n"
        "card.total=16g\n"
        "card.free=3k\n"
        "clock=2008-02-29 23:59\n"
        "image.omit= \\Windows\\a b.exe ;\\x\n");
    EXPECT_EQ(p.name, "tester");
    EXPECT_EQ(p.screenWidth, 480);
    EXPECT_EQ(p.screenHeight, 800);
    EXPECT_EQ(p.dpi, 131);
    EXPECT_EQ(p.status.osMajor, 6u);
    EXPECT_EQ(p.status.osMinor, 0u);
    EXPECT_EQ(p.status.osBuild, 20757u);
    EXPECT_EQ(p.status.decimalSeparator, u' ');
    EXPECT_EQ(p.status.thousandsSeparator, u'\u00a0');
    EXPECT_EQ(p.status.acLineStatus, 1);
    EXPECT_EQ(p.status.mainFlag, 8);
    EXPECT_EQ(p.status.mainPercent, 255);
    EXPECT_EQ(p.status.backupFlag, 128);
    EXPECT_EQ(p.status.backupPercent, 0);
    EXPECT_EQ(p.status.memoryTotal, 128 * kMiB);
    EXPECT_EQ(p.status.memoryAvailable, 1000u);
    EXPECT_EQ(p.status.storeSize, 4095 * kMiB);
    EXPECT_EQ(p.status.storeFree, 12u * 1024);
    EXPECT_EQ(p.storeCapacity, std::optional<DWORD>(2 * kMiB));
    EXPECT_EQ(p.status.appDataTotal, 5 * kGiB);
    EXPECT_EQ(p.status.appDataFree, 4294967297u);
    EXPECT_FALSE(p.status.cardPresent);
    EXPECT_EQ(p.status.cardTotal, 16 * kGiB);
    EXPECT_EQ(p.status.cardFree, 3u * 1024);
    EXPECT_EQ(p.clockStart, 1204329540);
    EXPECT_EQ(p.imageOmit, (std::vector<std::string>{"\\Windows\\a b.exe", "\\x"}));
    EXPECT_TRUE(Parse("image.omit=").imageOmit.empty());

    // Keys not given keep the qvga values.
    sim::DeviceProfile partial = Parse("dpi=192");
    EXPECT_EQ(partial.screenWidth, 240);
    EXPECT_EQ(partial.status.mainPercent, 87);
    EXPECT_TRUE(partial.status.cardPresent);
    EXPECT_FALSE(partial.storeCapacity.has_value());
}

TEST(DeviceProfile, BadLinesAreReportedWithTheirNumber)
{
    EXPECT_EQ(ParseError("dpi=96\n# comment\n\ncolour=blue\n"), "line 4: unknown key \"colour\"");
    EXPECT_EQ(ParseError("screen 240x320"), "line 1: expected key=value");
    EXPECT_EQ(ParseError("dpi=96\r\nscreen=240by320\r\n"), "line 2: bad value \"240by320\" for screen");

    const char* badValues[] = {
        "screen=0x320",         "screen=240x",          "dpi=",
        "dpi=-5",               "os=5.1",               "os=5.x.1700",
        "decimal=",             "decimal=..",           "ac=2",
        "main.flag=256",        "main.percent=-1",      "memory.total=4G",
        "memory.total=4294967296", "store.free=12T",    "store.size=M",
        "card.total=17179869184G", "card=maybe",           "name=",
        "appdata.free=1.5G",    "clock=2007-02-29 09:00", "clock=2007-06-01 24:00",
        "clock=2007-6-1 09:00", "image.omit=;",         "image.omit=\\a;",
        "image.omit=\\a; ;\\b", "kind=pc",          "kind=",
        "store.capacity=",      "store.capacity=4G",    "store.capacity=-1",
    };
    for (const char* line : badValues) {
        std::string error = ParseError(line);
        EXPECT_EQ(error.rfind("line 1: bad value", 0), 0u) << line << ": " << error;
    }
}

TEST(DeviceProfile, LoadsFilesAndReportsMissingOnes)
{
    std::string dir = (std::filesystem::temp_directory_path() / "qmprofile-XXXXXX").string();
    ASSERT_NE(mkdtemp(dir.data()), nullptr);
    std::string good = dir + "/good.profile";
    std::string bad = dir + "/bad.profile";
    std::ofstream(good) << "name=wide\nscreen=640x480\n";
    std::ofstream(bad) << "name=wide\n\nscreen=640\n";

    std::string error;
    std::optional<sim::DeviceProfile> profile = sim::LoadProfile(good, error);
    ASSERT_TRUE(profile.has_value()) << error;
    EXPECT_EQ(profile->name, "wide");
    EXPECT_EQ(profile->screenWidth, 640);

    EXPECT_FALSE(sim::LoadProfile(bad, error).has_value());
    EXPECT_EQ(error, bad + ": line 3: bad value \"640\" for screen");

    error.clear();
    EXPECT_FALSE(sim::LoadProfile(dir + "/missing.profile", error).has_value());
    EXPECT_NE(error.find("missing.profile"), std::string::npos);

    std::filesystem::remove_all(dir);
}

TEST(DeviceProfile, BatteryRegistryWordLevelsAndStates)
{
    struct Band {
        BYTE percent;
        DWORD level;
    };
    const Band bands[] = {{0, 0},    {20, 0},   {21, 21}, {40, 21},  {41, 41},  {60, 41},
                          {61, 61},  {80, 61},  {81, 81}, {100, 81}, {101, 0},  {255, 0}};
    for (const Band& band : bands)
        EXPECT_EQ(sim::BatteryRegistryWord(1, band.percent), band.level << 16) << int(band.percent);

    EXPECT_EQ(sim::BatteryRegistryWord(0, 50) & 0xffff, 0u);
    EXPECT_EQ(sim::BatteryRegistryWord(128, 0) & 0xffff, 1u);
    EXPECT_EQ(sim::BatteryRegistryWord(8, 50) & 0xffff, 2u);
    EXPECT_EQ(sim::BatteryRegistryWord(2, 50) & 0xffff, 4u);
    EXPECT_EQ(sim::BatteryRegistryWord(4, 50) & 0xffff, 8u);
    EXPECT_EQ(sim::BatteryRegistryWord(8 | 2 | 1, 50) & 0xffff, 2u | 4u);
    EXPECT_EQ(sim::BatteryRegistryWord(255, 255), 1u);
}

}  // namespace
