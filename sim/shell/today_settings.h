// The Today screen's settings: a window listing the items the screen
// hosts, where a tap on an item's row opens that item's options.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "today_host.h"

namespace shell {

// What running an item's options takes: its library, which holds dialog
// 500, and the dialog procedure the library exports by ordinal 241.
struct ItemOptions {
    std::u16string name;
    std::u16string dll;
    HINSTANCE library = NULL;
    FARPROC dialogProc = NULL;
};

// The hosted item of that name, when its library supplies options.
std::optional<ItemOptions> FindItemOptions(const TodayHost& host, const std::u16string& name);

// Runs the item's options dialog, owned by the window.
void RunItemOptions(HWND owner, const ItemOptions& options);

// Registers the window class; once, at start.
bool RegisterTodaySettings(HINSTANCE instance);
// Brings the settings window to the front, opening it when it is not.
void OpenTodaySettings(HINSTANCE instance, const TodayHost& host);

}  // namespace shell
