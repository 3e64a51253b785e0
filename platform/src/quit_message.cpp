#include "quit_message.h"

#include "ce/windowing.h"

namespace platform {

bool QuitPosted(int& exitCode)
{
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE))
        return false;
    exitCode = static_cast<int>(msg.wParam);
    return true;
}

void ClearQuit()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

}  // namespace platform
