// The task list page and the popup task list on a real window: their
// layouts, the popup's theme entry, and the commands that need no other
// process.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "app/monitor_window.h"
#include "app/page_menus.h"
#include "app/popup_task_page.h"
#include "app/task_list_page.h"
#include "graphics/skin_image.h"
#include "graphics/theme_file.h"
#include "monitor_window_fixture.h"
#include "quit_message.h"
#include "settings/string_table.h"
#include "ui/image_control.h"
#include "ui/list_control.h"
#include "ui/menu_bar.h"
#include "ui/text_label.h"

namespace {

using apptest::ClientRect;
using testsupport::ProgramFile;

const WCHAR kTaskClass[] = TEXT("TaskPagesTestTask");

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Describe(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

class TaskPagesTest : public apptest::MonitorWindowFixture {
protected:
    void SetUp() override
    {
        MonitorWindowFixture::SetUp();
        *MenuBars() = MenuBarState{};
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.lpszClassName = kTaskClass;
        RegisterClassW(&wc);
    }
    void TearDown() override
    {
        platform::ClearQuit();
        MonitorWindowFixture::TearDown();
    }

    // The shipped bluewave theme with its "popup_tasklist" line replaced;
    // NULL removes it.
    void SetPopupEntry(const char* value)
    {
        std::string text = apptest::ImageFile("themes/bluewave/bluewave_theme.ini");
        text = std::regex_replace(text, std::regex("popup_tasklist=[^\r\n]*"),
                                  value ? std::string("popup_tasklist=") + value : std::string("; none"));
        WriteHostFile(ProgramFile("themes/bluewave/bluewave_theme.ini"), text);
    }

    static ListControl* ListOf(MonitorWindow& window)
    {
        Page* page = window.CurrentPage();
        return page ? dynamic_cast<ListControl*>(page->FindControl(1)) : nullptr;
    }

    static HWND Task(const WCHAR* title)
    {
        return CreateWindowExW(0, kTaskClass, title, WS_VISIBLE, 0, 0, 20, 20, NULL, NULL, NULL, NULL);
    }
};

TEST_F(TaskPagesTest, PopupListFollowsTheThemeEntry)
{
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    struct Case {
        const char* entry;
        RECT place;  // before clipping to the window
        BOOL opaque;
        int weight;  // 0: the list's default font
        COLORREF text, bar, selected;
    } cases[] = {
        {"6,23,186,190,1,8,bold,rgb:0:0:0,rgb:255:255:255", {6, 23, 192, 213}, FALSE, FW_BOLD, 0, 0, RGB(255, 255, 255)},
        {"6,43,229,70,0,7,normal,rgb:255:0:0,rgb:0:0:255", {6, 43, 235, 113}, TRUE, FW_NORMAL, RGB(255, 0, 0),
         RGB(255, 0, 0), RGB(0, 0, 255)},
        // Missing fields keep the layout's size, opaque drawing, the
        // default font and the platform's highlight.
        {"10,30", {10, 30, 250, 130}, TRUE, 0, 0, highlight, highlightText},
        {"", {0, 20, 240, 120}, TRUE, 0, 0, highlight, highlightText},
        // Negative or huge figures and extra fields never take the list
        // off the window.
        {"-50,-20,100000,100000,1,100000,bold,rgb:1:2:3,rgb:4:5:6,9,9", {0, 0, 100000, 100000}, FALSE, 0,
         RGB(1, 2, 3), RGB(1, 2, 3), RGB(4, 5, 6)},
        {"20,30,-10,-10,1,-8,bold", {0, 20, 240, 120}, FALSE, 0, 0, highlight, highlightText},
        {"5000,5000,20,20", {0, 20, 240, 120}, TRUE, 0, 0, highlight, highlightText},
        {NULL, {0, 20, 240, 120}, TRUE, 0, 0, highlight, highlightText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry ? c.entry : "no entry");
        SetPopupEntry(c.entry);
        MonitorWindow& window = Start(TRUE);
        ListControl* list = ListOf(window);
        ASSERT_NE(list, nullptr);
        RECT client = ClientRect(window_);
        RECT expected;
        IntersectRect(&expected, &c.place, &client);
        if (expected.right <= expected.left || expected.bottom <= expected.top)
            IntersectRect(&expected, &cases[3].place, &client);
        EXPECT_TRUE(SameRect(list->rect, expected)) << Describe(list->rect) << " for " << Describe(expected);
        EXPECT_EQ(list->opaque, c.opaque);
        EXPECT_EQ(list->fastRedraw, c.opaque) << "a transparent list redraws through the page";
        if (c.weight == 0) {
            EXPECT_EQ(list->font, (HFONT)NULL);
        } else {
            LOGFONTW font = {};
            ASSERT_NE(GetObjectW(list->font, sizeof(font), &font), 0);
            EXPECT_EQ(font.lfWeight, c.weight);
        }
        EXPECT_EQ(list->textColour, c.text);
        EXPECT_EQ(list->highlightColour, c.bar);
        EXPECT_EQ(list->highlightTextColour, c.selected);
        Close();
    }
}

TEST_F(TaskPagesTest, TaskListPageLayoutAndCommandsOnAnEmptyList)
{
    MonitorWindow& window = Start(FALSE);
    window.ShowPage(TASK_LIST_PAGE_ID);
    TaskListPage* page = dynamic_cast<TaskListPage*>(window.CurrentPage());
    ASSERT_NE(page, nullptr);
    ASSERT_NE(page->Tasks(), nullptr);
    EXPECT_EQ(page->Tasks()->rowCount, 0) << "the program's own window is no task";
    EXPECT_NE(MenuBars()->currentBar, 0u) << "the page's soft keys";

    for (int id : {2, 3, 4, 5}) {
        TextLabel* label = dynamic_cast<TextLabel*>(page->FindControl(id));
        ASSERT_NE(label, nullptr) << id;
        EXPECT_FALSE(label->useThemeColour) << id;
        EXPECT_EQ(label->colour, window.TextColour()) << id;
    }
    EXPECT_EQ(((TextLabel*)page->FindControl(2))->textLength, 0) << "the first caption is cleared";
    for (int id : {19, 20, 21, 22})
        EXPECT_NE(((ImageControl*)page->FindControl(id))->image, nullptr) << id;
    EXPECT_TRUE(((ImageControl*)page->FindControl(19))->split);

    for (int command : {TASK_REFRESH_COMMAND, KILL_TASK_COMMAND, ACTIVATE_TASK_COMMAND, KILL_ALL_TASKS_COMMAND}) {
        EXPECT_TRUE(page->OnCommand(command)) << command;
        EXPECT_EQ(page->Tasks()->rowCount, 0) << command;
    }
    EXPECT_EQ(Events("closeapps").size(), 1u);
    EXPECT_FALSE(page->OnCommand(106));
    int code = -1;
    EXPECT_FALSE(platform::QuitPosted(code));

    EXPECT_TRUE(page->OnCommand(LEFT_SOFT_KEY_COMMAND));
    EXPECT_EQ(window.CurrentPageId(), MONITOR_PAGE_ID);
}

TEST_F(TaskPagesTest, TaskListPageButtonsActOnTheSelectedTask)
{
    HWND memo = Task(TEXT("Memo"));
    HWND notes = Task(TEXT("Notes"));
    MonitorWindow& window = Start(FALSE);
    SetForegroundWindow(window_);
    window.ShowPage(TASK_LIST_PAGE_ID);
    TaskListPage* page = dynamic_cast<TaskListPage*>(window.CurrentPage());
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->Tasks()->rowCount, 2);
    EXPECT_EQ(std::u16string(page->Tasks()->GetCell(1, 1)), u"Notes") << "topmost first";

    // Pen-down alone does nothing; pen-up over the activate button brings
    // the selected task to the front and rebuilds the list from row 1.
    ListControl* list = ListOf(window);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->data, page->Tasks());
    Control* activate = page->FindControl(22);
    list->data->currentRow = 2;
    page->OnControlStylus(WM_LBUTTONDOWN, 0, 0, activate);
    EXPECT_EQ(GetActiveWindow(), window_);
    page->OnControlStylus(WM_LBUTTONUP, 0, 0, activate);
    EXPECT_EQ(GetActiveWindow(), memo);
    EXPECT_EQ(page->Tasks()->currentRow, 1);
    EXPECT_EQ(std::u16string(page->Tasks()->GetCell(1, 1)), u"Memo");

    // The action key on the list does the same.
    list->data->currentRow = 2;
    EXPECT_TRUE(page->OnControlAction(list));
    EXPECT_EQ(GetActiveWindow(), notes);
    EXPECT_FALSE(page->OnControlAction(page->FindControl(21)));

    page->OnCommand(TASK_QUIT_COMMAND);
    int code = -1;
    EXPECT_TRUE(platform::QuitPosted(code));
    EXPECT_EQ(code, 0);
}

TEST_F(TaskPagesTest, PopupCommandsAndTapsOnTheSkin)
{
    MonitorWindow& window = Start(TRUE);
    PopupTaskPage* page = dynamic_cast<PopupTaskPage*>(window.CurrentPage());
    ASSERT_NE(page, nullptr);
    ASSERT_NE(window.ThemeList(), nullptr);
    int themes = window.ThemeList()->rowCount;
    EXPECT_FALSE(page->OnCommand(THEME_COMMAND_BASE + themes + 1)) << "no such theme";
    EXPECT_FALSE(page->OnCommand(THEME_COMMAND_BASE));
    EXPECT_FALSE(page->OnCommand(106));

    // A press on the skin outside the list is taken and changes nothing.
    ListControl* list = ListOf(window);
    ASSERT_NE(list, nullptr);
    RECT client = ClientRect(window_);
    LPARAM below = MAKELPARAM(2, client.bottom - 2);
    ASSERT_GE(client.bottom - 2, list->rect.bottom);
    Control* focused = page->FocusedControl();
    EXPECT_TRUE(page->OnStylus(WM_LBUTTONDOWN, 0, below));
    EXPECT_TRUE(page->OnStylus(WM_LBUTTONUP, 0, below));
    EXPECT_EQ(page->FocusedControl(), focused);

    int code = -1;
    EXPECT_FALSE(platform::QuitPosted(code));
    EXPECT_TRUE(page->OnCommand(LEFT_SOFT_KEY_COMMAND));
    EXPECT_TRUE(platform::QuitPosted(code));
    EXPECT_EQ(code, 0);
}

}  // namespace
