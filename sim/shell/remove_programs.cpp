#include "remove_programs.h"

#include <shellapi.h>

#include "shell_drawing.h"

namespace shell {
namespace {

const WCHAR kRemoveClass[] = TEXT("RemovePrograms");
const WCHAR kAppsKey[] = TEXT("Software\\Apps");
const WCHAR kUnload[] = TEXT("\\Windows\\unload.exe");
const int kHeaderHeight = 24;
const int kRowHeight = 20;
// How often a running removal is looked at, to list anew once it ends.
const UINT_PTR kRemovalTimer = 1;
const UINT kRemovalPollMs = 500;

HWND g_window = NULL;
std::vector<std::u16string> g_apps;
HANDLE g_removal = NULL;

bool IsInstalled(HKEY apps, const WCHAR* name)
{
    HKEY key = NULL;
    if (RegOpenKeyExW(apps, name, 0, 0, &key) != ERROR_SUCCESS)
        return false;
    DWORD installed = 0;
    DWORD type = 0;
    DWORD size = sizeof(installed);
    bool ok = RegQueryValueExW(key, TEXT("Instl"), NULL, &type, (BYTE*)&installed, &size) == ERROR_SUCCESS &&
              type == REG_DWORD && installed == 1;
    RegCloseKey(key);
    return ok;
}

void Paint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    Fill(dc, client, RGB(255, 255, 255));
    HFONT bold = CreateShellFont(9, true);
    HFONT normal = CreateShellFont(8, false);
    RECT header = {Scaled(6), 0, client.right, Scaled(kHeaderHeight)};
    DrawShellText(dc, TEXT("Remove Programs"), header, DT_LEFT | DT_VCENTER | DT_SINGLELINE, RGB(0, 32, 99), bold);
    for (size_t row = 0; row < g_apps.size(); ++row) {
        int top = Scaled(kHeaderHeight + static_cast<int>(row) * kRowHeight);
        RECT line = {Scaled(6), top, client.right - Scaled(6), top + Scaled(kRowHeight)};
        DrawShellText(dc, g_apps[row].c_str(), line, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS,
                      RGB(0, 0, 0), normal);
        DrawShellText(dc, TEXT("Remove"), line, DT_RIGHT | DT_VCENTER | DT_SINGLELINE, kBarTop, normal);
    }
    DeleteObject(normal);
    DeleteObject(bold);
    EndPaint(hwnd, &ps);
}

void ListAnew(HWND hwnd)
{
    g_apps = ReadInstalledApplications();
    InvalidateRect(hwnd, NULL, TRUE);
}

// One removal at a time; the list is read again when it has ended.
void OnTap(HWND hwnd, LPARAM lParam)
{
    int y = GET_Y_LPARAM(lParam) - Scaled(kHeaderHeight);
    size_t row = y >= 0 ? static_cast<size_t>(y / Scaled(kRowHeight)) : g_apps.size();
    if (g_removal || row >= g_apps.size())
        return;
    std::u16string parameters = u"\"" + g_apps[row] + u"\"";
    SHELLEXECUTEINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.hwnd = hwnd;
    info.lpFile = kUnload;
    info.lpParameters = parameters.c_str();
    info.nShow = SW_SHOW;
    if (!ShellExecuteEx(&info))
        return;
    g_removal = info.hProcess;
    SetTimer(hwnd, kRemovalTimer, kRemovalPollMs, NULL);
}

void OnRemovalTimer(HWND hwnd)
{
    if (g_removal && WaitForSingleObject(g_removal, 0) != WAIT_OBJECT_0)
        return;
    KillTimer(hwnd, kRemovalTimer);
    if (g_removal)
        CloseHandle(g_removal);
    g_removal = NULL;
    ListAnew(hwnd);
}

LRESULT CALLBACK RemoveProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: Paint(hwnd); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONUP: OnTap(hwnd, lParam); return 0;
    case WM_TIMER:
        if (wParam == kRemovalTimer)
            OnRemovalTimer(hwnd);
        return 0;
    case WM_DESTROY:
        g_window = NULL;
        return 0;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

std::vector<std::u16string> ReadInstalledApplications()
{
    std::vector<std::u16string> apps;
    HKEY key = NULL;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kAppsKey, 0, 0, &key) != ERROR_SUCCESS)
        return apps;
    for (DWORD index = 0;; ++index) {
        WCHAR name[MAX_PATH];
        DWORD length = MAX_PATH;
        if (RegEnumKeyExW(key, index, name, &length, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        if (IsInstalled(key, name))
            apps.push_back(name);
    }
    RegCloseKey(key);
    return apps;
}

bool RegisterRemovePrograms(HINSTANCE instance)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = RemoveProc;
    wc.hInstance = instance;
    wc.lpszClassName = kRemoveClass;
    return RegisterClassW(&wc) != 0;
}

// Over the work area, as the device's settings pages are.
void OpenRemovePrograms(HINSTANCE instance)
{
    if (!g_window) {
        RECT work;
        if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
            SetRect(&work, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        g_window = CreateWindowExW(0, kRemoveClass, TEXT("Remove Programs"), WS_POPUP | WS_VISIBLE, work.left,
                                   work.top, work.right - work.left, work.bottom - work.top, NULL, NULL, instance, NULL);
    }
    if (g_window) {
        ListAnew(g_window);
        SetForegroundWindow(g_window);
    }
}

}  // namespace shell
