#include <gtest/gtest.h>

#include <string>

#include "device_fixture.h"
#include "start_menu_items.h"

namespace {

using StartMenuItemsTest = testsupport::DeviceFixture;

std::string Narrow(const std::u16string& text)
{
    return std::string(text.begin(), text.end());
}

TEST_F(StartMenuItemsTest, ProgramsFolderFirstEachByNameWithoutCase)
{
    const std::string programs = "Windows/Start Menu/Programs/";
    WriteHostFile(programs + "b.lnk", "12#\\Windows\\b 1");
    WriteHostFile(programs + "A.lnk", "18#\"\\Program Files\\a\"");
    WriteHostFile(programs + "c.LNK", "10#\\Windows\\c\r\n");
    WriteHostFile("Windows/Start Menu/Zed.lnk", "4#\\zed");
    WriteHostFile("Windows/Start Menu/alpha.lnk", "6#\\alpha");
    // Left out: not shortcuts, a folder, other files.
    WriteHostFile(programs + "broken.lnk", "99#\\Windows\\x.exe");
    WriteHostFile(programs + "huge.lnk", "2000#\\" + std::string(1999, 'a'));
    WriteHostFile(programs + "empty.lnk", "");
    WriteHostFile(programs + "folder.lnk/inside.lnk", "4#\\zed");
    WriteHostFile(programs + "notes.txt", "4#\\zed");

    std::vector<shell::StartMenuItem> items = shell::ReadStartMenuItems();
    std::vector<std::string> names;
    for (const shell::StartMenuItem& item : items)
        names.push_back(Narrow(item.name));
    EXPECT_EQ(names, (std::vector<std::string>{"A", "b", "c", "alpha", "Zed"}));
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(Narrow(items[0].shortcut.target), "\\Program Files\\a");
    EXPECT_EQ(Narrow(items[1].shortcut.target), "\\Windows\\b");
    EXPECT_EQ(Narrow(items[1].shortcut.arguments), "1");
    EXPECT_EQ(Narrow(items[4].shortcut.target), "\\zed");
}

TEST_F(StartMenuItemsTest, NoFoldersNoItems)
{
    EXPECT_TRUE(shell::ReadStartMenuItems().empty());
    EXPECT_FALSE(HostFileExists("Windows/Start Menu")) << "reading creates no folder";
}

}  // namespace
