#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/monitor_window.h"
#include "app/today_item_entry.h"
#include "device_fixture.h"
#include "program_files.h"
#include "quit_message.h"
#include "settings/ini_file.h"
#include "settings/language_list.h"
#include "settings/settings_store.h"
#include "settings/text_table.h"

namespace {

using testsupport::ProgramFile;

class MonitorWindowTest : public testsupport::DeviceFixture {
protected:
    void SetUp() override
    {
        // The program as the simulator starts it, from its install folder.
        setenv("DEVSIM_PROGRAM", "\\Program Files\\Quib Monitor\\quibmonitor.exe", 1);
        DeviceFixture::SetUp();
    }
    void TearDown() override
    {
        FreeTextTable();
        FreeLanguageList();
        unsetenv("DEVSIM_PROGRAM");
        DeviceFixture::TearDown();
    }

    void InstallLanguage()
    {
        WriteHostFile(ProgramFile("lang/lang.dat"), testsupport::ShippedFile("lang/lang.dat"));
        WriteHostFile(ProgramFile("lang/en.txt"), testsupport::ShippedFile("lang/en.txt"));
    }
    // Removes the settings file, so that finding it again proves a write.
    void RemoveSettingsFile() { std::filesystem::remove(HostPath(ProgramFile("quibmonitor.ini"))); }

};

const char16_t kProgramDirectory[] = u"\\Program Files\\Quib Monitor\\";

std::u16string InstPath()
{
    WCHAR text[REG_TEXT_MAX];
    ReadRegString(SETTINGS_SUBKEY, TEXT("InstPath"), TEXT("(none)"), text);
    return text;
}

bool TodayEntryExists()
{
    HKEY key = NULL;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, TODAY_ITEM_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

TEST_F(MonitorWindowTest, StartAndEndKeepTheSettingsFile)
{
    const std::string shipped = testsupport::ShippedFile("quibmonitor.ini");
    WriteHostFile(ProgramFile("quibmonitor.ini"), shipped);
    InstallLanguage();

    MonitorWindow* window = new MonitorWindow(NULL);
    EXPECT_EQ(std::u16string(window->ProgramDirectory()), kProgramDirectory);
    EXPECT_EQ(std::u16string(GetSetting(TEXT("theme"), TEXT("Default"))), u"bluewave");
    EXPECT_EQ(window->LanguageNumber(), 1);
    EXPECT_EQ(InstPath(), kProgramDirectory);
    EXPECT_TRUE(TodayEntryExists());
    EXPECT_TRUE(Events("msgbox").empty());
    int code = -1;
    EXPECT_FALSE(platform::QuitPosted(code));

    SetSetting(TEXT("eula"), TEXT("1"));
    RemoveSettingsFile();
    delete window;
    EXPECT_EQ(ReadHostFile(ProgramFile("quibmonitor.ini")), shipped + "\r\neula=1");
}

// Each start reads its own file; the window takes the theme from the live
// setting wherever it needs it.
TEST_F(MonitorWindowTest, LanguageNumberAndThemeSetting)
{
    InstallLanguage();
    struct Case {
        const char* settings;
        int language;
        const char16_t* theme;
    } cases[] = {
        {"", 1, u"Default"},
        {"lang=0", 1, u"Default"},
        {"lang=-3\r\ntheme=Steel", 1, u"Steel"},
        // The lines of the previous start are gone.
        {"lang=2", 2, u"Default"},
    };
    for (const Case& c : cases) {
        WriteHostFile(ProgramFile("quibmonitor.ini"), c.settings);
        MonitorWindow window(NULL);
        EXPECT_EQ(window.LanguageNumber(), c.language) << c.settings;
        EXPECT_EQ(std::u16string(GetSetting(TEXT("theme"), TEXT("Default"))), c.theme) << c.settings;
    }
}

}  // namespace
