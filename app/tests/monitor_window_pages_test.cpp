// The window's page switching and its theme operations, on a real window of
// an emulated device that has the program's pictures and themes installed.
#include <gtest/gtest.h>

#include <aygshell.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/monitor_page.h"
#include "app/monitor_window.h"
#include "app/popup_task_page.h"
#include "graphics/screen_metrics.h"
#include "graphics/skin_image.h"
#include "graphics/theme_file.h"
#include "monitor_window_fixture.h"
#include "program_files.h"
#include "quit_message.h"
#include "server/screen_buffer.h"
#include "settings/ini_file.h"
#include "settings/string_table.h"
#include "ui/control.h"
#include "ui/image_control.h"
#include "ui/text_label.h"

namespace {

using apptest::ClientRect;
using apptest::ImageFile;
using apptest::TgaSize;
using apptest::Text;
using testsupport::ProgramFile;

const int kDetailLine1 = 16;

RECT WindowRect(HWND window)
{
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(window, &rect);
    return rect;
}

// A colour of its own for nearly every screen pixel, so that a copy from
// the wrong place, in the wrong direction or upside down shows.
COLORREF PatternAt(int x, int y) { return RGB(x & 0xFF, y & 0xFF, (x * 7 + y * 3) & 0xFF); }

// The capture's pixel at (x, y) from its top, as a colour reference.
COLORREF CapturePixel(const SkinImage& capture, int x, int y)
{
    const BITMAP& bitmap = capture.description;
    const BYTE* row = (const BYTE*)bitmap.bmBits + (bitmap.bmHeight - 1 - y) * bitmap.bmWidthBytes;
    const BYTE* pixel = row + x * 3;
    return RGB(pixel[2], pixel[1], pixel[0]);
}

class MonitorWindowPagesTest : public apptest::MonitorWindowFixture {
protected:
    // Draws straight into the framebuffer, as the shell's Today screen
    // would have drawn it.
    void PaintScreen(const RECT& area, COLORREF (*colour)(int x, int y))
    {
        sim::ScreenBuffer* screen = Device().Screen();
        ASSERT_NE(screen, nullptr);
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                BYTE* pixel = screen->Row(y) + x * 3;
                COLORREF c = colour(x, y);
                pixel[0] = GetBValue(c);
                pixel[1] = GetGValue(c);
                pixel[2] = GetRValue(c);
            }
        }
    }
    COLORREF ScreenPixel(int x, int y)
    {
        const BYTE* pixel = Device().Screen()->Row(y) + x * 3;
        return RGB(pixel[2], pixel[1], pixel[0]);
    }
    // How many pixels of the screen's area differ from the pattern.
    int ScreenMismatches(const RECT& area)
    {
        int mismatches = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                mismatches += ScreenPixel(x, y) != PatternAt(x, y);
        return mismatches;
    }
    size_t CursorChanges() const { return Events("cursor").size(); }
    std::string LastCursor() const
    {
        std::vector<std::string> cursors = Events("cursor");
        return cursors.empty() ? "" : cursors.back();
    }
    // The page's selection tells one page object from a new one, which
    // starts at item 1 (a new page may reuse the old one's address).
    void MarkPage(MonitorWindow& window)
    {
        SendMessageW(window.Window(), WM_KEYUP, VK_RIGHT, 0);
        MonitorPage* page = dynamic_cast<MonitorPage*>(window.CurrentPage());
        ASSERT_NE(page, nullptr);
        ASSERT_EQ(page->SelectedItem(), ITEM_BACKUP_BATTERY);
    }
    int SelectedItem(const MonitorWindow& window) const
    {
        MonitorPage* page = dynamic_cast<MonitorPage*>(window.CurrentPage());
        return page ? page->SelectedItem() : 0;
    }
};

TEST_F(MonitorWindowPagesTest, RequestsSwitchPagesOnlyWhenTheyMust)
{
    MonitorWindow& window = Start(FALSE);
    ASSERT_EQ(window.CurrentPageId(), MONITOR_PAGE_ID);
    Page* page = window.CurrentPage();
    ASSERT_NO_FATAL_FAILURE(MarkPage(window));

    // The main page has nowhere to go back to.
    EXPECT_EQ(window.HandleRequest(BACK_REQUEST, 0), 0);
    EXPECT_EQ(window.CurrentPage(), page);

    size_t cursors = CursorChanges();
    EXPECT_EQ(window.HandleRequest(SWITCH_PAGE_REQUEST, MONITOR_PAGE_ID), 1);
    EXPECT_EQ(window.CurrentPage(), page);
    EXPECT_EQ(SelectedItem(window), ITEM_BACKUP_BATTERY);
    EXPECT_EQ(CursorChanges(), cursors) << "no wait cursor: nothing was rebuilt";

    // An id without a page empties the window, and a back request finds
    // nothing to ask.
    EXPECT_EQ(window.HandleRequest(SWITCH_PAGE_REQUEST, 5), 1);
    EXPECT_EQ(window.CurrentPage(), nullptr);
    EXPECT_EQ(window.CurrentPageId(), 5);
    EXPECT_EQ(CursorChanges(), cursors + 2);
    EXPECT_NE(LastCursor().find("shape=\"arrow\""), std::string::npos) << LastCursor();
    EXPECT_EQ(window.HandleRequest(BACK_REQUEST, 0), 0);

    // The next page shown is made anew.
    window.ShowPage(MONITOR_PAGE_ID);
    EXPECT_EQ(window.CurrentPageId(), MONITOR_PAGE_ID);
    ASSERT_NE(window.CurrentPage(), nullptr);
    EXPECT_EQ(SelectedItem(window), ITEM_MAIN_BATTERY);
    EXPECT_EQ(CursorChanges(), cursors + 4);
}

TEST_F(MonitorWindowPagesTest, ResizeRebuildsThePageOnlyOnceTheWindowIsReady)
{
    MonitorWindow& window = Start(FALSE);
    HWND handle = window.Window();
    Page* page = window.CurrentPage();
    ASSERT_NO_FATAL_FAILURE(MarkPage(window));
    RECT place = WindowRect(handle);
    LONG height = place.bottom - place.top;
    size_t cursors = CursorChanges();

    window.ready = FALSE;
    MoveWindow(handle, place.left, place.top, 200, height, FALSE);
    ASSERT_EQ(ClientRect(handle).right, 200) << "the width did change";
    EXPECT_EQ(window.CurrentPage(), page);
    EXPECT_EQ(SelectedItem(window), ITEM_BACKUP_BATTERY);
    EXPECT_EQ(CursorChanges(), cursors);

    // The same kind of change once ready builds the page for the new shape.
    window.ready = TRUE;
    MoveWindow(handle, place.left, place.top, place.right - place.left, height, FALSE);
    EXPECT_EQ(window.CurrentPageId(), MONITOR_PAGE_ID);
    EXPECT_EQ(SelectedItem(window), ITEM_MAIN_BATTERY);
    EXPECT_EQ(CursorChanges(), cursors + 2);
}

TEST_F(MonitorWindowPagesTest, PopupModeShowsOnlyThePopupTaskPage)
{
    MonitorWindow& window = Start(TRUE);
    EXPECT_EQ(window.CurrentPageId(), POPUP_TASK_PAGE_ID);
    Page* popupPage = window.CurrentPage();
    ASSERT_NE(dynamic_cast<PopupTaskPage*>(popupPage), nullptr);

    window.ShowPage(MONITOR_PAGE_ID);
    EXPECT_EQ(window.CurrentPageId(), POPUP_TASK_PAGE_ID);
    EXPECT_EQ(window.CurrentPage(), popupPage);
    EXPECT_EQ(window.HandleRequest(SWITCH_PAGE_REQUEST, TASK_LIST_PAGE_ID), 1);
    EXPECT_EQ(window.CurrentPageId(), POPUP_TASK_PAGE_ID);
    EXPECT_EQ(window.CurrentPage(), popupPage);
    int code = -1;
    EXPECT_FALSE(platform::QuitPosted(code));
}

TEST_F(MonitorWindowPagesTest, MissingPopupSkinIsReportedAndEndsTheProgram)
{
    // One theme names a skin it does not have (the caption is the theme's
    // name, not the skin's); the other has no theme file, so no skin key.
    WriteHostFile(ProgramFile("themes/broken/broken_theme.ini"), "popupbackground=missing,0,185\r\n");
    for (const char* theme : {"broken", "nosuch"}) {
        SCOPED_TRACE(theme);
        Close();
        platform::ClearQuit();
        WriteSettings(std::string("theme=") + theme + "\r\neula=1");
        MonitorWindow& window = Create(TRUE);
        int code = -1;
        ASSERT_FALSE(platform::QuitPosted(code));
        size_t boxes = Events("msgbox").size();

        Attach();
        std::vector<std::string> shown = Events("msgbox");
        ASSERT_EQ(shown.size(), boxes + 1);
        EXPECT_NE(shown.back().find("caption=\"" + std::string(theme) + "\""), std::string::npos) << shown.back();
        EXPECT_NE(shown.back().find("text=\"Error with Quib Monitor popup skin\""), std::string::npos)
            << shown.back();
        EXPECT_TRUE(platform::QuitPosted(code));
        EXPECT_EQ(code, 0);
        EXPECT_EQ(window.PopupSkin(), nullptr);
    }
}

TEST_F(MonitorWindowPagesTest, ApplyThemeSwitchesSettingThemeAndPage)
{
    MonitorWindow& window = Start(FALSE);
    ASSERT_EQ(window.TextColour(), RGB(255, 255, 255));
    ASSERT_NE(window.Background(), nullptr);
    EXPECT_EQ(Text(window.Background()->name), u"themes\\bluewave\\bluewave.jpg");
    ASSERT_NO_FATAL_FAILURE(MarkPage(window));
    size_t cursors = CursorChanges();

    window.ApplyTheme(TEXT("simple"));
    EXPECT_EQ(Text(GetSetting(TEXT("theme"), NULL)), u"simple");
    ASSERT_NE(window.ThemeList(), nullptr);
    EXPECT_EQ(Text(window.ThemeList()->GetCell(0, 1)), u"simple");
    ASSERT_NE(window.Theme(), nullptr);
    EXPECT_EQ(Text(window.Theme()->Name()), u"simple");
    EXPECT_EQ(window.TextColour(), RGB(0, 0, 0));

    // The shipped themes stretch their one picture to the window.
    const SkinImage* background = window.Background();
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(Text(background->name), u"themes\\simple\\simple.jpg");
    RECT client = ClientRect(window.Window());
    EXPECT_EQ(background->description.bmWidth, client.right);
    EXPECT_EQ(background->description.bmHeight, client.bottom);

    // A new page, with its labels in the new colour.
    EXPECT_EQ(window.CurrentPageId(), MONITOR_PAGE_ID);
    ASSERT_NE(window.CurrentPage(), nullptr);
    EXPECT_EQ(SelectedItem(window), ITEM_MAIN_BATTERY);
    TextLabel* line = dynamic_cast<TextLabel*>(window.CurrentPage()->FindControl(kDetailLine1));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->colour, RGB(0, 0, 0));
    // The theme's own wait and arrow around the page's.
    EXPECT_EQ(CursorChanges(), cursors + 4);
    EXPECT_NE(LastCursor().find("shape=\"arrow\""), std::string::npos) << LastCursor();
}

// In popup mode the window steps aside, and the deactivation that brings
// does not end the program; the refresh message brings it back in the new
// skin's place.
TEST_F(MonitorWindowPagesTest, PopupThemeChangeKeepsTheProgramAndTakesTheNewSkin)
{
    MonitorWindow& window = Start(TRUE);
    ShowWindow(window.Window(), SW_SHOW);
    ASSERT_NE(window.PopupSkin(), nullptr);

    window.ApplyTheme(TEXT("blue"));
    EXPECT_TRUE(MonitorWindow::ThemeChanging());
    EXPECT_FALSE(IsWindowVisible(window.Window()));
    EXPECT_EQ(Text(GetSetting(TEXT("theme"), NULL)), u"blue");
    SendMessageW(window.Window(), WM_ACTIVATE, WA_INACTIVE, 0);
    int code = -1;
    EXPECT_FALSE(platform::QuitPosted(code));

    MSG message;
    while (PeekMessageW(&message, NULL, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
    EXPECT_FALSE(MonitorWindow::ThemeChanging());
    EXPECT_TRUE(IsWindowVisible(window.Window()));
    EXPECT_FALSE(platform::QuitPosted(code));
    ASSERT_NE(window.PopupSkin(), nullptr);
    EXPECT_EQ(Text(window.PopupSkin()->name), u"\\Program Files\\Quib Monitor\\themes\\blue\\blue.tga");
    SIZE size = TgaSize(ImageFile("themes/blue/blue.tga"));
    RECT place = WindowRect(window.Window());
    EXPECT_EQ(place.left, 19);
    EXPECT_EQ(place.top, 39);
    EXPECT_EQ(place.right - place.left, size.cx);
    EXPECT_EQ(place.bottom - place.top, size.cy);
}

// The popup's background is the Today screen under it, and while a theme
// change keeps the popup away that screen is put back where it was.
TEST_F(MonitorWindowPagesTest, PopupCapturesTheScreenUnderItAndPutsItBackForAThemeChange)
{
    const RECT screen = {0, 0, Device().Screen()->Width(), Device().Screen()->Height()};
    ASSERT_NO_FATAL_FAILURE(PaintScreen(screen, PatternAt));
    MonitorWindow& window = Start(TRUE);
    const RECT place = WindowRect(window.Window());
    ASSERT_GT(place.bottom - place.top, 0);
    ASSERT_LE(place.bottom, screen.bottom);

    const SkinImage* capture = window.Background();
    ASSERT_NE(capture, nullptr);
    ASSERT_NE(capture->description.bmBits, nullptr);
    ASSERT_EQ(capture->description.bmWidth, place.right - place.left);
    ASSERT_EQ(capture->description.bmHeight, place.bottom - place.top);
    int captureMismatches = 0;
    for (int y = 0; y < capture->description.bmHeight; ++y)
        for (int x = 0; x < capture->description.bmWidth; ++x)
            captureMismatches += CapturePixel(*capture, x, y) != PatternAt(place.left + x, place.top + y);
    EXPECT_EQ(captureMismatches, 0);

    // The popup is drawn over its place.
    ShowWindow(window.Window(), SW_SHOW);
    ASSERT_NO_FATAL_FAILURE(PaintScreen(place, [](int, int) { return RGB(16, 32, 48); }));
    ASSERT_GT(ScreenMismatches(place), 0);

    window.ApplyTheme(TEXT("blue"));
    ASSERT_FALSE(IsWindowVisible(window.Window()));
    EXPECT_EQ(ScreenMismatches(place), 0);
    EXPECT_EQ(ScreenMismatches(screen), 0) << "the rest of the screen is untouched";

    MSG message;
    while (PeekMessageW(&message, NULL, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
    EXPECT_FALSE(MonitorWindow::ThemeChanging());
}

// A theme that does not stretch its background has one picture per screen
// form: a rotation picks the one for the new form.
TEST_F(MonitorWindowPagesTest, RotationPicksTheUnstretchedBackgroundOfTheNewForm)
{
    WriteHostFile(ProgramFile("themes/plain/plain_theme.ini"),
                  "background_stretch=0\r\nbackground=tall\r\nbackground_landscape=wide\r\n");
    // Two sizes, so that the picture shows which file was taken.
    WriteHostFile(ProgramFile("themes/plain/tall.jpg"), ImageFile("graphics/quib.jpg"));
    WriteHostFile(ProgramFile("themes/plain/wide.jpg"), ImageFile("themes/blue/blue.jpg"));
    WriteSettings("theme=plain\r\neula=1");
    MonitorWindow& window = Start(FALSE);

    struct Form {
        const char* name;
        const char16_t* picture;
        LONG width;
    } forms[] = {
        {"portrait", u"themes\\plain\\tall.jpg", 80},
        {"landscape", u"themes\\plain\\wide.jpg", 240},
        {"portrait", u"themes\\plain\\tall.jpg", 80},
    };
    for (const Form& form : forms) {
        SCOPED_TRACE(form.name);
        // As the device turns its screen: the new size, then the window
        // moved over the new visible desktop.
        sim::DeviceProfile& profile = Device().Profile();
        int shorter = std::min(profile.screenWidth, profile.screenHeight);
        int longer = std::max(profile.screenWidth, profile.screenHeight);
        bool landscape = std::string(form.name) == "landscape";
        profile.screenWidth = landscape ? longer : shorter;
        profile.screenHeight = landscape ? shorter : longer;
        SIPINFO info = {};
        info.cbSize = sizeof(info);
        ASSERT_TRUE(SHSipInfo(SPI_GETSIPINFO, 0, &info, 0));
        const RECT& desktop = info.rcVisibleDesktop;
        MoveWindow(window.Window(), desktop.left, desktop.top, desktop.right - desktop.left,
                   desktop.bottom - desktop.top, FALSE);
        ASSERT_EQ(IsLandscape(), landscape);

        const SkinImage* background = window.Background();
        ASSERT_NE(background, nullptr);
        EXPECT_EQ(Text(background->name), form.picture);
        EXPECT_EQ(background->description.bmWidth, form.width);
        EXPECT_EQ(window.CurrentPageId(), MONITOR_PAGE_ID);
    }
}

// A VGA screen stays VGA for the rest of the process: the cases on it come
// last, after the QVGA case of the same test.
TEST_F(MonitorWindowPagesTest, PopupTakesThePlaceAndSizeOfItsSkin)
{
    struct Case {
        const char* profile;
        BOOL vga;
        const char* skin;
        LONG top;
    } cases[] = {
        {"qvga", FALSE, "bluewave.tga", 185},
        {"vga", TRUE, "bluewave_vga.tga", 370},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.profile);
        Close();
        UseProfile(c.profile);
        MonitorWindow& window = Start(TRUE);
        ASSERT_EQ(IsVgaScreen(), c.vga) << "a VGA case ran earlier in this process";

        ASSERT_NE(window.PopupSkin(), nullptr);
        std::u16string skin(c.skin, c.skin + strlen(c.skin));
        EXPECT_EQ(Text(window.PopupSkin()->name), u"\\Program Files\\Quib Monitor\\themes\\bluewave\\" + skin);
        SIZE size = TgaSize(ImageFile(std::string("themes/bluewave/") + c.skin));
        ASSERT_GT(size.cx, 0);
        RECT place = WindowRect(window.Window());
        EXPECT_EQ(place.left, 0);
        EXPECT_EQ(place.top, c.top);
        EXPECT_EQ(place.right - place.left, size.cx);
        EXPECT_EQ(place.bottom - place.top, size.cy);

        // The background is the capture of the screen under the popup.
        ASSERT_NE(window.Background(), nullptr);
        EXPECT_EQ(window.Background()->description.bmWidth, size.cx);
        EXPECT_EQ(window.Background()->description.bmHeight, size.cy);
        EXPECT_TRUE(Events("msgbox").empty());
    }
}

TEST_F(MonitorWindowPagesTest, UnstretchedBackgroundTakesTheVgaPictureAtItsOwnSize)
{
    UseProfile("vga");
    WriteHostFile(ProgramFile("themes/plain/plain_theme.ini"),
                  "background_stretch=0\r\nbackground=blue\r\nbackground_landscape=wide\r\n"
                  "textcolor=rgb:0:125:223\r\n");
    // Two sizes, so that the picture shows which file was taken.
    WriteHostFile(ProgramFile("themes/plain/blue.jpg"), ImageFile("graphics/quib.jpg"));
    WriteHostFile(ProgramFile("themes/plain/blue_vga.jpg"), ImageFile("graphics/quib_vga.jpg"));
    WriteSettings("theme=plain\r\neula=1");

    MonitorWindow& window = Start(FALSE);
    ASSERT_TRUE(IsVgaScreen());
    const SkinImage* background = window.Background();
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(Text(background->name), u"themes\\plain\\blue_vga.jpg");
    ASSERT_NE(background->bitmap, nullptr);
    // quib_vga.jpg is drawn 160 × 160, far from the window's size.
    EXPECT_EQ(background->description.bmWidth, 160);
    EXPECT_EQ(background->description.bmHeight, 160);
    EXPECT_EQ(window.TextColour(), (COLORREF)0x00DF7D00);
}

// The square flag is sticky like the VGA one, so this case comes last.
TEST_F(MonitorWindowPagesTest, SquareMainPageHasNoSectionIconsAndSmallCaptions)
{
    UseProfile("square");
    MonitorWindow& window = Start(FALSE);
    ASSERT_TRUE(IsSquareScreen());
    Page* page = window.CurrentPage();
    ASSERT_NE(page, nullptr);

    const std::vector<int> expected = {40, 1, 9, 10, 2, 3, 33, 4, 11, 12, 5, 6, 34, 7, 13,
                                       14, 8, 15, 35, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25};
    std::vector<int> ids;
    for (Control* control = page->FirstControl(); control; control = control->next)
        ids.push_back(control->id);
    EXPECT_EQ(ids, expected);

    // The section captions share the small font of the other captions.
    TextLabel* caption = dynamic_cast<TextLabel*>(page->FindControl(2));
    ASSERT_NE(caption, nullptr);
    LOGFONT font = {};
    ASSERT_EQ(GetObject(caption->font, sizeof(font), &font), (int)sizeof(font));
    EXPECT_EQ(font.lfHeight, -9);
    for (int id : {1, 4, 7}) {
        TextLabel* label = dynamic_cast<TextLabel*>(page->FindControl(id));
        ASSERT_NE(label, nullptr) << id;
        EXPECT_EQ(label->font, caption->font) << id;
    }
    // Every other picture still loads.
    for (int id : {19, 33, 34, 35, 40}) {
        ImageControl* picture = dynamic_cast<ImageControl*>(page->FindControl(id));
        ASSERT_NE(picture, nullptr) << id;
        EXPECT_NE(picture->image, nullptr) << id;
    }
}

}  // namespace
