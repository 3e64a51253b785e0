// The menu layer on the program's own bar templates: which bar a table
// picks, what each page's table puts where, the submenus of the main page
// and the targets of SetMenuText and CheckMenuCommand.
#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/monitor_page.h"
#include "app/page_menus.h"
#include "monitor_window_fixture.h"
#include "settings/ini_file.h"
#include "settings/settings_store.h"
#include "ui/menu_bar.h"

namespace {

// A menu as the log shows it: items in order, "-" a separator, a trailing
// ">" a submenu, a leading "*" a checked item.
std::u16string Describe(HMENU menu)
{
    std::u16string text;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        WCHAR buffer[128] = {};
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_TYPE | MIIM_STATE | MIIM_SUBMENU;
        info.dwTypeData = buffer;
        info.cch = 128;
        GetMenuItemInfoW(menu, (UINT)i, TRUE, &info);
        if (i > 0)
            text += u"|";
        if (info.fType & MFT_SEPARATOR) {
            text += u"-";
            continue;
        }
        if (info.fState & MFS_CHECKED)
            text += u"*";
        text += buffer;
        if (info.hSubMenu)
            text += u">";
    }
    return text;
}

std::u16string SoftKey(HWND bar, int command)
{
    WCHAR buffer[64] = {};
    TBBUTTONINFOW info = {};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_TEXT;
    info.pszText = buffer;
    info.cchText = 64;
    if (SendMessageW(bar, TB_GETBUTTONINFOW, (WPARAM)command, (LPARAM)&info) < 0)
        return u"(none)";
    return buffer;
}

class PageMenusTest : public apptest::MonitorWindowFixture {
protected:
    void SetUp() override
    {
        MonitorWindowFixture::SetUp();
        // The bars of an earlier test's window went with its device.
        *MenuBars() = MenuBarState{};
    }
    void TearDown() override
    {
        Close();
        *MenuBars() = MenuBarState{};
        MonitorWindowFixture::TearDown();
    }
    MonitorWindow& StartNormal()
    {
        MonitorWindow& window = Start(FALSE);
        ShowWindow(window_, SW_SHOW);
        SetForegroundWindow(window_);
        return window;
    }
};

TEST_F(PageMenusTest, TheTableChoosesTheBar)
{
    struct Case {
        int left, right;
        UINT bar;
    } cases[] = {
        {1, 1, MENU_BAR_TWO_PLAIN},      {1, 0, MENU_BAR_LEFT_ONLY},       {1, 6, MENU_BAR_PLAIN_AND_MENU},
        {2, 2, MENU_BAR_TWO_MENUS},      {0, 1, MENU_BAR_PLAIN_AND_MENU},  {2, 1, MENU_BAR_PLAIN_AND_MENU},
        {0, 0, MENU_BAR_PLAIN_AND_MENU}, {3, 0, MENU_BAR_PLAIN_AND_MENU},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseMenuBarTemplate(c.left, c.right), c.bar) << c.left << " left, " << c.right << " right";
}

TEST_F(PageMenusTest, EachPageTableFillsItsBar)
{
    StartNormal();
    HWND window = window_;
    struct Case {
        const char* page;
        const MenuDesc* table;
        int count;
        UINT bar;
        std::u16string left, right, rightMenu;
    } cases[] = {
        {"agreement", kAgreementMenu, AGREEMENT_MENU_COUNT, MENU_BAR_TWO_PLAIN, u"Accept", u"Decline", u"(no menu)"},
        {"task list", kTaskListPageMenu, TASK_LIST_PAGE_MENU_COUNT, MENU_BAR_PLAIN_AND_MENU, u"Memory", u"Menu",
         u"Refresh|-|Kill Task|Kill All Tasks|-|Activate Task|-|Quit"},
        {"popup tasks", kPopupTaskPageMenu, POPUP_TASK_PAGE_MENU_COUNT, MENU_BAR_PLAIN_AND_MENU, u"Done", u"Menu",
         u"Refresh|-|Backgrounds>|-|Kill Task|Kill All Tasks|-|Activate Task"},
        {"main", kMonitorPageMenu, MONITOR_PAGE_MENU_COUNT, MENU_BAR_PLAIN_AND_MENU, u"Tasks", u"Menu",
         u"Refresh|-|Backgrounds>|TodayScreen>|-|Quit"},
    };
    for (const Case& c : cases) {
        BuildMenuBar(window, c.table, c.count);
        const MenuBarState& state = *MenuBars();
        EXPECT_EQ(state.currentBar, c.bar) << c.page;
        ASSERT_NE(state.barWindow, nullptr) << c.page;
        EXPECT_TRUE(IsWindowVisible(state.barWindow)) << c.page;
        EXPECT_EQ(SoftKey(state.barWindow, LEFT_SOFT_KEY_COMMAND), c.left) << c.page;
        EXPECT_EQ(SoftKey(state.barWindow, RIGHT_SOFT_KEY_COMMAND), c.right) << c.page;
        EXPECT_EQ(state.rightMenu ? Describe(state.rightMenu) : u"(no menu)", c.rightMenu) << c.page;
        // Only the shown bar is visible; each is made once.
        for (const MenuBarRecord& record : state.bars) {
            if (record.bar)
                EXPECT_EQ(IsWindowVisible(record.bar) != FALSE, record.templateId == c.bar) << c.page;
        }
    }
    const MenuBarState& state = *MenuBars();
    EXPECT_EQ(state.bars[0].bar, state.barWindow) << "the first bar was made again";

    // A table without soft keys hides the bar and forgets it.
    const MenuDesc none[1] = {{MENU_KIND_NONE, 0, 0, 0, 0, 0}};
    HWND shown = state.barWindow;
    BuildMenuBar(window, none, 1);
    EXPECT_FALSE(IsWindowVisible(shown));
    EXPECT_EQ(MenuBars()->currentBar, 0u);
    BuildMenuBar(window, kMonitorPageMenu, MONITOR_PAGE_MENU_COUNT);
    EXPECT_TRUE(IsWindowVisible(shown));
}

TEST_F(PageMenusTest, MainPageSubmenusHoldThemesAndHighlights)
{
    MonitorWindow& monitor = StartNormal();
    const MenuBarState& state = *MenuBars();
    ASSERT_NE(state.firstSubmenu, nullptr);
    ASSERT_NE(state.secondSubmenu, nullptr);
    // Four themes in listing order, bluewave the current one.
    EXPECT_EQ(Describe(state.firstSubmenu), u"blue|*bluewave|simple|steel");
    for (int row = 1; row <= 4; ++row)
        EXPECT_EQ(GetMenuItemID(state.firstSubmenu, row - 1), (UINT)(THEME_COMMAND_BASE + row));
    EXPECT_EQ(Describe(state.secondSubmenu), u"No Hilite|Hilite 25%|*Hilite 50%|Hilite 75%|Hilite 100%");

    // The popup items answer to their submenus, not to the container ids:
    // the second keeps the text it was appended with.
    EXPECT_EQ(Describe(state.rightMenu), u"Refresh|-|Backgrounds>|TodayScreen>|-|Quit");

    // "Hilite 25%" stores 25 as text and moves the check.
    Page* page = monitor.CurrentPage();
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->OnCommand(HIGHLIGHT_COMMAND_BASE + 25));
    WCHAR stored[REG_TEXT_MAX];
    ReadRegString(SETTINGS_SUBKEY, TEXT("HomePlugHilight"), TEXT("(none)"), stored);
    EXPECT_EQ(std::u16string(stored), u"25");
    EXPECT_EQ(Describe(MenuBars()->secondSubmenu), u"No Hilite|*Hilite 25%|Hilite 50%|Hilite 75%|Hilite 100%");

    // Stored values that are none of the five check nothing anywhere.
    const WCHAR* odds[] = {TEXT("-300"), TEXT("-199"), TEXT("30"), TEXT("x")};
    for (int i = 0; i < 4; ++i) {
        const WCHAR* odd = odds[i];
        WriteRegString(SETTINGS_SUBKEY, TEXT("HomePlugHilight"), odd);
        BuildMonitorPageMenu(&monitor);
        std::u16string all = Describe(MenuBars()->rightMenu) + Describe(MenuBars()->firstSubmenu) +
                             Describe(MenuBars()->secondSubmenu);
        EXPECT_EQ(all.find(u"*Hilite"), std::u16string::npos) << "value " << i;
        EXPECT_EQ(all.find(u"*Refresh"), std::u16string::npos) << "value " << i;
        EXPECT_EQ(all.find(u"*Quit"), std::u16string::npos) << "value " << i;
    }

    // A theme command past the list is not handled.
    EXPECT_FALSE(page->OnCommand(THEME_COMMAND_BASE + 5));
}

TEST_F(PageMenusTest, ChoosingAThemeReskinsAndChecksIt)
{
    MonitorWindow& monitor = StartNormal();
    Page* page = monitor.CurrentPage();
    ASSERT_NE(page, nullptr);
    // steel is the fourth theme; the page is made anew for it.
    EXPECT_TRUE(page->OnCommand(THEME_COMMAND_BASE + 4));
    EXPECT_EQ(std::u16string(GetSetting(TEXT("theme"), TEXT(""))), u"steel");
    EXPECT_EQ(Describe(MenuBars()->firstSubmenu), u"blue|bluewave|simple|*steel");
    EXPECT_NE(monitor.CurrentPage(), nullptr);
}

TEST_F(PageMenusTest, ContextMenuLeavesTheBarAlone)
{
    StartNormal();
    const MenuBarState before = *MenuBars();
    std::u16string menu = Describe(before.rightMenu);
    BuildMenuBar(window_, kMonitorContextMenu, MONITOR_CONTEXT_MENU_COUNT);
    SetMenuText(MENU_KIND_CONTEXT, POWER_PANEL_COMMAND, TEXT("Power Settings Panel"));
    SetMenuText(MENU_KIND_CONTEXT, BACKLIGHT_PANEL_COMMAND, TEXT("Backlight Settings Panel"));
    const MenuBarState& after = *MenuBars();
    EXPECT_EQ(after.barWindow, before.barWindow);
    EXPECT_EQ(after.rightMenu, before.rightMenu);
    EXPECT_EQ(after.firstSubmenu, before.firstSubmenu);
    EXPECT_EQ(Describe(after.rightMenu), menu);
    ASSERT_NE(after.contextMenu, nullptr);
    EXPECT_EQ(Describe(after.contextMenu), u"Power Settings Panel|Backlight Settings Panel");
}

TEST_F(PageMenusTest, TextAndCheckReachTheirTargetsOnly)
{
    StartNormal();
    HWND bar = MenuBars()->barWindow;
    // Kind 1 sets only the left key; kind 2 the right key or a right menu
    // item; kind 3 never the right key.
    SetMenuText(MENU_KIND_LEFT, REFRESH_COMMAND, TEXT("wrong"));
    SetMenuText(MENU_KIND_RIGHT, REFRESH_COMMAND, TEXT("Again"));
    SetMenuText(MENU_KIND_CONTEXT, RIGHT_SOFT_KEY_COMMAND, TEXT("wrong"));
    SetMenuText(MENU_KIND_LEFT, LEFT_SOFT_KEY_COMMAND, TEXT("Left"));
    SetMenuText(MENU_KIND_RIGHT, RIGHT_SOFT_KEY_COMMAND, TEXT("Right"));
    EXPECT_EQ(SoftKey(bar, LEFT_SOFT_KEY_COMMAND), u"Left");
    EXPECT_EQ(SoftKey(bar, RIGHT_SOFT_KEY_COMMAND), u"Right");
    EXPECT_EQ(Describe(MenuBars()->rightMenu), u"Again|-|Backgrounds>|TodayScreen>|-|Quit");

    // Checks by command reach the submenus; kinds other than 2 do nothing.
    CheckMenuCommand(MENU_KIND_RIGHT, THEME_COMMAND_BASE + 1, TRUE);
    CheckMenuCommand(MENU_KIND_LEFT, QUIT_COMMAND, TRUE);
    CheckMenuCommand(MENU_KIND_CONTEXT, QUIT_COMMAND, TRUE);
    CheckMenuCommand(MENU_KIND_RIGHT, THEME_COMMAND_BASE + 2, FALSE);
    EXPECT_EQ(Describe(MenuBars()->firstSubmenu), u"*blue|bluewave|simple|steel");
    EXPECT_EQ(Describe(MenuBars()->rightMenu), u"Again|-|Backgrounds>|TodayScreen>|-|Quit");
}

}  // namespace
