// A Today item for the host's tests: a strip that draws the screen's
// watermark, its name and height, highlighted while selected; it records
// the selection messages it gets and reports them to a test on request.
#include <todaycmn.h>

#include <map>
#include <utility>
#include <vector>

#include "ce/ordinal_exports.h"
#include "test_today_item.h"

namespace {

struct Item {
    TODAYLISTITEM* record = nullptr;
    DWORD height = 0;
    bool newHeight = false;
    bool selected = false;
    std::vector<std::pair<UINT, WPARAM>> seen;
};

std::map<HWND, Item> g_items;

COLORREF HostColor(HWND hwnd, WPARAM index)
{
    return static_cast<COLORREF>(SendMessageW(GetParent(hwnd), TODAYM_GETCOLOR, index, 0));
}

void Paint(HWND hwnd, const Item& item)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    TODAYDRAWWATERMARKINFO watermark = {dc, client, hwnd};
    SendMessageW(GetParent(hwnd), TODAYM_DRAWWATERMARK, 0, reinterpret_cast<LPARAM>(&watermark));
    if (item.selected) {
        HBRUSH brush = CreateSolidBrush(HostColor(hwnd, TODAYCOLOR_HIGHLIGHT));
        FillRect(dc, &client, brush);
        DeleteObject(brush);
    }
    WCHAR text[64];
    wsprintfW(text, TEXT("%s %d"), item.record->szName, static_cast<int>(item.height));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, HostColor(hwnd, item.selected ? TODAYCOLOR_HIGHLIGHTEDTEXT : TODAYCOLOR_TEXT));
    client.left += 28;
    DrawTextW(dc, text, -1, &client, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    EndPaint(hwnd, &ps);
}

// The watermark's colour at a row of the item, drawn where the item asks
// for it: at that row of a bitmap just tall enough.
COLORREF WatermarkAt(HWND hwnd, int row)
{
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 1, row + 1);
    HGDIOBJ old = SelectObject(memory, bitmap);
    TODAYDRAWWATERMARKINFO watermark = {memory, {0, row, 1, row + 1}, hwnd};
    SendMessageW(GetParent(hwnd), TODAYM_DRAWWATERMARK, 0, reinterpret_cast<LPARAM>(&watermark));
    COLORREF colour = GetPixel(memory, 0, row);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return colour;
}

LRESULT Handle(HWND hwnd, Item& item, UINT msg, WPARAM wParam, LPARAM lParam)
{
    DWORD flags = item.record->grfFlags;
    switch (msg) {
    case WM_TODAYCUSTOM_QUERYREFRESHCACHE: {
        auto record = reinterpret_cast<TODAYLISTITEM*>(lParam);
        bool changed = item.newHeight || record->cyp != item.height;
        record->cyp = item.height;
        item.newHeight = false;
        return changed;
    }
    case WM_TODAYCUSTOM_RECEIVEDSELECTION:
        item.seen.push_back({msg, wParam});
        if (flags & testitem::kRefusesSelection)
            return FALSE;
        item.selected = true;
        InvalidateRect(hwnd, NULL, FALSE);
        return TRUE;
    case WM_TODAYCUSTOM_LOSTSELECTION:
        item.seen.push_back({msg, wParam});
        item.selected = false;
        InvalidateRect(hwnd, NULL, FALSE);
        return 0;
    case WM_TODAYCUSTOM_USERNAVIGATION:
        item.seen.push_back({msg, wParam});
        return (flags & testitem::kTakesSideKeys) && (wParam == VK_LEFT || wParam == VK_RIGHT);
    case WM_TODAYCUSTOM_ACTION:
        item.seen.push_back({msg, wParam});
        return 0;
    case WM_LBUTTONDOWN:
        if (!item.selected)
            PostMessageW(GetParent(hwnd), TODAYM_TOOKSELECTION, reinterpret_cast<WPARAM>(hwnd), 0);
        item.selected = true;
        InvalidateRect(hwnd, NULL, FALSE);
        return 0;
    case testitem::kSetHeight:
        item.height = static_cast<DWORD>(wParam);
        item.newHeight = true;
        return 0;
    case testitem::kMessageAt: return wParam < item.seen.size() ? item.seen[wParam].first : 0;
    case testitem::kParamAt: return wParam < item.seen.size() ? item.seen[wParam].second : 0;
    case testitem::kWatermarkAt: return WatermarkAt(hwnd, static_cast<int>(wParam));
    case WM_PAINT: Paint(hwnd, item); return 0;
    case WM_ERASEBKGND: return 1;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK ItemProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto found = g_items.find(hwnd);
    if (found == g_items.end())
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg != WM_DESTROY)
        return Handle(hwnd, found->second, msg, wParam, lParam);
    HINSTANCE instance = found->second.record->hinstDLL;
    g_items.erase(found);
    // The class goes with the last window, before the library may go.
    if (g_items.empty())
        UnregisterClassW(testitem::kClass, instance);
    return 0;
}

HWND InitializeCustomItem(TODAYLISTITEM* record, HWND parent)
{
    if (!record->fEnabled || (record->grfFlags & testitem::kNoWindow))
        return NULL;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ItemProc;
    wc.hInstance = record->hinstDLL;
    wc.lpszClassName = testitem::kClass;
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, testitem::kClass, record->szName, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent, NULL,
                                record->hinstDLL, NULL);
    if (!hwnd)
        return NULL;
    Item& item = g_items[hwnd];
    item.record = record;
    item.height = LOWORD(record->grfFlags);
    return hwnd;
}

// Its options dialog's procedure: the dialog has nothing to set.
BOOL CALLBACK OptionsDialogProc(HWND, UINT, UINT, LONG) { return FALSE; }

}  // namespace

extern "C" const OrdinalExport platform_module_ordinals[] = {
    {ORDINAL_INITIALIZEITEM, reinterpret_cast<FARPROC>(InitializeCustomItem)},
    {ORDINAL_OPTIONSDIALOGPROC, reinterpret_cast<FARPROC>(OptionsDialogProc)},
    {0, nullptr},
};
