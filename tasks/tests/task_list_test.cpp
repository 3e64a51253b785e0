// The task list built from the windows of an in-process device, and the
// actions that need no other process.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "device_fixture.h"
#include "tasks/task_list.h"

namespace {

const WCHAR kClass[] = TEXT("TaskListTestWindow");

class TaskListTest : public testsupport::DeviceFixture {
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(NULL);
        wc.lpszClassName = kClass;
        RegisterClassW(&wc);
    }

    HWND Window(const std::u16string& title, DWORD style = WS_VISIBLE, HWND parent = NULL)
    {
        HWND hwnd = CreateWindowExW(0, kClass, title.c_str(), style | (parent ? WS_CHILD : 0), 0, 0, 50, 50, parent,
                                    NULL, GetModuleHandleW(NULL), NULL);
        EXPECT_NE(hwnd, (HWND)NULL) << std::string(title.begin(), title.end());
        return hwnd;
    }

    static std::vector<std::u16string> Titles(const StringTable& table)
    {
        std::vector<std::u16string> titles;
        for (int row = 1; row <= table.rowCount; ++row)
            titles.push_back(table.GetCell(row, 1));
        return titles;
    }
};

TEST_F(TaskListTest, ListsTitledVisibleTopLevelWindowsTopmostFirst)
{
    const std::u16string longTitle(200, u'x');
    const std::u16string title64(64, u'y');
    Window(u"Memo");
    HWND hidden = Window(u"Hidden", 0);
    Window(u"Child", WS_VISIBLE, Window(u"Notes"));
    Window(u"");
    for (const WCHAR* const* title = kShellWindowTitles; *title; ++title)
        Window(*title);
    for (const WCHAR* const* title = kNonTaskTitles; *title; ++title)
        Window(*title);
    Window(u"start");
    Window(u"Programs ");
    Window(longTitle);
    Window(title64);
    Window(u"Caf\u00e9 \u65e5\u672c");
    Window(u"Memo");

    StringTable table(2);
    table.currentRow = 1;
    EXPECT_EQ(EnumerateTaskWindows(&table, kShellWindowTitles), 14)
        << "the program's own and the shell's folders are only taken out by the build";
    table.Clear();

    BuildTaskList(&table);
    const std::vector<std::u16string> expected = {
        u"Memo", u"Caf\u00e9 \u65e5\u672c", title64.substr(0, 63), longTitle.substr(0, 63),
        u"Programs ", u"start", u"Notes", u"Memo",
    };
    EXPECT_EQ(Titles(table), expected);
    EXPECT_TRUE(IsWindow(hidden));

    // A shorter exclusion list is a parameter, not another walk.
    const WCHAR* const onlyTray[] = {TEXT("Tray"), NULL};
    StringTable fewer(1);
    BuildTaskList(&fewer, onlyTray);
    std::vector<std::u16string> titles = Titles(fewer);
    for (const char* shown : {"Desktop", "MS_SIPBUTTON", "Start", "ActiveSync"}) {
        std::u16string title(shown, shown + strlen(shown));
        EXPECT_NE(std::find(titles.begin(), titles.end(), title), titles.end()) << shown;
    }
    EXPECT_EQ(std::find(titles.begin(), titles.end(), u"Tray"), titles.end());
    EXPECT_EQ(std::find(titles.begin(), titles.end(), u"Quib Monitor"), titles.end());
}

TEST_F(TaskListTest, RemovalLowersTheCurrentRowPastTheEnd)
{
    Window(u"Kept");
    Window(u"Quib Monitor Tasks");
    Window(u"Quib Monitor");
    StringTable table(1);
    table.currentRow = 3;
    BuildTaskList(&table);
    ASSERT_EQ(Titles(table), std::vector<std::u16string>{u"Kept"});
    EXPECT_EQ(table.currentRow, 1);
}

TEST_F(TaskListTest, ActivateFindsTheWindowAgainByItsTitle)
{
    HWND memo = Window(u"Memo");
    HWND longOne = Window(std::u16string(80, u'z'));
    HWND notes = Window(u"Notes");
    SetForegroundWindow(notes);
    StringTable table(2);
    BuildTaskList(&table);
    ASSERT_EQ(table.rowCount, 3);

    struct Case {
        int row;
        int action;
        HWND activeAfter;
        const char* why;
    } cases[] = {
        {3, TASK_ACTION_ACTIVATE, memo, "the last row"},
        {3, 99, memo, "no action code"},
        {3, 100, memo, "no action code"},
        {0, TASK_ACTION_ACTIVATE, memo, "no current row"},
        {9, TASK_ACTION_ACTIVATE, memo, "a row out of range"},
        {2, TASK_ACTION_ACTIVATE, memo, "a cut title matches no window"},
        {1, TASK_ACTION_ACTIVATE, notes, "the first row"},
    };
    for (const Case& c : cases) {
        table.currentRow = c.row;
        PerformTaskAction(&table, c.action);
        EXPECT_EQ(GetActiveWindow(), c.activeAfter) << c.why;
    }
    EXPECT_TRUE(IsWindow(longOne));
}

TEST_F(TaskListTest, CloseAllWithAnEmptyListOnlyAsksTheShell)
{
    StringTable table(1);
    CloseAllTasks(&table);
    EXPECT_EQ(Events("closeapps"), std::vector<std::string>{"closeapps bytes=999999"});
    EXPECT_EQ(table.rowCount, 0);
}

}  // namespace
