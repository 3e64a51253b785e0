// Asks a program to end the ways a task manager does, so that scripts can
// try the stand-in task's options.
//   close.exe TITLE               sends WM_CLOSE to the window with that
//                                 title; exit code 0 when it is gone
//                                 afterwards
//   close.exe --timeout MS TITLE  the same with a send bounded at MS
//                                 milliseconds; exit code 3 when the time ran
//                                 out
//   close.exe --quit TITLE        posts WM_QUIT to it and waits up to 2 s for
//                                 its process; exit code 0 when it ended
//   close.exe --terminate TITLE   opens its process, terminates it and waits
//                                 up to 2 s; exit code 0 when it ended, 4
//                                 when the process cannot be opened
//   close.exe --apps BYTES        the shell library's close-applications call
//                                 (export 10) with BYTES; exit code 0
// Exit code 1 when the program did not end, 2 when no window has the title.
#include <windows.h>

#include <string>

#include "command_words.h"

namespace {

const DWORD kEndWaitMs = 2000;

typedef BOOL(WINAPI* CloseAppsCall)(DWORD);

int SendClose(HWND hwnd, bool bounded, DWORD timeout)
{
    if (!bounded)
        SendMessageW(hwnd, WM_CLOSE, 0, 0);
    else if (!SendMessageTimeoutW(hwnd, WM_CLOSE, 0, 0, SMTO_NORMAL, timeout, NULL) && GetLastError() == ERROR_TIMEOUT)
        return 3;
    return IsWindow(hwnd) ? 1 : 0;
}

// 0 when the process ended within the wait, 1 when not, 4 when it cannot
// be opened.
int OpenAndEnd(HWND hwnd, bool terminate)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    HANDLE process = OpenProcess(terminate ? PROCESS_ALL_ACCESS : SYNCHRONIZE, FALSE, pid);
    if (!process)
        return terminate ? 4 : 1;
    if (terminate)
        TerminateProcess(process, 0);
    else
        PostMessageW(hwnd, WM_QUIT, 0, 0);
    DWORD waited = WaitForSingleObject(process, kEndWaitMs);
    CloseHandle(process);
    return waited == WAIT_OBJECT_0 ? 0 : 1;
}

int CloseApps(std::u16string_view rest)
{
    unsigned long bytes = 0;
    HMODULE shell = LoadLibraryW(TEXT("aygshell.dll"));
    CloseAppsCall closeApps = shell ? (CloseAppsCall)GetProcAddress(shell, MAKEINTRESOURCE(10)) : NULL;
    if (!TakeNumber(rest, bytes) || !closeApps)
        return 1;
    closeApps((DWORD)bytes);
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nShowCmd)
{
    std::u16string_view rest = SkipBlanks(lpCmdLine ? lpCmdLine : TEXT(""));
    if (TakeOption(rest, u"--apps"))
        return CloseApps(rest);
    bool quit = TakeOption(rest, u"--quit");
    bool terminate = !quit && TakeOption(rest, u"--terminate");
    unsigned long timeout = 0;
    bool bounded = !quit && !terminate && TakeOption(rest, u"--timeout");
    if (bounded && !TakeNumber(rest, timeout))
        return 1;
    std::u16string title(rest);
    HWND hwnd = title.empty() ? NULL : FindWindowW(NULL, title.c_str());
    if (!hwnd)
        return 2;
    if (quit || terminate)
        return OpenAndEnd(hwnd, terminate);
    return SendClose(hwnd, bounded, (DWORD)timeout);
}
