// The Today screen on the desktop window: its background, the date line,
// the room where Today items go, and the soft-key bar at the bottom.
#pragma once

#include <windows.h>

namespace shell {

// The Today screen's theme, which items ask for by TODAYM_GETCOLOR.
const COLORREF kTodayText = RGB(0, 32, 99);
const COLORREF kTodayHighlight = RGB(41, 105, 206);
const COLORREF kTodayHighlightedText = RGB(255, 255, 255);

// The page between the task bar and the soft-key bar, and the date line at
// its top, in the desktop's client coordinates.
RECT TodayPage(const RECT& client);
RECT TodayDateLine(const RECT& client);

// The whole screen; the date line highlighted while it is selected.
void DrawTodayScreen(HDC dc, const RECT& client, bool dateSelected);

// The page's background for part (desktop client coordinates), drawn into
// dc with part's top-left corner at origin.
void DrawTodayBackground(HDC dc, const RECT& client, const RECT& part, POINT origin);

}  // namespace shell
