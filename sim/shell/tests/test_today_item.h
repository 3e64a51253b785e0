// The test Today item's side of the tests: what its registry "Flags" ask
// of it and the private messages a test sends its window, all integers so
// that they cross processes.
#pragma once

#include <windows.h>

namespace testitem {

// "Flags": the low word is the item's first height; the bits above it
// change its behaviour.
const DWORD kNoWindow = 0x10000;        // initialisation gives no window
const DWORD kRefusesSelection = 0x20000;  // RECEIVEDSELECTION answers FALSE
const DWORD kTakesSideKeys = 0x40000;   // LEFT and RIGHT are its own

// The item's window class; its title is the item's name.
const WCHAR kClass[] = TEXT("TodayTestItem");

// wParam = the next height, which the next refresh query reports.
const UINT kSetHeight = WM_APP;
// wParam = n: the n-th selection message the item got (0 past the last),
// and its wParam.
const UINT kMessageAt = WM_APP + 1;
const UINT kParamAt = WM_APP + 2;
// wParam = a row of the item: the colour the screen's watermark has there.
const UINT kWatermarkAt = WM_APP + 3;

}  // namespace testitem
