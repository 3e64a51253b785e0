#include "tasks/task_list.h"

#include <windows.h>

// The shell library's close-applications export: the memory to make free,
// in bytes.
#define SHELL_LIBRARY TEXT("aygshell.dll")
#define SHELL_CLOSE_APPS_EXPORT 10
#define CLOSE_APPS_BYTES 999999

// A process that does not end within this is passed over.
#define END_TASK_WAIT_MS 2000
// How long a window that cannot be ended by its process is given to answer
// WM_CLOSE; one that never answers must not hold the program for good.
#define CLOSE_SEND_TIMEOUT_MS 2000

#define OWN_WINDOW_TITLE TEXT("Quib Monitor")

typedef BOOL(WINAPI* CloseAppsProc)(DWORD bytes);

const WCHAR* const kShellWindowTitles[] = {
    TEXT("ActiveSync"), TEXT("Tray"), TEXT("Desktop"), TEXT("MS_SIPBUTTON"), TEXT("Start"), NULL,
};

const WCHAR* const kNonTaskTitles[] = {
    OWN_WINDOW_TITLE, TEXT("Quib Monitor Tasks"), TEXT("Settings"), TEXT("Contacts"), TEXT("CursorWindow"),
    TEXT("Programs"), NULL,
};

static BOOL IsListed(const WCHAR* title, TitleList titles)
{
    for (; titles && *titles; ++titles) {
        if (wcscmp(title, *titles) == 0)
            return TRUE;
    }
    return FALSE;
}

static BOOL IsTaskWindow(HWND window, WCHAR* title, TitleList excluded)
{
    if (!IsWindow(window) || !IsWindowVisible(window) || GetParent(window) != NULL)
        return FALSE;
    if (GetWindowTextLengthW(window) == 0)
        return FALSE;
    if (GetWindowTextW(window, title, TASK_TITLE_BUFFER) == 0)
        return FALSE;
    return !IsListed(title, excluded);
}

int EnumerateTaskWindows(StringTable* table, TitleList excluded)
{
    int count = 0;
    HWND window = GetWindow(GetActiveWindow(), GW_HWNDFIRST);
    while (window != NULL) {
        WCHAR title[TASK_TITLE_BUFFER];
        title[0] = 0;
        if (IsTaskWindow(window, title, excluded)) {
            StringRow* row = table->AddRow();
            if (row == NULL)
                break;
            StringTable::SetCell(row, 1, title);
            ++count;
        }
        window = GetWindow(window, GW_HWNDNEXT);
    }
    return count;
}

void BuildTaskList(StringTable* table, TitleList excluded)
{
    EnumerateTaskWindows(table, excluded);
    // From the tail, so that a removal does not move the rows still to come.
    for (int row = table->rowCount; row >= 1; --row) {
        const WCHAR* title = table->GetCell(row, 1);
        if (title && IsListed(title, kNonTaskTitles))
            table->RemoveRow(row);
    }
}

static HWND FindCurrentTask(StringTable* table)
{
    const WCHAR* title = table->GetCell(0, 1);
    if (title == NULL)
        return NULL;
    return FindWindowW(NULL, title);
}

static void EndTask(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId);
    if (process != NULL) {
        TerminateProcess(process, 0);
        WaitForSingleObject(process, END_TASK_WAIT_MS);
        CloseHandle(process);
        return;
    }
    PostMessageW(window, WM_QUIT, 0, 0);
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_NORMAL, CLOSE_SEND_TIMEOUT_MS, &answer);
}

void PerformTaskAction(StringTable* table, int action)
{
    if (action != TASK_ACTION_END && action != TASK_ACTION_ACTIVATE)
        return;
    HWND window = FindCurrentTask(table);
    if (window == NULL)
        return;
    if (action == TASK_ACTION_ACTIVATE)
        SetForegroundWindow(window);
    else
        EndTask(window);
}

static void AskShellToCloseApps()
{
    HMODULE shell = LoadLibraryW(SHELL_LIBRARY);
    if (shell == NULL)
        return;
    CloseAppsProc closeApps = (CloseAppsProc)GetProcAddressW(shell, MAKEINTRESOURCEW(SHELL_CLOSE_APPS_EXPORT));
    if (closeApps)
        closeApps(CLOSE_APPS_BYTES);
    FreeLibrary(shell);
}

void CloseAllTasks(StringTable* table)
{
    AskShellToCloseApps();
    // Every row listed now gets one attempt, even one the shell has closed.
    for (int row = 1; row <= table->rowCount; ++row) {
        const WCHAR* title = table->GetCell(row, 1);
        if (title == NULL || wcscmp(title, OWN_WINDOW_TITLE) == 0)
            continue;
        table->currentRow = row;
        PerformTaskAction(table, TASK_ACTION_END);
    }
}
