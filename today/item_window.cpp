#include "today/item_window.h"

#include "graphics/screen_metrics.h"

// Never painted with: the background is erased by the frame itself.
#define ITEM_BACKGROUND_BRUSH ((HBRUSH)0x40000001)

static void RegisterItemClass(HINSTANCE instance)
{
    UnregisterClassW(ITEM_CLASS_NAME, instance);
    WNDCLASSW windowClass;
    memset(&windowClass, 0, sizeof(windowClass));
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = ItemWindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = ITEM_BACKGROUND_BRUSH;
    windowClass.lpszClassName = ITEM_CLASS_NAME;
    RegisterClassW(&windowClass);
}

HWND InitializeCustomItem(TODAYLISTITEM* record, HWND parent)
{
    if (record == NULL || !record->fEnabled)
        return NULL;
    TodayLibrary& library = Library();
    library.instance = record->hinstDLL;
    RegisterItemClass(library.instance);
    ComputeScreenMetrics();
    HWND window = CreateWindowExW(0, ITEM_CLASS_NAME, ITEM_CLASS_NAME, WS_CHILD | WS_VISIBLE, CW_USEDEFAULT,
        CW_USEDEFAULT, 0, 0, parent, NULL, library.instance, NULL);
    if (window == NULL)
        return NULL;
    library.itemWindow = window;
    // A host that rebuilds its items keeps the item's pictures and modes.
    TodayItem* item = CurrentItem();
    if (item == NULL)
        CreateTodayItem(window);
    else
        item->window = window;
    library.hostWindow = parent;
    SetTimer(window, REPAINT_TIMER, REPAINT_INTERVAL_MS, NULL);
    return window;
}

// The host asks whether the item's height changed; TRUE has it lay the
// Today screen out again with the height written into its record.
static LRESULT OnQueryRefresh(TODAYLISTITEM* record)
{
    TodayLibrary& library = Library();
    TodayItem* item = CurrentItem();
    if (item == NULL && IsWindow(library.itemWindow))
        item = CreateTodayItem(library.itemWindow);
    if (record == NULL)
        return 0;
    int height = ItemHeight(item);
    if (height != library.reportedHeight || library.sizeChanged) {
        record->cyp = (DWORD)height;
        library.sizeChanged = FALSE;
        library.reportedHeight = height;
        return 1;
    }
    if (record->cyp != 0)
        return 0;
    record->cyp = (DWORD)height;
    return 1;
}

static LRESULT OnTimer(TodayItem* item, HWND window, WPARAM timer)
{
    if (item == NULL)
        return 1;
    if (timer == IMAGE_TIMER)
        LoadItemImages(item);
    else if (timer == REPAINT_TIMER)
        InvalidateRect(window, NULL, TRUE);
    return 1;
}

static void OnDestroy(HWND window)
{
    TodayItem* item = CurrentItem();
    // A window left from before the host rebuilt its items no longer owns
    // the item.
    if (item == NULL || item->window != window)
        return;
    ForgetOpenMenu(item);
    DestroyTodayItem();
}

static void MarkSelected(HWND window, BOOL selected)
{
    Library().selected = selected;
    InvalidateRect(window, NULL, FALSE);
}

LRESULT CALLBACK ItemWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    TodayItem* item = CurrentItem();
    switch (message) {
    case WM_DESTROY:
        OnDestroy(window);
        return 0;
    case WM_PAINT:
        PaintItemFrame(item, window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_KEYDOWN:
        if (item && HandleItemKey(item, (UINT)wParam))
            return 0;
        break;
    case WM_TIMER:
        return OnTimer(item, window, wParam);
    case WM_LBUTTONDOWN:
        return OnItemStylusDown(window);
    case WM_LBUTTONUP:
        return OnItemStylusUp(item, window, lParam);
    case WM_TODAYCUSTOM_CLEARCACHE:
        return 0;
    case WM_TODAYCUSTOM_QUERYREFRESHCACHE:
        return OnQueryRefresh((TODAYLISTITEM*)lParam);
    case WM_TODAYCUSTOM_RECEIVEDSELECTION:
        MarkSelected(window, TRUE);
        return 1;
    case WM_TODAYCUSTOM_LOSTSELECTION:
        MarkSelected(window, FALSE);
        return 0;
    case WM_TODAYCUSTOM_USERNAVIGATION:
        if (item && (wParam == ITEM_KEY_LEFT || wParam == ITEM_KEY_RIGHT)) {
            HandleItemKey(item, (UINT)wParam);
            return 1;
        }
        return 0;
    case WM_TODAYCUSTOM_ACTION:
        if (item)
            HandleItemKey(item, ITEM_KEY_ACTION);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
