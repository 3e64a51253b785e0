// A stand-in with a soft-key bar, for scenarios of the bar and its menus.
//   menubar.exe [TEMPLATE]
// Its window spans the work area above the bar. TEMPLATE 101 (the default)
// has a plain "Done" key and a "Menu" key opening the menu resource's popup;
// 102 two plain keys. A command shows a message box "command N"; Quit (103)
// ends the program; a tap on the window opens a context menu at the point.
#include <windows.h>
#include <aygshell.h>
#include <commctrl.h>

#include "command_words.h"

namespace {

const WCHAR kClass[] = TEXT("DevsimMenuBar");
const UINT kQuit = 103;
const UINT kSteel = 202;

HWND g_bar = NULL;

bool CreateBar(HWND hwnd, UINT templateId)
{
    SHMENUBARINFO info = {};
    info.cbSize = sizeof info;
    info.hwndParent = hwnd;
    info.nToolBarId = templateId;
    info.hInstRes = GetModuleHandleW(NULL);
    if (!SHCreateMenuBar(&info))
        return false;
    g_bar = info.hwndMB;
    // The right key's text comes at run time, as the device program sets it.
    TBBUTTONINFO button = {};
    button.cbSize = sizeof button;
    button.dwMask = TBIF_TEXT;
    button.pszText = (LPWSTR)TEXT("Menu");
    SendMessageW(g_bar, TB_SETBUTTONINFO, 100, (LPARAM)&button);
    // A check by command reaches into the submenu.
    button.dwMask = TBIF_LPARAM;
    if (SendMessageW(g_bar, TB_GETBUTTONINFO, 100, (LPARAM)&button) >= 0 && button.lParam)
        CheckMenuItem((HMENU)button.lParam, kSteel, MF_BYCOMMAND | MF_CHECKED);
    return true;
}

void OpenContextMenu(HWND hwnd, LPARAM lParam)
{
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(hwnd, &point);
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 300, TEXT("Power Settings Panel"));
    AppendMenuW(menu, MF_STRING, 301, TEXT("Backlight Settings Panel"));
    int chosen = (int)TrackPopupMenuEx(menu, TPM_RETURNCMD, point.x, point.y, hwnd, NULL);
    DestroyMenu(menu);
    if (chosen)
        PostMessageW(hwnd, WM_COMMAND, chosen, 0);
}

void OnCommand(HWND hwnd, UINT id)
{
    if (id == kQuit) {
        DestroyWindow(hwnd);
        return;
    }
    WCHAR text[32];
    wsprintfW(text, TEXT("command %u"), id);
    MessageBoxW(hwnd, text, TEXT("menubar"), MB_OK);
}

LRESULT CALLBACK MenuBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_COMMAND: OnCommand(hwnd, LOWORD(wParam)); return 0;
    case WM_LBUTTONDOWN: OpenContextMenu(hwnd, lParam); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nShowCmd)
{
    std::u16string_view rest = SkipBlanks(lpCmdLine ? lpCmdLine : TEXT(""));
    unsigned long templateId = 101;
    if (!rest.empty() && !TakeNumber(rest, templateId))
        return 255;

    WNDCLASSW wc = {};
    wc.lpfnWndProc = MenuBarProc;
    wc.hInstance = hInstance;
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wc.lpszClassName = kClass;
    if (!RegisterClassW(&wc))
        return 1;
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    HDC screen = GetDC(NULL);
    int barHeight = 26 * GetDeviceCaps(screen, LOGPIXELSY) / 96;
    ReleaseDC(NULL, screen);
    HWND hwnd = CreateWindowExW(0, kClass, TEXT("Menus"), WS_VISIBLE, work.left, work.top, work.right - work.left,
                                work.bottom - work.top - barHeight, NULL, NULL, hInstance, NULL);
    if (!hwnd || !CreateBar(hwnd, (UINT)templateId))
        return 1;
    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return (int)msg.wParam;
}
