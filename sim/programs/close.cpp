// Asks a program to end the way the task list's fallback does, so that
// scripts can try the stand-in task's options.
//   close.exe TITLE         sends WM_CLOSE to the window with that title;
//                           exit code 0 when the window is gone afterwards
//   close.exe --quit TITLE  posts WM_QUIT to it and waits up to 2 s for its
//                           process; exit code 0 when the process ended
// Exit code 1 when the program did not end, 2 when no window has the title.
#include <windows.h>

#include <string>

#include "command_words.h"

namespace {

const DWORD kQuitWaitMs = 2000;

int SendClose(HWND hwnd)
{
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    return IsWindow(hwnd) ? 1 : 0;
}

int PostQuit(HWND hwnd)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!process)
        return 1;
    PostMessageW(hwnd, WM_QUIT, 0, 0);
    DWORD waited = WaitForSingleObject(process, kQuitWaitMs);
    CloseHandle(process);
    return waited == WAIT_OBJECT_0 ? 0 : 1;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nShowCmd)
{
    std::u16string_view rest = SkipBlanks(lpCmdLine ? lpCmdLine : TEXT(""));
    bool quit = TakeOption(rest, u"--quit");
    std::u16string title(rest);
    HWND hwnd = title.empty() ? NULL : FindWindowW(NULL, title.c_str());
    if (!hwnd)
        return 2;
    return quit ? PostQuit(hwnd) : SendClose(hwnd);
}
