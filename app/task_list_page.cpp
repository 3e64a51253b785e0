#include "app/task_list_page.h"

#include "app/monitor_window.h"
#include "app/page_menus.h"
#include "app/task_pages.h"
#include "graphics/image_paths.h"
#include "graphics/image_table.h"
#include "graphics/screen_metrics.h"
#include "settings/program_path.h"
#include "settings/string_table.h"
#include "tasks/task_list.h"
#include "ui/control_factory.h"
#include "ui/image_control.h"
#include "ui/list_control.h"
#include "ui/text_label.h"

// Control ids of the layouts.
enum {
    kClearedLabel = 2,
    kHintLabel = 3,
    kKillCaption = 4,
    kActivateCaption = 5,
    kTaskIcon = 19,
    kSeparator = 20,
    kKillButton = 21,
    kActivateButton = 22,
};

// id, kind, x, y, width, height, visible, text number, text format, group.
// The icon lies over the list and comes after it, so it is drawn on top;
// on the short screens it keeps its place against the list's lower right
// corner, where it stays inside the list instead of over the hint line.
static const ControlDesc kPortraitTaskLayout[] = {
    {TASK_LIST_CONTROL_ID, CONTROL_KIND_LIST, 0, 0, 240, 200, 1, 0, 0, 0},
    {kClearedLabel, CONTROL_KIND_TEXT_LABEL, 0, 215, 240, 12, 1, 15, LABEL_FORMAT_CENTRE, 0},
    {kTaskIcon, CONTROL_KIND_IMAGE, 136, 139, 39, 44, 1, 0, 0, 0},
    {kSeparator, CONTROL_KIND_IMAGE, 2, 205, 240, 4, 1, 0, 0, 0},
    {kKillButton, CONTROL_KIND_IMAGE, 5, 208, 51, 54, 1, 0, 0, 0},
    {kActivateButton, CONTROL_KIND_IMAGE, 185, 208, 51, 54, 1, 0, 0, 0},
    {kKillCaption, CONTROL_KIND_TEXT_LABEL, 5, 256, 230, 12, 1, 25, LABEL_FORMAT_VCENTRE, 0},
    {kActivateCaption, CONTROL_KIND_TEXT_LABEL, 5, 256, 230, 12, 1, 26, LABEL_FORMAT_RIGHT_VCENTRE, 0},
    {kHintLabel, CONTROL_KIND_TEXT_LABEL, 0, 215, 240, 12, 1, 16, LABEL_FORMAT_CENTRE, 0},
};

static const ControlDesc kLandscapeTaskLayout[] = {
    {TASK_LIST_CONTROL_ID, CONTROL_KIND_LIST, 0, 0, 320, 118, 1, 0, 0, 0},
    {kClearedLabel, CONTROL_KIND_TEXT_LABEL, 0, 144, 320, 12, 1, 15, LABEL_FORMAT_CENTRE, 0},
    {kTaskIcon, CONTROL_KIND_IMAGE, 216, 57, 39, 44, 1, 0, 0, 0},
    {kSeparator, CONTROL_KIND_IMAGE, 2, 120, 240, 4, 1, 0, 0, 0},
    {kKillButton, CONTROL_KIND_IMAGE, 5, 126, 51, 54, 1, 0, 0, 0},
    {kActivateButton, CONTROL_KIND_IMAGE, 265, 126, 51, 54, 1, 0, 0, 0},
    {kKillCaption, CONTROL_KIND_TEXT_LABEL, 5, 176, 310, 12, 1, 25, LABEL_FORMAT_VCENTRE, 0},
    {kActivateCaption, CONTROL_KIND_TEXT_LABEL, 5, 176, 310, 12, 1, 26, LABEL_FORMAT_RIGHT_VCENTRE, 0},
    {kHintLabel, CONTROL_KIND_TEXT_LABEL, 0, 144, 320, 12, 1, 16, LABEL_FORMAT_CENTRE, 0},
};

static const ControlDesc kSquareTaskLayout[] = {
    {TASK_LIST_CONTROL_ID, CONTROL_KIND_LIST, 0, 0, 240, 118, 1, 0, 0, 0},
    {kClearedLabel, CONTROL_KIND_TEXT_LABEL, 0, 144, 240, 12, 1, 15, LABEL_FORMAT_CENTRE, 0},
    {kTaskIcon, CONTROL_KIND_IMAGE, 136, 57, 39, 44, 1, 0, 0, 0},
    {kSeparator, CONTROL_KIND_IMAGE, 2, 120, 240, 4, 1, 0, 0, 0},
    {kKillButton, CONTROL_KIND_IMAGE, 5, 126, 51, 54, 1, 0, 0, 0},
    {kActivateButton, CONTROL_KIND_IMAGE, 185, 126, 51, 54, 1, 0, 0, 0},
    {kKillCaption, CONTROL_KIND_TEXT_LABEL, 5, 176, 230, 12, 1, 25, LABEL_FORMAT_VCENTRE, 0},
    {kActivateCaption, CONTROL_KIND_TEXT_LABEL, 5, 176, 230, 12, 1, 26, LABEL_FORMAT_RIGHT_VCENTRE, 0},
    {kHintLabel, CONTROL_KIND_TEXT_LABEL, 0, 144, 240, 12, 1, 16, LABEL_FORMAT_CENTRE, 0},
};

#define TASK_LAYOUT_COUNT 9

static TaskListPage* s_instance = NULL;

TaskListPage* TaskListPage::Create(SkinWindow* window)
{
    if (s_instance == NULL)
        s_instance = new TaskListPage(window);
    return s_instance;
}

TaskListPage::TaskListPage(SkinWindow* window)
    : Page(window),
      m_tasks(NULL)
{
    CreateControls();
    ImageControl* icon = (ImageControl*)FindControl(kTaskIcon);
    if (icon)
        icon->SetImage(TEXT("tasks.png"), TRUE, FALSE);
    SetImage(kKillButton, TEXT("kill"));
    SetImage(kActivateButton, TEXT("start"));
    TextLabel* cleared = (TextLabel*)FindControl(kClearedLabel);
    if (cleared)
        cleared->SetText(NULL);
    StyleLabel(kKillCaption);
    StyleLabel(kActivateCaption);
}

TaskListPage::~TaskListPage()
{
    delete m_tasks;
    m_tasks = NULL;
    s_instance = NULL;
}

void TaskListPage::CreateControls()
{
    if (IsLandscape())
        CreateControlsFromTable(this, kLandscapeTaskLayout, TASK_LAYOUT_COUNT);
    else if (IsSquareScreen())
        CreateControlsFromTable(this, kSquareTaskLayout, TASK_LAYOUT_COUNT);
    else
        CreateControlsFromTable(this, kPortraitTaskLayout, TASK_LAYOUT_COUNT);
    StyleTaskList(List());
    StyleLabel(kClearedLabel);
    StyleLabel(kHintLabel);
    SetImage(kSeparator, IsLandscape() ? TEXT("bar_land") : TEXT("bar"));
}

// The captions take the theme's text colour as it is when the page is built.
void TaskListPage::StyleLabel(int id)
{
    TextLabel* label = (TextLabel*)FindControl(id);
    if (label == NULL)
        return;
    label->useThemeColour = FALSE;
    label->colour = Window()->TextColour();
}

void TaskListPage::SetImage(int id, const WCHAR* baseName)
{
    ImageControl* control = (ImageControl*)FindControl(id);
    if (control == NULL)
        return;
    WCHAR path[MAX_PATH];
    ReleaseImage(control->image, FALSE);
    control->image = NULL;
    if (ProgramPath(path, Window()->ProgramDirectory(), GraphicsTgaPath(baseName)))
        control->image = GetTgaImage(path);
}

ListControl* TaskListPage::List() const
{
    return (ListControl*)FindControl(TASK_LIST_CONTROL_ID);
}

void TaskListPage::RefreshList()
{
    RefreshTaskList(&m_tasks, 2, List());
}

void TaskListPage::Show(BOOL shown, BOOL focusFirst)
{
    Page::Show(shown, focusFirst);
    if (!shown)
        return;
    BuildMenuBar(Window()->Window(), kTaskListPageMenu, TASK_LIST_PAGE_MENU_COUNT);
    RefreshList();
}

BOOL TaskListPage::OnControlAction(Control* control)
{
    if (control == NULL || control->id != TASK_LIST_CONTROL_ID)
        return FALSE;
    PerformTaskAction(m_tasks, TASK_ACTION_ACTIVATE);
    RefreshList();
    return TRUE;
}

void TaskListPage::OnActivate(BOOL active)
{
    Page::OnActivate(active);
    if (active)
        RefreshList();
}

BOOL TaskListPage::OnCommand(WPARAM commandId)
{
    switch ((int)LOWORD(commandId)) {
    case LEFT_SOFT_KEY_COMMAND:
        // Deletes this page: nothing of it may be touched afterwards.
        Window()->HandleRequest(SWITCH_PAGE_REQUEST, MONITOR_PAGE_ID);
        return TRUE;
    case TASK_REFRESH_COMMAND:
        RefreshList();
        return TRUE;
    case KILL_TASK_COMMAND:
        if (m_tasks)
            PerformTaskAction(m_tasks, TASK_ACTION_END);
        RefreshList();
        return TRUE;
    case ACTIVATE_TASK_COMMAND:
        if (m_tasks)
            PerformTaskAction(m_tasks, TASK_ACTION_ACTIVATE);
        RefreshList();
        return TRUE;
    case KILL_ALL_TASKS_COMMAND: {
        if (m_tasks)
            CloseAllTasks(m_tasks);
        SetCursor(LoadCursorW(NULL, IDC_ARROW));
        HWND window = Window()->Window();
        InvalidateRect(window, NULL, TRUE);
        UpdateWindow(window);
        RefreshList();
        return TRUE;
    }
    case TASK_QUIT_COMMAND:
        PostQuitMessage(0);
        return TRUE;
    }
    return FALSE;
}

void TaskListPage::OnControlStylus(UINT message, WPARAM, LPARAM, Control* control)
{
    if (message != WM_LBUTTONUP || control == NULL)
        return;
    if (control->id == kKillButton)
        OnCommand(KILL_TASK_COMMAND);
    else if (control->id == kActivateButton)
        OnCommand(ACTIVATE_TASK_COMMAND);
}

BOOL TaskListPage::OnStylus(UINT message, WPARAM keys, LPARAM point)
{
    if (OpenTaskMenuOnHold(this, message, point))
        return TRUE;
    return Page::OnStylus(message, keys, point);
}
