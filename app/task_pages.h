// What the task list page and the popup task list share: rebuilding the
// list and the tap-and-hold menu over it.
#pragma once

#include <windows.h>

class ListControl;
class Page;
class StringTable;

// The list control of both task pages.
#define TASK_LIST_CONTROL_ID 1

// The list as both pages show it: without the outline and the focus
// outline the control draws by default.
void StyleTaskList(ListControl* list);

// Creates *table with columnCount columns or empties it, fills it with the
// running tasks, selects the first and shows it from the top in list.
void RefreshTaskList(StringTable** table, int columnCount, ListControl* list);

// A press over the list that the shell's recogniser takes for tap-and-hold
// opens the right soft key's menu at the point; TRUE when it did.
BOOL OpenTaskMenuOnHold(Page* page, UINT message, LPARAM point);
