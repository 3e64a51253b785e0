#include "task_window.h"

#include "standin_requests.h"

namespace {

const WCHAR kTaskClass[] = TEXT("DevsimTask");
const WCHAR kChildClass[] = TEXT("DevsimTaskChild");

TaskOptions g_options;

// The window's title in grey in its middle, so that a screen shows which
// stand-in is in front (and which part is its child).
void Paint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    WCHAR title[256];
    GetWindowTextW(hwnd, title, 256);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(128, 128, 128));
    DrawTextW(dc, title, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK ChildProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT) {
        Paint(hwnd);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
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

bool Register(HINSTANCE instance, LPCWSTR name, WNDPROC proc, int brush)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hbrBackground = (HBRUSH)GetStockObject(brush);
    wc.lpszClassName = name;
    return RegisterClassW(&wc) != 0;
}

// A band across the bottom quarter of the task's window, titled on its own.
bool CreateChild(HINSTANCE instance, HWND parent)
{
    RECT client;
    GetClientRect(parent, &client);
    int height = (client.bottom - client.top) / 4;
    std::u16string title = g_options.title + TEXT(" child");
    return CreateWindowExW(0, kChildClass, title.c_str(), WS_CHILD | WS_VISIBLE, 0, client.bottom - height,
                           client.right - client.left, height, parent, (HMENU)1, instance, NULL) != NULL;
}

// Handles what the window's showing brought (its paint, its activation),
// then never asks for a message again, as a program stuck in a loop; only
// TerminateProcess ends it.
[[noreturn]] void Hang()
{
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    for (;;)
        Sleep(INFINITE);
}

// Handles what the window's showing brought, then loops for ever without a
// platform call, as a program stuck in a computation; the device must take
// the processor from it to serve the others.
[[noreturn]] void Spin()
{
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    volatile unsigned long counter = 0;
    for (;;)
        counter = counter + 1;
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
    // Before the window exists, so that nobody who finds it can open the
    // process.
    if (g_options.denyOpen)
        platform::DenyProcessAccess();
    // Held until the process ends, as a program that uses it would.
    if (!g_options.library.empty() && !LoadLibraryW(g_options.library.c_str()))
        return 1;
    const WCHAR* className = g_options.classFromTitle ? g_options.title.c_str() : kTaskClass;
    if (!Register(hInstance, className, TaskProc, WHITE_BRUSH) ||
        (g_options.child && !Register(hInstance, kChildClass, ChildProc, LTGRAY_BRUSH)))
        return 1;
    HWND hwnd = CreateWindowExW(0, className, g_options.title.c_str(), WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, hInstance, NULL);
    if (!hwnd || (g_options.child && !CreateChild(hInstance, hwnd)))
        return 1;
    if (g_options.hang)
        Hang();
    if (g_options.spin)
        Spin();
    return RunMessageLoop();
}
