// The Today screen's items as the registry lists them: one sub-key of
// HKLM\Software\Microsoft\Today\Items per item, named after it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace shell {

struct TodayItemEntry {
    std::u16string name;  // the sub-key's name as it stands, quotes included
    std::u16string dll;   // "DLL"
    DWORD type = 0;       // "Type": 4 for a custom item
    DWORD enabled = 0;    // "Enabled"
    DWORD order = 0;      // "Order"
    DWORD options = 0;    // "Options": 1 when the item has an options dialog
    DWORD flags = 0;      // "Flags": the item's own
    // "Selectability": 0 never selected, 1 selected by the screen alone,
    // 2 told of its selection by the selection messages.
    DWORD selectability = 0;
};

// Every sub-key's entry, by "Order" and, for the same order, by name; a
// value that is missing or not a DWORD reads as 0, a missing "DLL" as empty.
std::vector<TodayItemEntry> ReadTodayItemEntries();

// Whether the screen hosts the entry: a custom item that is enabled.
bool IsHostedCustomItem(const TodayItemEntry& entry);

}  // namespace shell
