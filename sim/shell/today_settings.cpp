#include "today_settings.h"

#include <todaycmn.h>

#include "settings_page.h"
#include "shell_log.h"

namespace shell {
namespace {

const WCHAR kSettingsClass[] = TEXT("TodaySettings");

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
    std::vector<SettingsRow> rows;
    for (int row = 0; const HostedItem* item = ItemInRow(row); ++row)
        rows.push_back({item->entry.name, TEXT("Options"), FindItemOptions(*g_host, item->entry.name).has_value()});
    PaintSettingsPage(hwnd, TEXT("Today: Items"), rows);
}

void OnTap(HWND hwnd, LPARAM lParam)
{
    const HostedItem* item = ItemInRow(SettingsRowAt(GET_Y_LPARAM(lParam)));
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

void OpenTodaySettings(HINSTANCE instance, const TodayHost& host)
{
    g_host = &host;
    if (!g_window)
        g_window = CreateSettingsPage(instance, kSettingsClass, TEXT("Today Settings"));
    if (g_window)
        SetForegroundWindow(g_window);
}

}  // namespace shell
