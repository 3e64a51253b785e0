#include "today/item_window.h"

#include "graphics/screen_metrics.h"

#define MENU_START_QUIB_MONITOR 1
#define MENU_SWITCH_ROWS 4

// Set while TrackPopupMenuEx runs for the item's menu; the item may be
// destroyed inside it.
static BOOL s_menuOpen = FALSE;
static BOOL s_menuOrphaned = FALSE;

LRESULT OnItemStylusDown(HWND window)
{
    TodayLibrary& library = Library();
    if (!library.selected) {
        PostMessageW(GetParent(window), TODAYM_TOOKSELECTION, (WPARAM)window, 0);
        InvalidateRect(window, NULL, FALSE);
    }
    library.selected = TRUE;
    return 1;
}

void ForgetOpenMenu(TodayItem* item)
{
    if (!s_menuOpen)
        return;
    item->menu = NULL;
    s_menuOrphaned = TRUE;
}

static BOOL Inside(const RECT& rect, int x, int y)
{
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

// The menu opens below zone C, in the parent's coordinates.
static LRESULT ShowItemMenu(TodayItem* item, HWND window, RECT zone)
{
    const ScreenMetrics& metrics = GetScreenMetrics();
    MapWindowPoints(window, GetParent(window), (POINT*)&zone, 2);
    if (item->menu)
        DestroyMenu(item->menu);
    item->menu = CreatePopupMenu();
    if (item->menu == NULL) {
        StartQuibMonitor(item, FALSE);
        return 1;
    }
    AppendMenuW(item->menu, MF_STRING, MENU_START_QUIB_MONITOR, TEXT("Start Quib Monitor"));
    AppendMenuW(item->menu, MF_SEPARATOR, 0, NULL);
    AppendMenuW(item->menu, MF_STRING, MENU_SWITCH_ROWS,
        item->rowMode == ROW_MODE_SINGLE ? TEXT("Double Row") : TEXT("Single Row"));

    HMENU menu = item->menu;
    s_menuOpen = TRUE;
    s_menuOrphaned = FALSE;
    int command = TrackPopupMenuEx(menu, TPM_RETURNCMD, zone.left, zone.bottom + (int)(30 * metrics.scaleY), window,
        NULL);
    s_menuOpen = FALSE;
    if (s_menuOrphaned) {
        // The item went while the menu was up: nothing is left to act on.
        DestroyMenu(menu);
        return 1;
    }
    if (command == MENU_START_QUIB_MONITOR)
        StartQuibMonitor(item, FALSE);
    else if (command == MENU_SWITCH_ROWS)
        SwitchRowMode(item);
    return 1;
}

LRESULT OnItemStylusUp(TodayItem* item, HWND window, LPARAM point)
{
    if (item == NULL)
        return 0;
    const ScreenMetrics& metrics = GetScreenMetrics();
    int x = (int)(short)LOWORD(point);
    int y = (int)(short)HIWORD(point);
    int sx22 = (int)(22 * metrics.scaleX);
    int sx23 = (int)(23 * metrics.scaleX);
    int sx25 = (int)(25 * metrics.scaleX);
    RECT client;
    GetClientRect(window, &client);

    RECT zoneA = { client.right - sx22, client.top, client.right, client.bottom };
    if (item->displayMode == DISPLAY_RUNNING_TASKS && Inside(zoneA, x, y))
        return HandleItemKey(item, ITEM_KEY_ACTION);
    RECT zoneB = { client.left + sx25, client.top, client.right - sx25, client.bottom };
    if (Inside(zoneB, x, y))
        return HandleItemKey(item, ITEM_KEY_RIGHT);
    RECT zoneC = { client.left, client.top + (int)(5 * metrics.scaleY), client.left + sx23,
        client.top + (int)(30 * metrics.scaleY) };
    if (Inside(zoneC, x, y))
        return ShowItemMenu(item, window, zoneC);
    return 0;
}
