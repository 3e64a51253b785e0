#include "server/device_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

TEST(DeviceFiles, DeleteRemovesOnlyFilesInsideTheRoot)
{
    std::string pattern = (fs::temp_directory_path() / "qmfiles-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    fs::path top = pattern;
    fs::path root = top / "root";
    fs::create_directories(root / "Windows" / "Start Menu");
    std::ofstream(root / "Windows" / "power.exe") << "x";
    std::ofstream(root / "Windows" / "Start Menu" / "A b.lnk") << "x";
    std::ofstream(top / "outside.txt") << "x";

    struct Case {
        std::u16string path;
        bool deleted;
    };
    const Case cases[] = {
        {u"\\WINDOWS\\Power.EXE", true},      // device names match without regard to case
        {u"\\Windows\\power.exe", false},     // gone now
        {u"/windows/start menu/a B.lnk", true},
        {u"\\Windows\\Start Menu", false},    // a folder stays
        {u"\\Windows", false},
        {u"\\", false},
        {u"", false},
        {u"\\..\\outside.txt", false},         // never outside the root
        {u"\\Windows\\nothing.exe", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sim::DeleteDeviceFile(root.string(), c.path), c.deleted) << std::string(c.path.begin(), c.path.end());
    EXPECT_FALSE(fs::exists(root / "Windows" / "power.exe"));
    EXPECT_FALSE(fs::exists(root / "Windows" / "Start Menu" / "A b.lnk"));
    EXPECT_TRUE(fs::is_directory(root / "Windows" / "Start Menu"));
    EXPECT_TRUE(fs::exists(top / "outside.txt"));
    fs::remove_all(top);
}

}  // namespace
