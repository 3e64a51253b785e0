#include "app/popup_task_page.h"

#include "app/monitor_window.h"
#include "app/page_menus.h"
#include "app/task_pages.h"
#include "graphics/compositing.h"
#include "graphics/screen_metrics.h"
#include "graphics/shared_resources.h"
#include "graphics/skin_font.h"
#include "graphics/skin_image.h"
#include "graphics/theme_file.h"
#include "settings/string_table.h"
#include "tasks/task_list.h"
#include "ui/control_factory.h"
#include "ui/list_control.h"

// Point sizes outside this range come from a damaged theme entry.
#define POPUP_FONT_SIZE_MIN 1
#define POPUP_FONT_SIZE_MAX 72

// Marks a colour the theme entry did not give.
#define NO_THEME_COLOUR 0xFFFFFFFF

static const ControlDesc kPortraitPopupLayout[] = {
    {TASK_LIST_CONTROL_ID, CONTROL_KIND_LIST, 0, 20, 240, 100, 1, 0, 0, 0},
};
static const ControlDesc kLandscapePopupLayout[] = {
    {TASK_LIST_CONTROL_ID, CONTROL_KIND_LIST, 0, 20, 320, 100, 1, 0, 0, 0},
};
static const ControlDesc kSquarePopupLayout[] = {
    {TASK_LIST_CONTROL_ID, CONTROL_KIND_LIST, 0, 0, 240, 118, 1, 0, 0, 0},
};

static PopupTaskPage* s_instance = NULL;

PopupTaskPage* PopupTaskPage::Create(SkinWindow* window)
{
    if (s_instance == NULL)
        s_instance = new PopupTaskPage(window);
    return s_instance;
}

PopupTaskPage::PopupTaskPage(SkinWindow* window)
    : Page(window),
      m_tasks(NULL),
      m_font(NULL)
{
    CreateControls();
}

PopupTaskPage::~PopupTaskPage()
{
    delete m_tasks;
    m_tasks = NULL;
    // The controls go with the base destructor; the list only borrows the
    // font and never draws again.
    if (m_font)
        DeleteObject(m_font);
    s_instance = NULL;
}

static const ControlDesc* PopupLayout()
{
    if (IsLandscape())
        return kLandscapePopupLayout;
    if (IsSquareScreen())
        return kSquarePopupLayout;
    return kPortraitPopupLayout;
}

void PopupTaskPage::CreateControls()
{
    CreateControlsFromTable(this, PopupLayout(), 1);
    ListControl* list = List();
    if (list == NULL)
        return;
    StyleTaskList(list);
    ApplyThemeStyle(list);
}

// The entry's rectangle, kept within the window; an entry that leaves no
// room keeps the layout's rectangle, so the list stays on screen.
static void PlaceList(ListControl* list, const PopupTaskListStyle& style, HWND window)
{
    const ScreenMetrics& metrics = GetScreenMetrics();
    RECT client;
    GetClientRect(window, &client);
    RECT place;
    place.left = (int)(style.left * metrics.scaleX);
    place.top = (int)(style.top * metrics.scaleY);
    place.right = place.left + (int)(style.width * metrics.scaleX);
    place.bottom = place.top + (int)(style.height * metrics.scaleY);
    if (client.right > 0 && client.bottom > 0) {
        RECT kept;
        if (!IntersectRect(&kept, &place, &client))
            return;
        place = kept;
    }
    if (place.right <= place.left || place.bottom <= place.top)
        return;
    list->SetBounds(&place, FALSE);
}

void PopupTaskPage::ApplyThemeStyle(ListControl* list)
{
    const ThemeFile* theme = ((MonitorWindow*)m_window)->Theme();
    const WCHAR* value = theme ? theme->Text(TEXT("popup_tasklist"), VariantSuffix()) : NULL;
    if (value == NULL)
        return;
    // Fields the entry leaves out keep the layout's rectangle, opaque
    // drawing and the list's own font and colours.
    const ControlDesc* layout = PopupLayout();
    PopupTaskListStyle style;
    style.left = layout->x;
    style.top = layout->y;
    style.width = layout->width;
    style.height = layout->height;
    style.transparent = 0;
    style.fontSize = 0;
    style.weight = FW_NORMAL;
    style.textColour = NO_THEME_COLOUR;
    style.selectedTextColour = NO_THEME_COLOUR;
    ParsePopupTaskList(value, &style);

    PlaceList(list, style, m_window->Window());
    if (style.transparent != 0) {
        list->opaque = FALSE;
        list->fastRedraw = FALSE;
    }
    if (style.fontSize >= POPUP_FONT_SIZE_MIN && style.fontSize <= POPUP_FONT_SIZE_MAX) {
        m_font = CreateSkinFont(SharedImageDc(), style.fontSize, style.weight);
        if (m_font)
            list->font = m_font;
    }
    if (style.textColour != NO_THEME_COLOUR) {
        list->textColour = style.textColour;
        list->highlightColour = style.textColour;
    }
    if (style.selectedTextColour != NO_THEME_COLOUR)
        list->highlightTextColour = style.selectedTextColour;
}

ListControl* PopupTaskPage::List() const
{
    return (ListControl*)FindControl(TASK_LIST_CONTROL_ID);
}

void PopupTaskPage::RefreshList()
{
    RefreshTaskList(&m_tasks, 1, List());
}

void PopupTaskPage::InstallMenu()
{
    MonitorWindow* window = (MonitorWindow*)m_window;
    BuildMenuBar(window->Window(), kPopupTaskPageMenu, POPUP_TASK_PAGE_MENU_COUNT);
    FillThemeSubmenu(window);
}

void PopupTaskPage::Show(BOOL shown, BOOL focusFirst)
{
    Page::Show(shown, focusFirst);
    if (!shown)
        return;
    InstallMenu();
    RefreshList();
}

void PopupTaskPage::Draw(HDC dc, const PAINTSTRUCT* paint)
{
    const SkinImage* skin = ((MonitorWindow*)m_window)->PopupSkin();
    if (skin && skin->alphaImage)
        DrawAlphaImage(dc, skin->alphaImage, 0, 0);
    Page::Draw(dc, paint);
}

BOOL PopupTaskPage::OnControlAction(Control* control)
{
    if (control == NULL || control->id != TASK_LIST_CONTROL_ID)
        return FALSE;
    if (m_tasks)
        PerformTaskAction(m_tasks, TASK_ACTION_ACTIVATE);
    return TRUE;
}

void PopupTaskPage::OnActivate(BOOL active)
{
    Page::OnActivate(active);
    if (active)
        RefreshList();
}

BOOL PopupTaskPage::OnCommand(WPARAM commandId)
{
    MonitorWindow* window = (MonitorWindow*)m_window;
    int command = (int)LOWORD(commandId);
    if (command > THEME_COMMAND_BASE) {
        if (!window->ApplyThemeRow(command - THEME_COMMAND_BASE))
            return FALSE;
        InstallMenu();
        return TRUE;
    }
    switch (command) {
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
    case KILL_ALL_TASKS_COMMAND:
        if (m_tasks)
            CloseAllTasks(m_tasks);
        InvalidateRect(window->Window(), NULL, TRUE);
        UpdateWindow(window->Window());
        RefreshList();
        return TRUE;
    case LEFT_SOFT_KEY_COMMAND:
        PostQuitMessage(0);
        return TRUE;
    }
    return FALSE;
}

BOOL PopupTaskPage::OnStylus(UINT message, WPARAM keys, LPARAM point)
{
    if (OpenTaskMenuOnHold(this, message, point))
        return TRUE;
    // Without capture, a press outside every control belongs to the skin.
    if (StylusCapture() == NULL && HitTestControl((short)LOWORD(point), (short)HIWORD(point), TRUE) == NULL)
        return TRUE;
    return Page::OnStylus(message, keys, point);
}
