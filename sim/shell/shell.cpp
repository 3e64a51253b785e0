// The shell stand-in: the program the device starts at boot in the role of
// the CE shell. It owns the desktop, the task bar and the windows a Pocket
// PC shell always keeps, which task lists leave out by their titles.
#include <windows.h>

#include "pending_installs.h"
#include "remove_programs.h"
#include "start_menu.h"
#include "task_bar.h"
#include "today_host.h"
#include "today_screen.h"
#include "today_settings.h"

namespace {

const WCHAR kDesktopClass[] = TEXT("DesktopExplorerWindow");
const WCHAR kTaskBarClass[] = TEXT("HHTaskBar");
// The task bar's height at 96 dpi; the work area starts below it.
const int kTaskBarHeight = 26;

struct ShellWindow {
    LPCWSTR className;
    LPCWSTR title;
};

// Visible but of no size, so they never take a tap meant for a program.
const ShellWindow kAlwaysPresent[] = {
    {TEXT("MS_SIPBUTTON"), TEXT("MS_SIPBUTTON")},
    {TEXT("StartButton"), TEXT("Start")},
    {TEXT("CursorWindow"), TEXT("CursorWindow")},
    {TEXT("ProgramsFolder"), TEXT("Programs")},
    {TEXT("SettingsFolder"), TEXT("Settings")},
    {TEXT("ContactsView"), TEXT("Contacts")},
    {TEXT("ActiveSyncStatus"), TEXT("ActiveSync")},
};

// The task bar's clock ticks once a minute.
const UINT_PTR kClockTimer = 1;
// The Today screen asks its items for changes every two seconds.
const UINT_PTR kTodayPollTimer = 2;
const UINT kTodayPollMs = 2000;
// WM_WININICHANGE's wParam when the Today items in the registry changed.
const WPARAM kTodayItemsChanged = 0xF2;

HINSTANCE g_instance = NULL;
HWND g_desktop = NULL;
HWND g_taskBar = NULL;
shell::TodayHost* g_today = NULL;

void Paint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    if (hwnd == g_desktop)
        shell::DrawTodayScreen(dc, client, g_today && g_today->DateSelected());
    else if (hwnd == g_taskBar)
        shell::DrawTaskBar(dc, client, g_desktop);
    EndPaint(hwnd, &ps);
}

void OnClockTick(HWND hwnd)
{
    SetTimer(hwnd, kClockTimer, shell::UntilNextMinute(), NULL);
    InvalidateRect(hwnd, NULL, FALSE);
    // A new day shows on the Today screen's date line.
    SYSTEMTIME now;
    GetLocalTime(&now);
    if (now.wHour == 0 && now.wMinute == 0)
        InvalidateRect(g_desktop, NULL, FALSE);
}

// The task bar spans the top of the screen down to the work area.
void PlaceTaskBar()
{
    if (!g_taskBar)
        return;
    RECT work;
    int height = kTaskBarHeight;
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0) && work.top > 0)
        height = work.top;
    SetWindowPos(g_taskBar, HWND_TOPMOST, 0, 0, GetSystemMetrics(SM_CXSCREEN), height, SWP_NOACTIVATE);
}

// The shell's windows stay for as long as the device runs: a close request
// from a program is refused.
LRESULT CALLBACK ShellWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: Paint(hwnd); return 0;
    // The shell paints its windows whole.
    case WM_ERASEBKGND: return 1;
    case WM_TIMER:
        if (wParam == kClockTimer)
            OnClockTick(hwnd);
        return 0;
    case WM_CLOSE: return 0;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

// A tap on the Start flag opens the Start menu under the bar, at the left.
void OnTaskBarTap(HWND hwnd, LPARAM lParam)
{
    RECT client;
    GetClientRect(hwnd, &client);
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (!shell::IsOnStartFlag(client, point))
        return;
    POINT below = {0, client.bottom};
    ClientToScreen(hwnd, &below);
    shell::StartMenuChoice choice = shell::RunStartMenu(hwnd, below);
    if (choice == shell::StartMenuChoice::TodaySettings && g_today)
        shell::OpenTodaySettings(g_instance, *g_today);
    else if (choice == shell::StartMenuChoice::RemovePrograms)
        shell::OpenRemovePrograms(g_instance);
}

LRESULT CALLBACK TaskBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_LBUTTONUP) {
        OnTaskBarTap(hwnd, lParam);
        return 0;
    }
    return ShellWindowProc(hwnd, msg, wParam, lParam);
}

// The Today screen's part of the desktop: its items' requests, its keys
// and taps, and the registry's changes to its items.
bool HandleToday(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    switch (msg) {
    case WM_WININICHANGE:
        if (wParam == kTodayItemsChanged)
            g_today->Rebuild();
        return true;
    case WM_TIMER:
        if (wParam != kTodayPollTimer)
            return false;
        g_today->Poll();
        return true;
    // Keys come to the focus window. The desktop takes the focus whenever
    // it becomes active (DefWindowProc's WM_ACTIVATE): at boot, from the
    // Start menu's "Today" and when the program in front goes. Items get
    // their keys from the screen, as the selection messages.
    case WM_KEYDOWN: return g_today->OnKey(static_cast<UINT>(wParam));
    case WM_LBUTTONDOWN: {
        POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        g_today->OnTap(point);
        return true;
    }
    case TODAYM_GETCOLOR: result = shell::TodayHost::Color(wParam); return true;
    case TODAYM_DRAWWATERMARK:
        if (lParam)
            g_today->DrawWatermark(*reinterpret_cast<const TODAYDRAWWATERMARKINFO*>(lParam));
        result = TRUE;
        return true;
    case TODAYM_TOOKSELECTION: g_today->OnTookSelection(reinterpret_cast<HWND>(wParam)); return true;
    default: return false;
    }
}

LRESULT CALLBACK DesktopProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (g_today && HandleToday(msg, wParam, lParam, result))
        return result;
    switch (msg) {
    // The desktop follows the screen; the task bar follows the desktop.
    case WM_SIZE:
        PlaceTaskBar();
        if (g_today)
            g_today->Layout();
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return ShellWindowProc(hwnd, msg, wParam, lParam);
    }
}

bool Register(HINSTANCE instance, LPCWSTR className, WNDPROC proc)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wc.lpszClassName = className;
    return RegisterClassW(&wc) != 0;
}

bool RegisterClasses(HINSTANCE instance)
{
    if (!Register(instance, kDesktopClass, DesktopProc) || !Register(instance, kTaskBarClass, TaskBarProc) ||
        !shell::RegisterTodaySettings(instance) || !shell::RegisterRemovePrograms(instance))
        return false;
    for (const ShellWindow& w : kAlwaysPresent)
        if (!Register(instance, w.className, ShellWindowProc))
            return false;
    return true;
}

HWND CreateDesktop(HINSTANCE instance)
{
    // The Today items are its children, which its painting leaves alone.
    return CreateWindowExW(0, kDesktopClass, TEXT("Desktop"), WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                           GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), NULL, NULL, instance, NULL);
}

// Shown without taking activation: the desktop keeps it.
HWND CreateShellWindow(HINSTANCE instance, DWORD exStyle, DWORD style, LPCWSTR className, LPCWSTR title)
{
    HWND hwnd = CreateWindowExW(exStyle, className, title, WS_POPUP | style, 0, 0, 0, 0, NULL, NULL, instance, NULL);
    if (hwnd)
        ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    return hwnd;
}

bool CreateShellWindows(HINSTANCE instance)
{
    // A tap on the bar (the Start flag) leaves the active window active, so
    // that its title stays on the bar, as on the device.
    g_taskBar = CreateShellWindow(instance, WS_EX_TOPMOST | WS_EX_NOACTIVATE, 0, kTaskBarClass, TEXT("Tray"));
    if (!g_taskBar)
        return false;
    PlaceTaskBar();
    SetTimer(g_taskBar, kClockTimer, shell::UntilNextMinute(), NULL);
    // Disabled, so that when a program's window goes activation passes over
    // them to the next program or the desktop.
    for (const ShellWindow& w : kAlwaysPresent)
        if (!CreateShellWindow(instance, 0, WS_DISABLED, w.className, w.title))
            return false;
    return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nShowCmd)
{
    g_instance = hInstance;
    if (!RegisterClasses(hInstance))
        return 1;
    HWND desktop = CreateDesktop(hInstance);
    g_desktop = desktop;
    if (!desktop || !CreateShellWindows(hInstance))
        return 1;
    shell::TodayHost today(desktop);
    g_today = &today;
    today.Build();
    SetTimer(desktop, kTodayPollTimer, kTodayPollMs, NULL);
    // After boot the desktop is the foreground window, as on the device.
    SetForegroundWindow(desktop);
    shell::InstallPendingCabinets();

    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    g_today = NULL;
    return (int)msg.wParam;
}
