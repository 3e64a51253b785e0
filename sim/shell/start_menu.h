// The Start menu: a popup menu of the Start menu folders' shortcuts that
// opens under the Start flag and starts the one chosen.
#pragma once

#include <windows.h>

namespace shell {

// Opens the menu with its top-left corner at the screen point, owned by the
// window, and runs it until an item is chosen or it is cancelled.
void RunStartMenu(HWND owner, POINT topLeft);

}  // namespace shell
