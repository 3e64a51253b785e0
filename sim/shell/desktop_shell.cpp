// The desktop shell stand-in: the program a desktop PC starts at boot in
// the role of its shell. It owns the desktop background and the task bar
// along the bottom of the screen, below the work area; nothing of a Pocket
// PC's shell (Today screen, soft keys, Start menu).
#include <windows.h>

namespace {

const WCHAR kDesktopClass[] = TEXT("Progman");
const WCHAR kTaskBarClass[] = TEXT("Shell_TrayWnd");
const COLORREF kBackground = RGB(0, 128, 128);

HWND g_desktop = NULL;
HWND g_taskBar = NULL;

// The bar is the button face with a light edge along its top.
void DrawTaskBar(HDC dc, const RECT& client)
{
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    RECT edge = {client.left, client.top, client.right, client.top + 1};
    HBRUSH light = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(dc, &edge, light);
    DeleteObject(light);
}

void Paint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    if (hwnd == g_taskBar) {
        DrawTaskBar(dc, client);
    } else {
        HBRUSH background = CreateSolidBrush(kBackground);
        FillRect(dc, &client, background);
        DeleteObject(background);
    }
    EndPaint(hwnd, &ps);
}

// The shell's windows stay for as long as the machine runs: a close
// request from a program is refused.
LRESULT CALLBACK ShellWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: Paint(hwnd); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_CLOSE: return 0;
    case WM_DESTROY:
        if (hwnd == g_desktop)
            PostQuitMessage(0);
        return 0;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

bool Register(HINSTANCE instance, LPCWSTR className)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ShellWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = className;
    return RegisterClassW(&wc) != 0;
}

// The bar fills the screen below the work area.
HWND CreateTaskBar(HINSTANCE instance)
{
    RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    HWND bar = CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, kTaskBarClass, TEXT(""), WS_POPUP, 0, work.bottom,
                               GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) - work.bottom, NULL,
                               NULL, instance, NULL);
    if (bar)
        ShowWindow(bar, SW_SHOWNOACTIVATE);
    return bar;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int)
{
    if (!Register(hInstance, kDesktopClass) || !Register(hInstance, kTaskBarClass))
        return 1;
    g_desktop = CreateWindowExW(0, kDesktopClass, TEXT("Program Manager"), WS_POPUP | WS_VISIBLE, 0, 0,
                                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), NULL, NULL, hInstance,
                                NULL);
    if (!g_desktop)
        return 1;
    g_taskBar = CreateTaskBar(hInstance);
    if (!g_taskBar)
        return 1;
    // After boot the desktop is the foreground window.
    SetForegroundWindow(g_desktop);

    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return (int)msg.wParam;
}
