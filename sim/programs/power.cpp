// The Power settings panel stand-in: a window titled "Power" that ends on
// WM_CLOSE.
#include <windows.h>

#include "task_window.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nShowCmd)
{
    TaskOptions options;
    options.title = u"Power";
    return RunTaskWindow(hInstance, options);
}
