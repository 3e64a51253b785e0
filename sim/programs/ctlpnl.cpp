// The Control Panel stand-in: a window titled after the applet it is asked
// for, e.g. "Control Panel cplmain.cpl,3", that ends on WM_CLOSE.
#include <windows.h>

#include "command_words.h"
#include "task_window.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nShowCmd)
{
    std::u16string_view applet = SkipBlanks(lpCmdLine ? lpCmdLine : TEXT(""));
    while (!applet.empty() && applet.back() == u' ')
        applet.remove_suffix(1);
    TaskOptions options;
    options.title = u"Control Panel";
    if (!applet.empty())
        options.title += u" " + std::u16string(applet);
    return RunTaskWindow(hInstance, options);
}
