#include "remove_programs.h"

#include <shellapi.h>

#include "settings_page.h"

namespace shell {
namespace {

const WCHAR kRemoveClass[] = TEXT("RemovePrograms");
const WCHAR kAppsKey[] = TEXT("Software\\Apps");
const WCHAR kUnload[] = TEXT("\\Windows\\unload.exe");
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
    std::vector<SettingsRow> rows;
    for (const std::u16string& app : g_apps)
        rows.push_back({app, TEXT("Remove"), true});
    PaintSettingsPage(hwnd, TEXT("Remove Programs"), rows);
}

void ListAnew(HWND hwnd)
{
    g_apps = ReadInstalledApplications();
    InvalidateRect(hwnd, NULL, TRUE);
}

// One removal at a time; the list is read again when it has ended.
void OnTap(HWND hwnd, LPARAM lParam)
{
    int row = SettingsRowAt(GET_Y_LPARAM(lParam));
    if (g_removal || row < 0 || static_cast<size_t>(row) >= g_apps.size())
        return;
    std::u16string parameters = u"\"" + g_apps[static_cast<size_t>(row)] + u"\"";
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

void OpenRemovePrograms(HINSTANCE instance)
{
    if (!g_window)
        g_window = CreateSettingsPage(instance, kRemoveClass, TEXT("Remove Programs"));
    if (g_window) {
        ListAnew(g_window);
        SetForegroundWindow(g_window);
    }
}

}  // namespace shell
