// What counts as a running task, the list of them in a string table, and
// the three things a user can do to them. A task is known only by its
// window title: every action finds the window again by that title.
#pragma once

#include "settings/string_table.h"

// Action codes of PerformTaskAction; any other code does nothing.
#define TASK_ACTION_END 1
#define TASK_ACTION_ACTIVATE 2

// Titles are read into a buffer of this many characters, terminator
// included, so a longer title is cut.
#define TASK_TITLE_BUFFER 64

// A NULL-terminated list of whole, case-sensitive titles.
typedef const WCHAR* const* TitleList;

// The shell windows the task manager's enumeration passes over.
extern const WCHAR* const kShellWindowTitles[];
// Taken out of the list after enumeration: the program's own windows in
// both modes and the shell's always-present folders.
extern const WCHAR* const kNonTaskTitles[];

// Appends a row for every visible, titled top-level window in z-order,
// topmost first, except those titled as in excluded; returns how many.
int EnumerateTaskWindows(StringTable* table, TitleList excluded = kShellWindowTitles);
// Fills an empty table with the running tasks; excluded as for
// EnumerateTaskWindows.
void BuildTaskList(StringTable* table, TitleList excluded = kShellWindowTitles);
// Acts on the title of the table's current row; fails silently.
void PerformTaskAction(StringTable* table, int action);
// Asks the shell to close background applications, then ends every task
// of the table but the program's own; the caller rebuilds the table.
void CloseAllTasks(StringTable* table);
