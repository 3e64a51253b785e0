#include "today_settings.h"

#include <todaycmn.h>

#include "shell_drawing.h"
#include "shell_log.h"

namespace shell {
namespace {

const WCHAR kSettingsClass[] = TEXT("TodaySettings");
const int kHeaderHeight = 24;
const int kRowHeight = 20;

// The host the open window lists; one settings window at a time.
const TodayHost* g_host = NULL;
HWND g_window = NULL;

const HostedItem* ItemInRow(int row)
{
    if (!g_host || row < 0 || row >= static_cast<int>(g_host->Items().size()))
        return NULL;
    return g_host->Items()[static_cast<size_t>(row)].get();
}

void Paint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    Fill(dc, client, RGB(255, 255, 255));
    HFONT bold = CreateShellFont(9, true);
    HFONT normal = CreateShellFont(8, false);
    RECT header = {Scaled(6), 0, client.right, Scaled(kHeaderHeight)};
    DrawShellText(dc, TEXT("Today: Items"), header, DT_LEFT | DT_VCENTER | DT_SINGLELINE, RGB(0, 32, 99), bold);
    for (int row = 0; const HostedItem* item = ItemInRow(row); ++row) {
        int top = Scaled(kHeaderHeight + row * kRowHeight);
        RECT line = {Scaled(6), top, client.right - Scaled(6), top + Scaled(kRowHeight)};
        DrawShellText(dc, item->entry.name.c_str(), line, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS,
                      RGB(0, 0, 0), normal);
        bool hasOptions = FindItemOptions(*g_host, item->entry.name).has_value();
        DrawShellText(dc, TEXT("Options"), line, DT_RIGHT | DT_VCENTER | DT_SINGLELINE,
                      hasOptions ? kBarTop : RGB(160, 160, 160), normal);
    }
    DeleteObject(normal);
    DeleteObject(bold);
    EndPaint(hwnd, &ps);
}

void OnTap(HWND hwnd, LPARAM lParam)
{
    int y = GET_Y_LPARAM(lParam) - Scaled(kHeaderHeight);
    const HostedItem* item = y >= 0 ? ItemInRow(y / Scaled(kRowHeight)) : NULL;
    if (!item)
        return;
    std::optional<ItemOptions> options = FindItemOptions(*g_host, item->entry.name);
    if (options)
        RunItemOptions(hwnd, *options);
    else
        LogShellEvent("today-options-none name=" + LogText(item->entry.name));
}

LRESULT CALLBACK SettingsProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: Paint(hwnd); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONUP: OnTap(hwnd, lParam); return 0;
    case WM_DESTROY:
        g_window = NULL;
        g_host = NULL;
        return 0;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

std::optional<ItemOptions> FindItemOptions(const TodayHost& host, const std::u16string& name)
{
    for (const std::unique_ptr<HostedItem>& item : host.Items()) {
        if (item->entry.name != name)
            continue;
        FARPROC proc = GetProcAddressW(item->record.hinstDLL, MAKEINTRESOURCE(ORDINAL_OPTIONSDIALOGPROC));
        if (!proc)
            return std::nullopt;
        return ItemOptions{item->entry.name, item->entry.dll, item->record.hinstDLL, proc};
    }
    return std::nullopt;
}

// The item's dialog 500, run by its own procedure over the settings window.
void RunItemOptions(HWND owner, const ItemOptions& options)
{
    LogShellEvent("today-options name=" + LogText(options.name) + " dll=" + LogText(options.dll));
    DialogBoxParamW(options.library, MAKEINTRESOURCE(500), owner, reinterpret_cast<DLGPROC>(options.dialogProc), 0);
}

bool RegisterTodaySettings(HINSTANCE instance)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = SettingsProc;
    wc.hInstance = instance;
    wc.lpszClassName = kSettingsClass;
    return RegisterClassW(&wc) != 0;
}

// Over the work area, as the device's settings pages are.
void OpenTodaySettings(HINSTANCE instance, const TodayHost& host)
{
    g_host = &host;
    if (!g_window) {
        RECT work;
        if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
            SetRect(&work, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        g_window = CreateWindowExW(0, kSettingsClass, TEXT("Today Settings"), WS_POPUP | WS_VISIBLE, work.left, work.top,
                                   work.right - work.left, work.bottom - work.top, NULL, NULL, instance, NULL);
    }
    if (g_window)
        SetForegroundWindow(g_window);
}

}  // namespace shell
