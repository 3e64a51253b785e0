// The Today screen on the desktop window: its background, the date line,
// the room where Today items go, and the soft-key bar at the bottom.
#pragma once

#include <windows.h>

namespace shell {

void DrawTodayScreen(HDC dc, const RECT& client);

}  // namespace shell
