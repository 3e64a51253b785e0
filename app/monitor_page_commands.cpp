// The main page's menu commands and its tap-and-hold menu.
#include "app/monitor_page.h"

#include <aygshell.h>
#include <shellapi.h>

#include "app/monitor_window.h"
#include "app/page_menus.h"
#include "settings/settings_store.h"
#include "settings/string_table.h"
#include "status/battery_status.h"
#include "ui/skin_window.h"

#define CONTROL_PANEL TEXT("\\windows\\ctlpnl.exe")

// Starts the program; FALSE when it cannot be started.
static BOOL StartProgram(const WCHAR* file, const WCHAR* parameters)
{
    SHELLEXECUTEINFOW info;
    ZeroMemory(&info, sizeof(info));
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = TEXT("open");
    info.lpFile = file;
    info.lpParameters = parameters;
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteEx(&info))
        return FALSE;
    // The panel is not watched.
    if (info.hProcess)
        CloseHandle(info.hProcess);
    return TRUE;
}

// The settings program, or the control panel on its page when it is
// missing.
static void StartSettingsPanel(const WCHAR* program, const WCHAR* panelPage)
{
    if (!StartProgram(program, NULL))
        StartProgram(CONTROL_PANEL, panelPage);
}

BOOL MonitorPage::OnCommand(WPARAM commandId)
{
    MonitorWindow* window = (MonitorWindow*)m_window;
    int command = (int)LOWORD(commandId);
    if (command == POWER_PANEL_COMMAND) {
        StartSettingsPanel(IsVersion5OrLater() ? TEXT("\\windows\\power.exe") : TEXT("\\windows\\powerexe.exe"),
                           TEXT("cplmain.cpl,3"));
        return TRUE;
    }
    if (command == BACKLIGHT_PANEL_COMMAND) {
        StartSettingsPanel(TEXT("\\windows\\backlight.exe"), TEXT("cplmain.cpl,6"));
        return TRUE;
    }
    if (command >= HIGHLIGHT_COMMAND_BASE) {
        WriteRegInt(TEXT("HomePlugHilight"), command - HIGHLIGHT_COMMAND_BASE, SETTINGS_SUBKEY);
        BuildMonitorPageMenu(window);
        return TRUE;
    }
    if (command > THEME_COMMAND_BASE && command <= THEME_COMMAND_LAST) {
        // The page is made anew for the new theme; only the window is used
        // from here on.
        if (!window->ApplyThemeRow(command - THEME_COMMAND_BASE))
            return FALSE;
        BuildMonitorPageMenu(window);
        return TRUE;
    }
    if (m_agreementMode && command == LEFT_SOFT_KEY_COMMAND) {
        AcceptAgreement();
        return TRUE;
    }
    if (m_agreementMode && command == RIGHT_SOFT_KEY_COMMAND) {
        PostQuitMessage(0);
        return TRUE;
    }
    switch (command) {
    case LEFT_SOFT_KEY_COMMAND: window->HandleRequest(SWITCH_PAGE_REQUEST, TASK_LIST_PAGE_ID); return TRUE;
    case REFRESH_COMMAND: UpdateFigures(); return TRUE;
    case QUIT_COMMAND: PostQuitMessage(0); return TRUE;
    }
    return FALSE;
}

BOOL MonitorPage::OnStylus(UINT message, WPARAM keys, LPARAM point)
{
    if (message == WM_LBUTTONDOWN) {
        SHRGINFO gesture;
        ZeroMemory(&gesture, sizeof(gesture));
        gesture.cbSize = sizeof(gesture);
        gesture.hwndClient = m_window->Window();
        gesture.ptDown.x = (short)LOWORD(point);
        gesture.ptDown.y = (short)HIWORD(point);
        gesture.dwFlags = SHRG_RETURNCMD;
        if (SHRecognizeGesture(&gesture) == GN_CONTEXTMENU) {
            OpenContextMenu(point);
            return TRUE;
        }
    }
    return Page::OnStylus(message, keys, point);
}

void MonitorPage::OpenContextMenu(LPARAM point)
{
    HWND window = m_window->Window();
    POINT screen = {(short)LOWORD(point), (short)HIWORD(point)};
    MapWindowPoints(window, NULL, &screen, 1);
    BuildMenuBar(window, kMonitorContextMenu, MONITOR_CONTEXT_MENU_COUNT);
    SetMenuText(MENU_KIND_CONTEXT, POWER_PANEL_COMMAND, TEXT("Power Settings Panel"));
    SetMenuText(MENU_KIND_CONTEXT, BACKLIGHT_PANEL_COMMAND, TEXT("Backlight Settings Panel"));
    TrackPopupMenuEx(MenuBars()->contextMenu, 0, screen.x, screen.y, window, NULL);
}
