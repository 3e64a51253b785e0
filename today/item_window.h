// The item window: its class and procedure, and the library's two
// exports by ordinal.
#pragma once

#include <todaycmn.h>
#include <windows.h>

#include "today/today_item.h"

#define ITEM_CLASS_NAME TEXT("QuibMonitorToday")

// Ordinal 240: the item window for the host's record, or NULL when the
// record is disabled or the window cannot be made.
HWND InitializeCustomItem(TODAYLISTITEM* record, HWND parent);
// Ordinal 241: the options dialog's procedure.
INT_PTR CALLBACK CustomItemOptionsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

LRESULT CALLBACK ItemWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// WM_PAINT through the off-screen bitmap.
void PaintItemFrame(TodayItem* item, HWND window);
// WM_LBUTTONDOWN and WM_LBUTTONUP.
LRESULT OnItemStylusDown(HWND window);
LRESULT OnItemStylusUp(TodayItem* item, HWND window, LPARAM point);
// Destroying the item while its menu runs leaves the menu to the code that
// opened it.
void ForgetOpenMenu(TodayItem* item);
