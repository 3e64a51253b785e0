#include "start_menu.h"

#include <shellapi.h>

#include <vector>

#include "start_menu_items.h"

namespace shell {
namespace {

// Command ids are the item's place plus one: 0 is the menu's "none chosen".
const UINT kFirstCommand = 1;

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

void RunStartMenu(HWND owner, POINT topLeft)
{
    std::vector<StartMenuItem> items = ReadStartMenuItems();
    if (items.empty())
        return;
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return;
    for (size_t i = 0; i < items.size(); ++i)
        AppendMenuW(menu, MF_STRING, kFirstCommand + i, items[i].name.c_str());
    UINT chosen = static_cast<UINT>(
        TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, topLeft.x, topLeft.y, owner, NULL));
    DestroyMenu(menu);
    if (chosen >= kFirstCommand && chosen - kFirstCommand < items.size())
        Start(items[chosen - kFirstCommand].shortcut, owner);
}

}  // namespace shell
