#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "device_fixture.h"
#include "program_files.h"
#include "settings/ini_file.h"

namespace {

using testsupport::ProgramDirectory;
using testsupport::ProgramFile;

class IniFileTest : public testsupport::DeviceFixture {
protected:
    void TearDown() override
    {
        LoadSettings(ProgramDirectory(), TEXT("none.ini"), TRUE);
        DeviceFixture::TearDown();
    }

    void Load(const std::string& bytes)
    {
        WriteHostFile(ProgramFile("quibmonitor.ini"), bytes);
        LoadSettings(ProgramDirectory(), TEXT("quibmonitor.ini"), TRUE);
    }
    std::string Save()
    {
        std::filesystem::create_directories(HostPath(ProgramFile("")));
        SaveSettings(ProgramDirectory(), TEXT("quibmonitor.ini"));
        return ReadHostFile(ProgramFile("quibmonitor.ini"));
    }
    int LineCount()
    {
        int count = 0;
        for (const IniLine* line = SettingsLines()->head; line; line = line->next)
            ++count;
        return count;
    }
};

std::u16string Setting(const char16_t* key, const char16_t* fallback = u"(default)")
{
    return GetSetting(key, fallback);
}

TEST_F(IniFileTest, ShippedFileRoundTripsByteForByte)
{
    std::string shipped = testsupport::ShippedFile("quibmonitor.ini");
    ASSERT_FALSE(shipped.empty());
    Load(shipped);
    EXPECT_EQ(LineCount(), 2);
    EXPECT_EQ(SettingsLines()->head->comment, 1);
    EXPECT_EQ(Setting(u"theme"), u"bluewave");
    EXPECT_EQ(Save(), shipped);
}

TEST_F(IniFileTest, KeysAndValuesAreTakenLiterally)
{
    Load("lang=2\r\nLang=5\r\ntheme=a=b\r\ntheme = blue\r\nempty=\nlang=9");
    EXPECT_EQ(GetSettingInt(u"lang", 1), 2);
    EXPECT_EQ(GetSettingInt(u"Lang", 1), 5);
    EXPECT_EQ(Setting(u"theme"), u"a=b");
    EXPECT_EQ(Setting(u"theme "), u" blue");
    EXPECT_EQ(Setting(u"empty"), u"");
    EXPECT_EQ(GetSettingInt(u"empty", 7), 0);
    EXPECT_EQ(Setting(u"eula"), u"(default)");
    EXPECT_EQ(GetSettingInt(u"eula", 0), 0);
    EXPECT_TRUE(Events("msgbox").empty());
}

TEST_F(IniFileTest, MissingFileGivesDefaultsAndIsCreatedOnSave)
{
    LoadSettings(ProgramDirectory(), TEXT("quibmonitor.ini"), TRUE);
    EXPECT_EQ(LineCount(), 0);
    EXPECT_EQ(Setting(u"theme", u"Default"), u"Default");
    SetSettingInt(u"eula", 1);
    EXPECT_EQ(Save(), "eula=1");
}

// The line is kept as a comment, so that the next start does not show the
// same box again; a blank line is no error and stays blank.
TEST_F(IniFileTest, LineWithoutEqualsIsReportedOnceAndKeptAsAComment)
{
    Load("; comment\r\nbad line\r\n\r\ntheme=x\r\n");
    std::vector<std::string> boxes = Events("msgbox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("caption=\"Theme Error\""), std::string::npos) << boxes[0];
    EXPECT_NE(boxes[0].find("text=\"bad line\""), std::string::npos) << boxes[0];
    EXPECT_EQ(Setting(u"theme"), u"x");
    EXPECT_EQ(Setting(u"bad line"), u"(default)");
    EXPECT_EQ(LineCount(), 4);
    const std::string saved = "; comment\r\n;bad line\r\n\r\ntheme=x";
    EXPECT_EQ(Save(), saved);

    LoadSettings(ProgramDirectory(), TEXT("quibmonitor.ini"), TRUE);
    EXPECT_EQ(Events("msgbox").size(), 1u) << "shown again at the next start";
    EXPECT_EQ(Setting(u"theme"), u"x");
    EXPECT_EQ(Save(), saved);
}

TEST_F(IniFileTest, SettingKeepsOrderAndAppendsNewKeysLast)
{
    Load("; top\r\ntheme=bluewave\r\nlang=1\r\n; bottom");
    SetSetting(u"theme", u"ocean");
    SetSettingInt(u"eula", 1);
    SetSettingInt(u"offset", -12);
    EXPECT_EQ(Save(), "; top\r\ntheme=ocean\r\nlang=1\r\n; bottom\r\neula=1\r\noffset=-12");
}

TEST_F(IniFileTest, FirstOfDuplicateKeysWins)
{
    Load("theme=one\r\ntheme=two");
    EXPECT_EQ(Setting(u"theme"), u"one");
    SetSetting(u"theme", u"three");
    EXPECT_EQ(Save(), "theme=three\r\ntheme=two");
}

TEST_F(IniFileTest, BareLineFeedsReadLikeCrLf)
{
    Load("; c\ntheme=bluewave\nlang=3\n");
    EXPECT_EQ(Setting(u"theme"), u"bluewave");
    EXPECT_EQ(GetSettingInt(u"lang", 1), 3);
    EXPECT_EQ(Save(), "; c\r\ntheme=bluewave\r\nlang=3");
}

TEST_F(IniFileTest, LongLinesAreReadInPiecesAndWrittenBackWhole)
{
    std::string value(300, 'v');
    std::string exact = "k=" + std::string(252, 'e');  // exactly the read limit
    std::string file = "long=" + value + "\r\n" + exact + "\r\nlast=1";
    Load(file);
    // The first piece holds 254 characters: the key, '=' and 249 of the value.
    EXPECT_EQ(Setting(u"long"), std::u16string(249, u'v'));
    EXPECT_EQ(Setting(u"k"), std::u16string(252, u'e'));
    EXPECT_EQ(GetSettingInt(u"last", 0), 1);
    // The rest of a long line is no line of its own to complain about.
    EXPECT_TRUE(Events("msgbox").empty());
    EXPECT_EQ(Save(), file);
}

TEST_F(IniFileTest, LongLineWithoutEqualsIsReportedOnceAndCommentedWhole)
{
    Load(std::string(300, 'x') + "\r\ntheme=x");
    std::vector<std::string> boxes = Events("msgbox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("text=\"" + std::string(254, 'x') + "\""), std::string::npos) << boxes[0];
    const std::string saved = ";" + std::string(300, 'x') + "\r\ntheme=x";
    EXPECT_EQ(Save(), saved);

    LoadSettings(ProgramDirectory(), TEXT("quibmonitor.ini"), TRUE);
    EXPECT_EQ(Events("msgbox").size(), 1u);
    EXPECT_EQ(Setting(u"theme"), u"x");
    EXPECT_EQ(Save(), saved);
}

// A last line that fills the read limit exactly, with no line end, ends
// there: what comes after it is a line of its own.
TEST_F(IniFileTest, LastLineOfExactlyTheReadLimitEndsAtTheEndOfTheFile)
{
    const std::string exact = "k=" + std::string(252, 'e');
    Load(exact);
    SetSettingInt(u"eula", 1);
    EXPECT_EQ(Save(), exact + "\r\neula=1");
    SetSetting(u"k", u"short");
    EXPECT_EQ(GetSettingInt(u"eula", 0), 1);
    EXPECT_EQ(Save(), "k=short\r\neula=1");

    // The same when a second file is read onto the first.
    Load(exact);
    WriteHostFile(ProgramFile("more.ini"), "b=2");
    LoadSettings(ProgramDirectory(), TEXT("more.ini"), FALSE);
    EXPECT_EQ(Setting(u"b"), u"2");
    EXPECT_EQ(Save(), exact + "\r\nb=2");
}

TEST_F(IniFileTest, ReplacingALongValueDropsItsOldRemainder)
{
    Load("long=" + std::string(300, 'v') + "\r\nlast=1");
    SetSetting(u"long", u"short");
    EXPECT_EQ(Save(), "long=short\r\nlast=1");
}

TEST_F(IniFileTest, ValuesLongerThanALineAreWrittenWhole)
{
    LoadSettings(ProgramDirectory(), TEXT("quibmonitor.ini"), TRUE);
    std::u16string value(600, u'x');
    SetSetting(u"theme", value.c_str());
    EXPECT_EQ(Save(), "theme=" + std::string(600, 'x'));
}

TEST_F(IniFileTest, EightBitTextRoundTrips)
{
    std::string file = "theme=caf\xe9 \x80\r\nname=\xfc";
    Load(file);
    EXPECT_EQ(Setting(u"theme"), u"caf\u00e9 \u20ac");
    EXPECT_EQ(Save(), file);
}

TEST_F(IniFileTest, NulBytesDoNotDerailReading)
{
    Load(std::string("a=1\0junk\r\nb=2\r\n", 15));
    EXPECT_EQ(Setting(u"a"), u"1");
    EXPECT_EQ(Setting(u"b"), u"2");
}

TEST_F(IniFileTest, FailedWriteKeepsTheOldFile)
{
    std::string original = "; keep me\r\ntheme=bluewave";
    Load(original);
    SetSetting(u"theme", u"changed");
    // The new file cannot be created where a folder of its name stands.
    std::filesystem::create_directories(HostPath(ProgramFile("quibmonitor.ini.new")));
    EXPECT_EQ(Save(), original);
}

TEST_F(IniFileTest, AFullStoreKeepsTheOldFile)
{
    std::string original = "; keep me\r\ntheme=bluewave";
    Load(original);
    SetSetting(u"theme", u"a longer theme name");
    // Room for less than the new file, which is written whole beside the old.
    LimitStore(original.size());
    EXPECT_EQ(Save(), original);
    EXPECT_FALSE(HostFileExists(ProgramFile("quibmonitor.ini.new")));

    LimitStore(original.size() + 20);
    EXPECT_EQ(Save(), "; keep me\r\ntheme=a longer theme name");
}

// A save that stopped after the old file was removed left the settings in
// the new file alone: they are read from it, and it takes the old one's place.
TEST_F(IniFileTest, InterruptedSaveIsFinishedAtLoad)
{
    const std::string settings = "; kept\r\ntheme=steel\r\neula=1";
    WriteHostFile(ProgramFile("quibmonitor.ini.new"), settings);
    LoadSettings(ProgramDirectory(), TEXT("quibmonitor.ini"), TRUE);
    EXPECT_EQ(Setting(u"theme"), u"steel");
    EXPECT_EQ(GetSettingInt(u"eula", 0), 1);
    EXPECT_EQ(LineCount(), 3);
    EXPECT_EQ(ReadHostFile(ProgramFile("quibmonitor.ini")), settings);
    EXPECT_FALSE(HostFileExists(ProgramFile("quibmonitor.ini.new")));
}

TEST_F(IniFileTest, StaleNewFileIsReplaced)
{
    WriteHostFile(ProgramFile("quibmonitor.ini.new"), "garbage");
    Load("theme=a");
    EXPECT_EQ(Save(), "theme=a");
    EXPECT_FALSE(HostFileExists(ProgramFile("quibmonitor.ini.new")));
}

TEST_F(IniFileTest, MissingFolderOrDeviceRootIsHarmless)
{
    LoadSettings(ProgramDirectory(), TEXT("quibmonitor.ini"), TRUE);
    SetSetting(u"theme", u"x");
    SaveSettings(ProgramDirectory(), TEXT("quibmonitor.ini"));
    EXPECT_FALSE(HostFileExists(ProgramFile("quibmonitor.ini")));

    std::filesystem::remove_all(Root());
    LoadSettings(ProgramDirectory(), TEXT("quibmonitor.ini"), TRUE);
    EXPECT_EQ(LineCount(), 0);
    SetSetting(u"theme", u"x");
    SaveSettings(ProgramDirectory(), TEXT("quibmonitor.ini"));
    EXPECT_FALSE(HostFileExists(ProgramFile("quibmonitor.ini")));
}

TEST_F(IniFileTest, LoadWithoutDiscardAppends)
{
    Load("a=1");
    WriteHostFile(ProgramFile("more.ini"), "b=2");
    LoadSettings(ProgramDirectory(), TEXT("more.ini"), FALSE);
    EXPECT_EQ(LineCount(), 2);
    EXPECT_EQ(Setting(u"b"), u"2");
}

TEST_F(IniFileTest, ThemeLinesDropCommentsAndReportBadLines)
{
    WriteHostFile(ProgramFile("themes/ocean/ocean_theme.ini"), "; theme\r\n\r\nbackground=sea\r\noops\r\n\r\ntext=0xFFFFFF");
    IniLineList* lines = ReadIniLines(ProgramDirectory(), TEXT("themes\\ocean\\ocean_theme.ini"));
    ASSERT_NE(lines->head, nullptr);
    EXPECT_EQ(std::u16string(lines->head->key), u"background");
    int count = 0;
    for (IniLine* line = lines->head; line; line = line->next, ++count) {
        EXPECT_EQ(line->comment, 0);
        EXPECT_NE(line->key, nullptr);
    }
    EXPECT_EQ(count, 2);
    EXPECT_EQ(Events("msgbox").size(), 1u);
    FreeIniLines(lines);
    EXPECT_EQ(lines->head, nullptr);
    delete lines;

    IniLineList* missing = ReadIniLines(ProgramDirectory(), TEXT("themes\\none\\none_theme.ini"));
    EXPECT_EQ(missing->head, nullptr);
    delete missing;
}

}  // namespace
