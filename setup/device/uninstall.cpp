#include "setup/device/uninstall.h"

// The shell's settings-changed code that makes the Today screen reload.
#define TODAY_RELOAD_ITEMS 0xF2

// Time for the Today screen to drop the item and its library.
#define TODAY_RELOAD_WAIT_MS 5000
#define CLOSE_ATTEMPTS 10
#define CLOSE_ATTEMPT_WAIT_MS 500
#define END_PROCESS_WAIT_MS 2000
// A window that never answers WM_CLOSE must not hold the removal for good;
// the process is ended next in any case.
#define CLOSE_SEND_TIMEOUT_MS 2000

#define RETRY_CAPTION TEXT("Quib Monitor Install")
#define MAIN_STILL_RUNNING TEXT("Quib Monitor is still running. Try again to close ?")
#define POPUP_STILL_RUNNING TEXT("Quib Monitor Tasks is still running. Try again to close ?")

enum CloseOutcome { CLOSE_DONE, CLOSE_RETRY, CLOSE_GIVE_UP };

void RemoveTodayItem()
{
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, TODAY_ITEM_KEY);
    HWND desktop = GetDesktopWindow();
    SendMessageW(desktop, WM_WININICHANGE, TODAY_RELOAD_ITEMS, 0);
    InvalidateRect(desktop, NULL, TRUE);
}

// Asks the window to go, then ends its process where that may be opened.
static void CloseWindowAndProcess(HWND window)
{
    PostMessageW(window, WM_QUIT, 0, 0);
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_NORMAL, CLOSE_SEND_TIMEOUT_MS, &answer);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId);
    if (process != NULL) {
        TerminateProcess(process, 0);
        WaitForSingleObject(process, END_PROCESS_WAIT_MS);
        CloseHandle(process);
    }
    PostMessageW(window, WM_QUIT, 0, 0);
}

BOOL CloseApplicationWindow(LPCWSTR name)
{
    for (int attempt = 0; attempt < CLOSE_ATTEMPTS; ++attempt) {
        HWND window = FindWindowW(name, name);
        if (window == NULL) {
            Sleep(CLOSE_ATTEMPT_WAIT_MS);
            return TRUE;
        }
        CloseWindowAndProcess(window);
        Sleep(CLOSE_ATTEMPT_WAIT_MS);
    }
    return FindWindowW(name, name) == NULL;
}

static CloseOutcome CloseOrAsk(LPCWSTR name, LPCWSTR question)
{
    if (CloseApplicationWindow(name))
        return CLOSE_DONE;
    return MessageBoxW(NULL, question, RETRY_CAPTION, MB_YESNO) == IDYES ? CLOSE_RETRY : CLOSE_GIVE_UP;
}

void PrepareUninstall()
{
    for (;;) {
        RemoveTodayItem();
        Sleep(TODAY_RELOAD_WAIT_MS);
        CloseOutcome outcome = CloseOrAsk(MAIN_WINDOW_NAME, MAIN_STILL_RUNNING);
        if (outcome == CLOSE_DONE)
            outcome = CloseOrAsk(POPUP_WINDOW_NAME, POPUP_STILL_RUNNING);
        if (outcome != CLOSE_RETRY)
            return;
    }
}
