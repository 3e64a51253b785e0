// The task bar across the top of the screen: the Start flag, the active
// window's title, the battery and the clock.
#pragma once

#include <windows.h>

namespace shell {

// Draws the bar into its client rectangle; the desktop's title reads "Start".
void DrawTaskBar(HDC dc, const RECT& client, HWND desktop);

// Milliseconds until the clock shows the next minute.
UINT UntilNextMinute();

}  // namespace shell
