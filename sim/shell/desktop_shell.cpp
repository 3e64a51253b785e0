// The desktop shell stand-in: the program a desktop PC starts at boot in
// the role of its shell. It owns the desktop background and the task bar
// along the bottom of the screen, below the work area; nothing of a Pocket
// PC's shell (Today screen, soft keys, Start menu).
#include <windows.h>

#include <string>
#include <vector>

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

// The moves and deletes a program left for this start, done before the
// desktop appears, as the session manager does them; the list then goes.
void DoPendingFileOperations()
{
    const WCHAR kSessionManager[] = TEXT("SYSTEM\\CurrentControlSet\\Control\\Session Manager");
    const WCHAR kPending[] = TEXT("PendingFileRenameOperations");
    HKEY key = NULL;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    DWORD type = REG_NONE;
    DWORD size = 0;
    std::vector<WCHAR> list;
    if (RegQueryValueExW(key, kPending, NULL, &type, NULL, &size) == ERROR_SUCCESS && type == REG_MULTI_SZ) {
        list.resize(size / sizeof(WCHAR) + 1, 0);
        if (RegQueryValueExW(key, kPending, NULL, &type, (BYTE*)list.data(), &size) != ERROR_SUCCESS)
            list.clear();
    }
    // Pairs of names, each string terminated (a delete's second name is
    // empty); an odd string left at the end is the list's own terminator.
    // Each name may carry the "\??\" prefix.
    std::vector<std::basic_string<WCHAR>> names;
    size_t count = size / sizeof(WCHAR);
    for (size_t at = 0; at < count && at < list.size();) {
        std::basic_string<WCHAR> name(&list[at]);
        at += name.size() + 1;
        names.push_back(name.compare(0, 4, TEXT("\\??\\")) == 0 ? name.substr(4) : name);
    }
    for (size_t i = 0; i + 1 < names.size(); i += 2) {
        const std::basic_string<WCHAR>& from = names[i];
        const std::basic_string<WCHAR>& to = names[i + 1];
        if (!to.empty())
            MoveFileW(from.c_str(), to.c_str());
        else if (!DeleteFileW(from.c_str()))
            RemoveDirectoryW(from.c_str());
    }
    RegDeleteValueW(key, kPending);
    RegCloseKey(key);
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int)
{
    DoPendingFileOperations();
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
