#include "task_window.h"

namespace {

const WCHAR kTaskClass[] = TEXT("DevsimTask");

TaskOptions g_options;

// The task's title in grey in the middle of its window, so that a screen
// shows which stand-in is in front.
void Paint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(128, 128, 128));
    DrawTextW(dc, g_options.title.c_str(), -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK TaskProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: Paint(hwnd); return 0;
    case WM_CLOSE:
        if (g_options.ignoreClose)
            return 0;
        break;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// Returns WM_QUIT's exit code; with --ignore-quit it never returns and the
// process ends only when it is terminated.
int RunMessageLoop()
{
    MSG msg;
    for (;;) {
        BOOL got = GetMessageW(&msg, NULL, 0, 0);
        if (got < 0)
            return 1;
        if (got == 0) {
            if (!g_options.ignoreQuit)
                return (int)msg.wParam;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

int RunTaskWindow(HINSTANCE hInstance, const TaskOptions& options)
{
    g_options = options;

    WNDCLASSW wc = {};
    wc.lpfnWndProc = TaskProc;
    wc.hInstance = hInstance;
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wc.lpszClassName = kTaskClass;
    if (!RegisterClassW(&wc))
        return 1;
    HWND hwnd = CreateWindowExW(0, kTaskClass, g_options.title.c_str(), WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, hInstance, NULL);
    if (!hwnd)
        return 1;
    return RunMessageLoop();
}
