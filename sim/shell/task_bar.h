// The task bar across the top of the screen: the Start flag, the active
// window's title, the battery and the clock.
#pragma once

#include <windows.h>

namespace shell {

// Draws the bar into its client rectangle; the desktop's title reads "Start".
void DrawTaskBar(HDC dc, const RECT& client, HWND desktop);

// Whether a point of the bar's client area is on the Start flag: the flag
// and its margins, up to where the title begins.
bool IsOnStartFlag(const RECT& client, POINT point);

// Milliseconds until the clock shows the next minute.
UINT UntilNextMinute();

}  // namespace shell
