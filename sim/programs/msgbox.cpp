// Shows one message box without owner window, so that scripts can answer it.
//   msgbox.exe [--quit CODE] STYLE CAPTION|TEXT
// The exit code is the box's answer (255 for a malformed command line).
// With --quit the program first posts a quit with CODE, then runs its own
// message loop after the box: the exit code is then that of the quit the box
// passed on.
#include <windows.h>

#include <string>

#include "command_words.h"

namespace {

int RunMessageLoop()
{
    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return (int)msg.wParam;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nShowCmd)
{
    std::u16string_view rest = SkipBlanks(lpCmdLine ? lpCmdLine : TEXT(""));
    unsigned long quitCode = 0;
    bool quit = TakeOption(rest, u"--quit");
    unsigned long style = 0;
    if ((quit && !TakeNumber(rest, quitCode)) || !TakeNumber(rest, style))
        return 255;
    size_t bar = rest.find(u'|');
    std::u16string caption(rest.substr(0, bar));
    std::u16string text(bar == std::u16string_view::npos ? std::u16string_view() : rest.substr(bar + 1));

    if (quit)
        PostQuitMessage((int)quitCode);
    int answer = MessageBoxW(NULL, text.c_str(), caption.c_str(), (UINT)style);
    return quit ? RunMessageLoop() : answer;
}
