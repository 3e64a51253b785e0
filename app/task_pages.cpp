#include "app/task_pages.h"

#include <aygshell.h>

#include "settings/string_table.h"
#include "tasks/task_list.h"
#include "ui/list_control.h"
#include "ui/menu_bar.h"
#include "ui/page.h"
#include "ui/skin_window.h"

void StyleTaskList(ListControl* list)
{
    if (list == NULL)
        return;
    list->frame = FALSE;
    list->focusFrame = FALSE;
}

void RefreshTaskList(StringTable** table, int columnCount, ListControl* list)
{
    if (*table == NULL)
        *table = new StringTable(columnCount);
    else
        (*table)->Clear();
    BuildTaskList(*table);
    (*table)->currentRow = 1;
    if (list == NULL)
        return;
    list->topIndex = 0;
    list->SetData(*table);
    list->displayColumn = 1;
    list->Invalidate();
}

BOOL OpenTaskMenuOnHold(Page* page, UINT message, LPARAM point)
{
    // The recogniser follows the stylus from the press until it is held or
    // lifted, so only a press starts it.
    if (message != WM_LBUTTONDOWN)
        return FALSE;
    int x = (short)LOWORD(point);
    int y = (short)HIWORD(point);
    Control* hit = page->HitTestControl(x, y, TRUE);
    if (hit == NULL || hit->id != TASK_LIST_CONTROL_ID)
        return FALSE;
    HWND window = page->Window()->Window();
    SHRGINFO gesture;
    ZeroMemory(&gesture, sizeof(gesture));
    gesture.cbSize = sizeof(gesture);
    gesture.hwndClient = window;
    gesture.ptDown.x = x;
    gesture.ptDown.y = y;
    gesture.dwFlags = SHRG_RETURNCMD;
    if (SHRecognizeGesture(&gesture) != GN_CONTEXTMENU)
        return FALSE;
    POINT screen = {x, y};
    MapWindowPoints(window, NULL, &screen, 1);
    HMENU menu = MenuBars()->rightMenu;
    if (menu)
        TrackPopupMenuEx(menu, 0, screen.x, screen.y, window, NULL);
    return TRUE;
}
