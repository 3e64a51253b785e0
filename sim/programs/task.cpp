// A stand-in task: one visible top-level window titled from the command
// line. Its options make it uncooperative, so that ending tasks can be tried
// on programs that ignore WM_CLOSE or WM_QUIT.
#include <windows.h>

#include "task_options.h"
#include "task_window.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nShowCmd)
{
    return RunTaskWindow(hInstance, ParseTaskOptions(lpCmdLine ? lpCmdLine : TEXT("")));
}
