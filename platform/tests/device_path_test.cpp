#include <gtest/gtest.h>

#include <string>

#include "device_fixture.h"
#include "device_path.h"

namespace {

using DevicePathTest = testsupport::DeviceFixture;

// The mapped host path, or "<refused>" when the mapping fails.
std::string Mapped(const WCHAR* cePath)
{
    std::string host;
    return platform::MapDevicePath(cePath, host) ? host : "<refused>";
}

TEST_F(DevicePathTest, ExistingComponentsMatchWithoutRegardToCase)
{
    WriteHostFile("Program Files/Quib Monitor/Settings.ini", "x");
    WriteHostFile("\xc3\x84rger/f", "x");  // "Ärger" in UTF-8

    EXPECT_EQ(Mapped(u"\\program files\\QUIB MONITOR\\settings.INI"),
              HostPath("Program Files/Quib Monitor/Settings.ini"));
    // Slashes, repeated separators, "." and ".." and no leading separator.
    EXPECT_EQ(Mapped(u"program files//./quib monitor/x\\..\\SETTINGS.ini"),
              HostPath("Program Files/Quib Monitor/Settings.ini"));
    EXPECT_EQ(Mapped(u"\\\xe4rger\\F"), HostPath("\xc3\x84rger/f"));
    // Below a missing component the given spelling stays.
    EXPECT_EQ(Mapped(u"\\PROGRAM FILES\\New Folder\\Deep\\a.TXT"), HostPath("Program Files/New Folder/Deep/a.TXT"));
    EXPECT_EQ(Mapped(u"\\"), Root());
    EXPECT_EQ(Mapped(u""), Root());
}

TEST_F(DevicePathTest, SpellingsThatDifferInCaseOnlyResolveDeterministically)
{
    WriteHostFile("data/f", "");
    WriteHostFile("Data/f", "");
    WriteHostFile("DATA/f", "");

    EXPECT_EQ(Mapped(u"\\data"), HostPath("data"));
    EXPECT_EQ(Mapped(u"\\Data"), HostPath("Data"));
    // No exact match: the first in byte order.
    EXPECT_EQ(Mapped(u"\\dAtA\\F"), HostPath("DATA/f"));
}

TEST_F(DevicePathTest, RefusesPathsOutsideTheRootAndInvalidNames)
{
    EXPECT_EQ(Mapped(u"\\a\\..\\b"), HostPath("b"));
    EXPECT_EQ(Mapped(u"\\\xD83D\xDE00"), HostPath("\xF0\x9F\x98\x80"));  // a valid surrogate pair

    const char16_t* refused[] = {
        u"\\..\\x", u"\\a\\..\\..\\x", u"..", u"\\a<b", u"\\a>b", u"\\c:\\x", u"\\a|b", u"\\a\"b",
        u"\\a?b",   u"\\a*b",          u"\\x*\\y", u"\\a\tb", u"\\\xD800", u"\\\xDC00" u"a", u"\\a\xD800\\b",
    };
    for (const char16_t* path : refused)
        EXPECT_EQ(Mapped(path), "<refused>") << testing::PrintToString(std::u16string(path));
    EXPECT_EQ(Mapped(nullptr), "<refused>");
}

// A desktop's drive C: is the root; a Pocket PC (this fixture's) has no drives.
TEST_F(DevicePathTest, DriveCIsTheRootOnADesktopOnly)
{
    WriteHostFile("Program Files/ActiveSync/x.exe", "x");
    std::string x = HostPath("Program Files/ActiveSync/x.exe");
    struct Case {
        const char16_t* path;
        std::string desktop;
    } cases[] = {
        {u"C:\\Program Files\\ActiveSync\\x.exe", x},
        {u"c:\\PROGRAM FILES\\activesync\\X.EXE", x},
        {u"C:/Program Files/ActiveSync/x.exe", x},
        {u"\\Program Files\\ActiveSync\\x.exe", x},
        {u"C:\\", Root()},
        {u"C:", Root()},
        {u"D:\\Program Files", "<refused>"},
        {u"C:\\a\\..\\..\\x", "<refused>"},
        {u"\\C:\\x", "<refused>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.path)));
        std::string host;
        EXPECT_EQ(platform::MapDevicePathIn(Root(), c.path, host, true) ? host : "<refused>", c.desktop);
    }
    EXPECT_EQ(Mapped(u"C:\\Program Files\\ActiveSync\\x.exe"), "<refused>");
    EXPECT_EQ(Mapped(u"\\Program Files\\ActiveSync\\x.exe"), x);
}

TEST_F(DevicePathTest, PatternsSplitFolderAndLastComponent)
{
    WriteHostFile("Program Files/x.ini", "");
    std::string folder;
    std::u16string pattern;

    ASSERT_TRUE(platform::MapDevicePattern(u"\\program files\\*.INI", folder, pattern));
    EXPECT_EQ(folder, HostPath("Program Files"));
    EXPECT_EQ(pattern, u"*.INI");
    ASSERT_TRUE(platform::MapDevicePattern(u"x?.*", folder, pattern));
    EXPECT_EQ(folder, Root());
    EXPECT_EQ(pattern, u"x?.*");
    ASSERT_TRUE(platform::MapDevicePattern(u"\\Program Files\\", folder, pattern));
    EXPECT_EQ(pattern, u"");

    EXPECT_FALSE(platform::MapDevicePattern(u"\\a?\\*.ini", folder, pattern));
    EXPECT_FALSE(platform::MapDevicePattern(u"\\..\\*", folder, pattern));
    EXPECT_FALSE(platform::MapDevicePattern(u"\\a\\b|*", folder, pattern));
}

TEST_F(DevicePathTest, DevicePathOfInvertsTheMapping)
{
    WriteHostFile("Program Files/Quib Monitor/x.ini", "");

    EXPECT_EQ(platform::DevicePathOf(HostPath("Program Files/Quib Monitor/x.ini")),
              u"\\Program Files\\Quib Monitor\\x.ini");
    EXPECT_EQ(platform::DevicePathOf(HostPath("missing/y.txt")), u"\\missing\\y.txt");
    EXPECT_EQ(platform::DevicePathOf(HostPath("a/../b")), u"\\b");
    EXPECT_EQ(platform::DevicePathOf(Root()), u"\\");
    EXPECT_EQ(platform::DevicePathOf(Root() + "/"), u"\\");

    EXPECT_EQ(platform::DevicePathOf("/usr/bin/ls"), u"");
    EXPECT_EQ(platform::DevicePathOf(Root() + "-other/x"), u"");  // shares the root's spelling, not its folder
    EXPECT_EQ(platform::DevicePathOf(Root() + "/.."), u"");
}

}  // namespace
