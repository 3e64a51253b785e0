#include <gtest/gtest.h>

#include <string>

#include "device_fixture.h"
#include "graphics/screen_metrics.h"
#include "graphics/theme_file.h"
#include "program_files.h"

namespace {

using testsupport::ProgramDirectory;
using testsupport::ProgramFile;

std::u16string Or(const WCHAR* text, const char16_t* missing = u"(missing)")
{
    return text != NULL ? std::u16string(text) : std::u16string(missing);
}

TEST(ThemeColourTest, ComponentsDefaultToFullAndKeepTheirLowByte)
{
    EXPECT_EQ(ThemeColour(u"rgb:0:125:223"), 0x00DF7D00u);
    EXPECT_EQ(ThemeColour(u"rgb:10"), 0x00FFFF0Au);
    EXPECT_EQ(ThemeColour(u"rgb"), 0x00FFFFFFu);
    EXPECT_EQ(ThemeColour(u"rgb:256:511:-1"), 0x00FFFF00u);
    // The first field is not read; fields after the fourth are ignored; a
    // component without digits is 0.
    EXPECT_EQ(ThemeColour(u"RGB:1:2:3:4"), 0x00030201u);
    EXPECT_EQ(ThemeColour(u"rgb:x::3"), 0x00030000u);
    EXPECT_EQ(ThemeColour(NULL), 0u);
}

PopupTaskListStyle Untouched()
{
    PopupTaskListStyle style = { -1, -1, -1, -1, -1, -1, -1, 0xABCDEFu, 0xABCDEFu };
    return style;
}

TEST(PopupTaskListTest, NineFieldsInOrderAndMissingOnesLeftAlone)
{
    PopupTaskListStyle style = Untouched();
    ParsePopupTaskList(u"6,23,186,190,1,8,bold,rgb:0:0:0,rgb:255:255:255", &style);
    EXPECT_EQ(style.left, 6);
    EXPECT_EQ(style.top, 23);
    EXPECT_EQ(style.width, 186);
    EXPECT_EQ(style.height, 190);
    EXPECT_EQ(style.transparent, 1);
    EXPECT_EQ(style.fontSize, 8);
    EXPECT_EQ(style.weight, 700);
    EXPECT_EQ(style.textColour, 0u);
    EXPECT_EQ(style.selectedTextColour, 0x00FFFFFFu);

    ParsePopupTaskList(u"6,23,186,190,1,8,Bold,rgb:0:0:0,rgb:255:255:255", &style);
    EXPECT_EQ(style.weight, 400);
    ParsePopupTaskList(u"6,23,186,190,1,8,bolder", &style);
    EXPECT_EQ(style.weight, 400);

    // A colour ends at its ',': the short one does not take the next
    // field's components, and surplus fields are ignored.
    ParsePopupTaskList(u"1,2,3,4,0,7,normal,rgb:10,rgb:1:2:3,rgb:9:9:9", &style);
    EXPECT_EQ(style.textColour, 0x00FFFF0Au);
    EXPECT_EQ(style.selectedTextColour, 0x00030201u);

    style = Untouched();
    ParsePopupTaskList(u"4,40,", &style);
    EXPECT_EQ(style.left, 4);
    EXPECT_EQ(style.top, 40);
    EXPECT_EQ(style.width, 0);  // present but empty
    EXPECT_EQ(style.height, -1);
    EXPECT_EQ(style.fontSize, -1);
    EXPECT_EQ(style.weight, -1);
    EXPECT_EQ(style.selectedTextColour, 0xABCDEFu);
}

TEST(NameLeftTopTest, FieldsMissingOrTooLong)
{
    WCHAR name[16] = u"old";
    int left = -1;
    int top = -1;
    ParseNameLeftTop(u"bluewave,0,185,9", name, 16, &left, &top);
    EXPECT_EQ(std::u16string(name), u"bluewave");
    EXPECT_EQ(left, 0);
    EXPECT_EQ(top, 185);

    ParseNameLeftTop(u"steel_land,31", name, 16, &left, &top);
    EXPECT_EQ(std::u16string(name), u"steel_land");
    EXPECT_EQ(left, 31);
    EXPECT_EQ(top, 185);
    ParseNameLeftTop(u"blue", name, 16, &left, &top);
    EXPECT_EQ(std::u16string(name), u"blue");
    EXPECT_EQ(left, 31);

    // The name is cut to the buffer; the numbers after it still count.
    WCHAR small[8];
    for (WCHAR& c : small)
        c = u'#';
    ParseNameLeftTop(u"averyveryverylongskinname,7,8", small, 5, &left, &top);
    EXPECT_EQ(std::u16string(small), u"aver");
    EXPECT_EQ(small[5], u'#');
    EXPECT_EQ(left, 7);
    EXPECT_EQ(top, 8);
}

class ThemeFileTest : public testsupport::DeviceFixture {
protected:
    void TearDown() override
    {
        delete theme_;
        delete themeList_;
        DeviceFixture::TearDown();
    }

    void InstallShippedThemes()
    {
        for (const char* name : { "blue", "bluewave", "simple", "steel" }) {
            std::string file = std::string("themes/") + name + "/" + name + "_theme.ini";
            WriteHostFile(ProgramFile(file), testsupport::ShippedFile(file));
        }
    }
    void LoadWithSetting(const std::string& themeSetting)
    {
        WriteHostFile(ProgramFile("quibmonitor.ini"), "theme=" + themeSetting + "\r\n");
        LoadSettings(ProgramDirectory(), TEXT("quibmonitor.ini"), TRUE);
        LoadTheme(ProgramDirectory(), &theme_, &themeList_);
        ASSERT_NE(theme_, nullptr);
        ASSERT_NE(themeList_, nullptr);
    }

    ThemeFile* theme_ = nullptr;
    StringTable* themeList_ = nullptr;
};

TEST_F(ThemeFileTest, ListsTheThemesAndSelectsTheSettingsOne)
{
    InstallShippedThemes();
    // The list matches names exactly, the file system does not: Steel
    // selects no row of its own but still opens steel's theme file.
    LoadWithSetting("Steel");
    ASSERT_EQ(themeList_->rowCount, 4);
    EXPECT_EQ(themeList_->currentRow, 1);
    EXPECT_EQ(Or(themeList_->GetCell(0, 1)), u"blue");
    EXPECT_EQ(Or(themeList_->GetCell(4, 1)), u"steel");
    EXPECT_EQ(Or(themeList_->GetCell(4, 2)), u"\\Program Files\\Quib Monitor\\themes\\steel");
    EXPECT_EQ(std::u16string(theme_->Name()), u"Steel");
    EXPECT_EQ(Or(theme_->Text(u"background", NULL)), u"steel");
    EXPECT_EQ(theme_->Flag(u"background_stretch"), 1);
    EXPECT_EQ(Or(theme_->Text(u"popupbackground", u"_landscape")), u"steel_land,31,36");

    ThemeFile* kept = theme_;
    LoadWithSetting("bluewave");
    EXPECT_EQ(theme_, kept);
    EXPECT_EQ(themeList_->rowCount, 4);
    EXPECT_EQ(themeList_->currentRow, 2);
    EXPECT_EQ(Or(themeList_->GetCell(0, 1)), u"bluewave");
    EXPECT_EQ(std::u16string(theme_->Name()), u"bluewave");
    EXPECT_EQ(theme_->Colour(u"textcolor"), 0x00FFFFFFu);
    EXPECT_EQ(Or(theme_->Text(u"popupbackground", u"")), u"bluewave,0,185");
    EXPECT_EQ(Or(theme_->Text(u"popup_tasklist", u"_square")),
              u"4,40,166,73,1,7,normal,rgb:255:255:255,rgb:82:186:247");
    // The key is the whole of key + suffix, neither a prefix nor a part.
    EXPECT_EQ(Or(theme_->Text(u"popup", u"background_square")), u"bluewave_sqr,0,105");
    EXPECT_EQ(theme_->Text(u"popupbackground", u"_land"), nullptr);
    EXPECT_EQ(theme_->Text(u"popupbackground_", NULL), nullptr);
}

TEST_F(ThemeFileTest, AMissingThemeHasNoKeys)
{
    InstallShippedThemes();
    LoadWithSetting("bluewave");
    ASSERT_NE(theme_->Text(u"textcolor", NULL), nullptr);

    LoadWithSetting("gone");
    EXPECT_EQ(themeList_->currentRow, 1);
    EXPECT_EQ(std::u16string(theme_->Name()), u"gone");
    EXPECT_EQ(theme_->Text(u"textcolor", NULL), nullptr);
    EXPECT_EQ(theme_->Colour(u"textcolor"), 0u);
    EXPECT_EQ(theme_->Flag(u"background_stretch"), 0);

    // A name longer than any path is cut and opens nothing.
    theme_->Load(ProgramDirectory(), std::u16string(300, u'x').c_str());
    EXPECT_EQ(std::u16string(theme_->Name()), std::u16string(255, u'x'));
    EXPECT_EQ(theme_->Text(u"textcolor", NULL), nullptr);

    // Without a settings line the theme is "default"; without a themes
    // folder the list is empty.
    WriteHostFile(ProgramFile("quibmonitor.ini"), "");
    LoadSettings(ProgramDirectory(), TEXT("quibmonitor.ini"), TRUE);
    ThemeFile* fresh = nullptr;
    StringTable* emptyList = nullptr;
    LoadTheme(TEXT("\\Elsewhere\\"), &fresh, &emptyList);
    EXPECT_EQ(std::u16string(fresh->Name()), u"default");
    EXPECT_EQ(emptyList->rowCount, 0);
    EXPECT_EQ(emptyList->GetCell(0, 1), nullptr);
    delete fresh;
    delete emptyList;
}

TEST_F(ThemeFileTest, FlagIsExactlyOne)
{
    WriteHostFile(ProgramFile("themes/odd/odd_theme.ini"),
                  "a=2\r\nb= 1\r\nc=1x\r\nd=\r\ne=11\r\n");
    LoadWithSetting("odd");
    EXPECT_EQ(theme_->Flag(u"a"), 0);
    EXPECT_EQ(theme_->Flag(u"b"), 1);
    EXPECT_EQ(theme_->Flag(u"c"), 1);
    EXPECT_EQ(theme_->Flag(u"d"), 0);
    EXPECT_EQ(theme_->Flag(u"e"), 0);
}

// The square flag stays set once seen, so the screens go in this order,
// and this test comes last in the file. The vga flag stays set as well:
// when an earlier test in this process took a VGA screen, a 320-wide
// screen is no wider than a VGA portrait one.
TEST_F(ThemeFileTest, VariantSuffixFollowsTheScreen)
{
    ComputeScreenMetrics();
    ASSERT_FALSE(IsSquareScreen()) << "an earlier test took a square screen";
    EXPECT_EQ(std::u16string(VariantSuffix()), u"");
    UseProfile("landscape");
    ComputeScreenMetrics();
    EXPECT_EQ(std::u16string(VariantSuffix()), IsVgaScreen() ? u"" : u"_landscape");
    UseProfile("square");
    ComputeScreenMetrics();
    EXPECT_EQ(std::u16string(VariantSuffix()), u"_square");
}

}  // namespace
