#include "start_menu.h"

#include <shellapi.h>

#include <vector>

#include "start_menu_items.h"

namespace shell {
namespace {

// "Today" brings the Today screen to the front; the shortcuts follow with
// their place plus kFirstCommand. 0 is the menu's "none chosen".
const UINT kTodayCommand = 1;
const UINT kFirstCommand = 2;

void Start(const Shortcut& shortcut, HWND owner)
{
    SHELLEXECUTEINFO info = {};
    info.cbSize = sizeof info;
    info.hwnd = owner;
    info.lpFile = shortcut.target.c_str();
    info.lpParameters = shortcut.arguments.empty() ? NULL : shortcut.arguments.c_str();
    info.nShow = SW_SHOW;
    // A failure is logged by the platform; the shell has nothing to add.
    ShellExecuteEx(&info);
}

}  // namespace

StartMenuChoice RunStartMenu(HWND owner, POINT topLeft)
{
    std::vector<StartMenuItem> items = ReadStartMenuItems();
    HMENU menu = CreatePopupMenu();
    HMENU settings = CreatePopupMenu();
    if (!menu || !settings) {
        DestroyMenu(menu);
        DestroyMenu(settings);
        return StartMenuChoice::Done;
    }
    AppendMenuW(menu, MF_STRING, kTodayCommand, TEXT("Today"));
    AppendMenuW(menu, MF_SEPARATOR, 0, NULL);
    for (size_t i = 0; i < items.size(); ++i)
        AppendMenuW(menu, MF_STRING, kFirstCommand + i, items[i].name.c_str());
    if (!items.empty())
        AppendMenuW(menu, MF_SEPARATOR, 0, NULL);
    // After the shortcuts' commands.
    const UINT todaySettingsCommand = kFirstCommand + static_cast<UINT>(items.size());
    const UINT removeProgramsCommand = todaySettingsCommand + 1;
    AppendMenuW(settings, MF_STRING, todaySettingsCommand, TEXT("Today"));
    AppendMenuW(settings, MF_STRING, removeProgramsCommand, TEXT("Remove Programs"));
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(settings), TEXT("Settings"));
    UINT chosen = static_cast<UINT>(
        TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, topLeft.x, topLeft.y, owner, NULL));
    // The submenu goes with the menu.
    DestroyMenu(menu);
    if (chosen == kTodayCommand)
        SetForegroundWindow(GetDesktopWindow());
    else if (chosen == todaySettingsCommand)
        return StartMenuChoice::TodaySettings;
    else if (chosen == removeProgramsCommand)
        return StartMenuChoice::RemovePrograms;
    else if (chosen >= kFirstCommand && chosen - kFirstCommand < items.size())
        Start(items[chosen - kFirstCommand].shortcut, owner);
    return StartMenuChoice::Done;
}

}  // namespace shell
