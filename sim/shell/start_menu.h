// The Start menu: "Today", which brings the Today screen to the front, and
// the Start menu folders' shortcuts, each starting its program; it opens
// under the Start flag.
#pragma once

#include <windows.h>

namespace shell {

// Opens the menu with its top-left corner at the screen point, owned by the
// window, and runs it until an item is chosen or it is cancelled.
void RunStartMenu(HWND owner, POINT topLeft);

}  // namespace shell
