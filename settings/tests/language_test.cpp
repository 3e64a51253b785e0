#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "device_fixture.h"
#include "program_files.h"
#include "quit_message.h"
#include "settings/language_list.h"
#include "settings/text_table.h"

namespace {

using testsupport::ProgramDirectory;
using testsupport::ProgramFile;

class LanguageTest : public testsupport::DeviceFixture {
protected:
    void TearDown() override
    {
        FreeTextTable();
        FreeLanguageList();
        DeviceFixture::TearDown();
    }

    void InstallShipped()
    {
        WriteHostFile(ProgramFile("lang/lang.dat"), testsupport::ShippedFile("lang/lang.dat"));
        WriteHostFile(ProgramFile("lang/en.txt"), testsupport::ShippedFile("lang/en.txt"));
    }
    void Load(int language = 1)
    {
        LoadLanguageList(ProgramDirectory(), language);
        LoadTextTable(ProgramDirectory());
    }
    bool Quit()
    {
        int code = -1;
        return platform::QuitPosted(code) && code == 0;
    }
    bool BoxShown(const std::string& text)
    {
        for (const std::string& box : Events("msgbox")) {
            if (box.find("text=\"" + text + "\"") != std::string::npos &&
                box.find("caption=\"Language\"") != std::string::npos)
                return true;
        }
        return false;
    }
};

std::u16string Text(int number) { return GetText(number); }

TEST_F(LanguageTest, ShippedEnglishTexts)
{
    InstallShipped();
    Load();
    EXPECT_EQ(Text(1), u"54");
    EXPECT_EQ(Text(2), u"Battery Power");
    EXPECT_EQ(Text(13), u"Tasks");
    EXPECT_EQ(Text(27), u"High Charge");
    EXPECT_EQ(Text(35), u"Unknown");
    EXPECT_EQ(Text(38), u"-");
    EXPECT_EQ(Text(52), u"TodayScreen");
    EXPECT_EQ(Text(53), u"-eof-");
    EXPECT_EQ(Text(54), u"NotLoaded") << "within the count but not in the file";
    EXPECT_EQ(Text(55), u"NotLoaded");
    EXPECT_EQ(Text(0), u"NotLoaded");
    EXPECT_EQ(Text(-1), u"NotLoaded");
    EXPECT_FALSE(Quit());
    EXPECT_TRUE(Events("msgbox").empty());
}

TEST_F(LanguageTest, LanguageNumberSelectsItsRowOrTheFirst)
{
    WriteHostFile(ProgramFile("lang/lang.dat"),
                  "English~en.txt~1~flag1~eula_en.txt\r\nDeutsch~de.txt~2~flag2~eula_de.txt\r\n");
    LoadLanguageList(ProgramDirectory(), 2);
    EXPECT_EQ(LanguageList()->currentRow, 2);
    EXPECT_EQ(std::u16string(LanguageList()->GetCell(0, LANGUAGE_COLUMN_TEXT_FILE)), u"de.txt");
    LoadLanguageList(ProgramDirectory(), 7);
    EXPECT_EQ(LanguageList()->currentRow, 1);
}

TEST_F(LanguageTest, MissingLanguageListReportsAndQuits)
{
    WriteHostFile(ProgramFile("en.txt"), "2\r\nfallback\r\n");
    Load();
    EXPECT_TRUE(BoxShown("No Language Dat File"));
    EXPECT_TRUE(Quit());
    // With no row, the text file in the program directory still serves.
    EXPECT_EQ(Text(2), u"fallback");
}

TEST_F(LanguageTest, MissingTextFileFallsBackToTheProgramDirectory)
{
    WriteHostFile(ProgramFile("lang/lang.dat"), "Deutsch~de.txt~1\r\n");
    WriteHostFile(ProgramFile("en.txt"), "3\r\nMain\r\nBackup\r\n");
    Load();
    EXPECT_EQ(Text(2), u"Main");
    EXPECT_EQ(Text(3), u"Backup");
    EXPECT_FALSE(Quit());
}

// An empty file name names the "lang" folder itself, which is no file.
TEST_F(LanguageTest, EmptyTextFileNameFallsBackOrReports)
{
    WriteHostFile(ProgramFile("lang/lang.dat"), "English~~1\r\n");
    WriteHostFile(ProgramFile("en.txt"), "2\r\nfallback\r\n");
    Load();
    EXPECT_EQ(Text(2), u"fallback");
    EXPECT_FALSE(Quit());

    std::filesystem::remove(HostPath(ProgramFile("en.txt")));
    Load();
    EXPECT_TRUE(BoxShown("No Language File"));
    EXPECT_TRUE(Quit());
    EXPECT_EQ(Text(1), u"NotLoaded");
}

TEST_F(LanguageTest, NoTextFileAtAllReportsAndQuits)
{
    WriteHostFile(ProgramFile("lang/lang.dat"), testsupport::ShippedFile("lang/lang.dat"));
    Load();
    EXPECT_TRUE(BoxShown("No Language File"));
    EXPECT_FALSE(BoxShown("No Language Dat File"));
    EXPECT_TRUE(Quit());
    EXPECT_EQ(Text(1), u"NotLoaded");
}

TEST_F(LanguageTest, EveryLineLosesItsLastCharacter)
{
    InstallShipped();
    WriteHostFile(ProgramFile("lang/en.txt"), "3\nFirst\nLast");
    Load();
    EXPECT_EQ(Text(2), u"First");
    EXPECT_EQ(Text(3), u"Las");
}

TEST_F(LanguageTest, CountLimitsTheLinesRead)
{
    InstallShipped();
    WriteHostFile(ProgramFile("lang/en.txt"), "2\r\none\r\ntwo\r\nthree\r\n");
    Load();
    EXPECT_EQ(Text(2), u"one");
    EXPECT_EQ(Text(3), u"NotLoaded");
}

TEST_F(LanguageTest, ZeroNegativeOrHugeCountsAreSafe)
{
    InstallShipped();
    WriteHostFile(ProgramFile("lang/en.txt"), "0\r\none\r\n");
    Load();
    EXPECT_EQ(Text(1), u"NotLoaded");

    WriteHostFile(ProgramFile("lang/en.txt"), "-5\r\none\r\n");
    Load();
    EXPECT_EQ(Text(1), u"NotLoaded");
    EXPECT_EQ(Text(2), u"NotLoaded");

    WriteHostFile(ProgramFile("lang/en.txt"), "2147483647\r\none\r\ntwo\r\n");
    Load();
    EXPECT_EQ(Text(3), u"two");
    EXPECT_EQ(Text(4), u"NotLoaded");
    EXPECT_EQ(Text(2147483647), u"NotLoaded");
}

TEST_F(LanguageTest, LongAndOddLinesStaySafe)
{
    InstallShipped();
    std::string file = "5\r\n" + std::string(300, 'x') + "\r\n" + std::string("\0\r\n", 3) + "\xe9t\xe9\r\n";
    WriteHostFile(ProgramFile("lang/en.txt"), file);
    Load();
    // A 300-character line is read as a piece of 254 and the rest.
    EXPECT_EQ(Text(2), std::u16string(253, u'x'));
    EXPECT_EQ(Text(3), std::u16string(46, u'x'));
    EXPECT_EQ(Text(4), u"");
    EXPECT_EQ(Text(5), u"\u00e9t\u00e9");
}

TEST_F(LanguageTest, TextCopies)
{
    InstallShipped();
    Load();
    int length = 0;
    WCHAR* copy = GetTextCopy(2, &length, TRUE);
    EXPECT_EQ(length, 13);
    EXPECT_EQ(std::u16string(copy), u"Battery Power");
    EXPECT_NE(copy, GetText(2));
    delete[] copy;

    EXPECT_EQ(GetTextCopy(2, &length, FALSE), GetText(2));
    copy = GetTextCopy(99, &length, TRUE);
    EXPECT_EQ(std::u16string(copy), u"NotLoaded");
    EXPECT_EQ(length, 9);
    delete[] copy;
}

}  // namespace
