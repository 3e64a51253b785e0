#include "today/running_tasks.h"

#include "settings/string_table.h"
#include "tasks/task_list.h"

// The Today screen lists "Desktop" and the input panel button as the shell
// shows them, so the item leaves only these out.
static const WCHAR* const kTodayShellTitles[] = { TEXT("ActiveSync"), TEXT("Tray"), TEXT("Start"), NULL };

int CountRunningTasks()
{
    StringTable table(1);
    BuildTaskList(&table, kTodayShellTitles);
    return table.rowCount;
}
