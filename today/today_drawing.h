// One frame of the Today strip, drawn over the host's background.
#pragma once

#include <windows.h>

#include "today/today_item.h"

// Samples the figures afresh and draws the highlight, the monitor icon
// and the current display into dc.
void DrawTodayItem(TodayItem* item, HDC dc, const RECT* client, BOOL selected);

// Fills from the bottom: the empty meter whole, the full one to percent
// of its height. The single-row form's pictures, or the double row's;
// alternate takes the "a" variant of the full picture.
void DrawVerticalMeter(const TodayItem* item, HDC dc, int x, int y, int percent, BOOL singleForm, BOOL alternate);
// The battery outline, filled from the left to percent of its width.
void DrawBatteryMeter(const TodayItem* item, HDC dc, int x, int y, int percent);
