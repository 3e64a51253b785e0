// The Today screen's registry entry for the program's Today item.
#pragma once

#include <windows.h>

// Under HKEY_LOCAL_MACHINE; the quotes belong to the sub-key's name.
#define TODAY_ITEM_KEY TEXT("Software\\Microsoft\\Today\\Items\\\"QuibMonitor\"")

// Where the cabinet installs the item's library.
#define TODAY_ITEM_LIBRARY TEXT("\\windows\\QuibMonitorToday.dll")

// Writes the whole entry when it is missing and asks the Today screen to
// reload its items; when it exists, only the library path is rewritten.
// Failures are silent.
void EnsureTodayItemEntry();
