// quibmonitor: picks the mode, keeps one instance per mode, and runs the
// one window's message loop.
#include <windows.h>

#include "app/monitor_window.h"

// The Today item's running-tasks display starts the popup this way.
#define POPUP_COMMAND_LINE TEXT("/HOMETASK")

// Class name and title at once: they identify the mode's instance.
#define NORMAL_WINDOW_NAME TEXT("Quib Monitor")
#define POPUP_WINDOW_NAME TEXT("Quib Monitor Tasks")

static HINSTANCE g_instance = NULL;
static HWND g_mainWindow = NULL;
// Set once the window class is registered; until then messages go to the
// default handling.
static MonitorWindow* g_application = NULL;

static LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return 1;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 1;
    case WM_CLOSE:
        DestroyWindow(window);
        return 1;
    }
    if (g_application != NULL)
        return g_application->WindowProc(window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

static ATOM RegisterMainClass(const WCHAR* className)
{
    WNDCLASSW windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = g_instance;
    windowClass.hIcon = NULL;
    windowClass.hCursor = NULL;
    windowClass.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    windowClass.lpszMenuName = NULL;
    windowClass.lpszClassName = className;
    return RegisterClassW(&windowClass);
}

static int RunMessageLoop()
{
    MSG message;
    message.wParam = 0;
    while (GetMessageW(&message, NULL, 0, 0) == 1) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return (int)message.wParam;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nShowCmd)
{
    g_instance = hInstance;
    BOOL popup = lpCmdLine != NULL && wcscmp(lpCmdLine, POPUP_COMMAND_LINE) == 0;
    const WCHAR* name = popup ? POPUP_WINDOW_NAME : NORMAL_WINDOW_NAME;

    // A second start only brings the running instance of its mode forward.
    HWND running = FindWindowW(name, name);
    if (running != NULL) {
        SetForegroundWindow(running);
        return 0;
    }

    // On the failure paths below the object is left to the end of the
    // process: nothing has changed that its teardown would need to save.
    if (hPrevInstance == NULL) {
        ATOM registered = RegisterMainClass(name);
        g_application = new MonitorWindow(hInstance);
        if (registered == 0)
            return 0;
    }

    g_mainWindow = CreateWindowExW(0, name, name, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, NULL, NULL, hInstance, NULL);
    if (g_mainWindow == NULL)
        return 0;

    if (g_application != NULL) {
        g_application->popup = popup;
        g_application->OnAttach(g_mainWindow);
        g_application->ready = TRUE;
        ShowWindow(g_mainWindow, SW_SHOW);
        UpdateWindow(g_mainWindow);
    }

    int exitCode = RunMessageLoop();
    delete g_application;
    g_application = NULL;
    return exitCode;
}
