// The Start menu: "Today", which brings the Today screen to the front, the
// Start menu folders' shortcuts, each starting its program, and "Settings"
// with the Today screen's settings; it opens under the Start flag.
#pragma once

#include <windows.h>

namespace shell {

// What is left to the caller once the menu has closed.
enum class StartMenuChoice { Done, TodaySettings, RemovePrograms };

// Opens the menu with its top-left corner at the screen point, owned by the
// window, and runs it until an item is chosen or it is cancelled.
StartMenuChoice RunStartMenu(HWND owner, POINT topLeft);

}  // namespace shell
