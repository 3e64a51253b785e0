// The end-user agreement over the main page until it is accepted once.
#include "app/agreement_text.h"
#include "app/monitor_page.h"
#include "app/monitor_window.h"
#include "app/page_menus.h"
#include "graphics/screen_metrics.h"
#include "settings/ini_file.h"
#include "settings/language_list.h"
#include "settings/program_path.h"

// Child, visible, vertical scroll bar, multi-line, automatic vertical
// scrolling, read-only, accepts the return key.
#define AGREEMENT_EDIT_STYLE 0x50201844

// The shell library's export the edit window is handed to once it holds
// the text.
#define SHELL_LIBRARY TEXT("aygshell.dll")
#define SHELL_EDIT_EXPORT 21

typedef BOOL(WINAPI* ShellEditProc)(HWND window, DWORD flag);

static void HandEditToShell(HWND edit)
{
    HMODULE shell = LoadLibraryW(SHELL_LIBRARY);
    if (shell == NULL)
        return;
    ShellEditProc proc = (ShellEditProc)GetProcAddressW(shell, MAKEINTRESOURCEW(SHELL_EDIT_EXPORT));
    if (proc)
        proc(edit, 1);
    FreeLibrary(shell);
}

BOOL MonitorPage::ShowAgreement()
{
    if (GetSettingInt(TEXT("eula"), 0) == 1)
        return TRUE;
    BuildMenuBar(m_window->Window(), kAgreementMenu, AGREEMENT_MENU_COUNT);
    m_agreementMode = TRUE;
    m_agreementEdit = CreateAgreementEdit();
    if (m_agreementEdit == NULL)
        return FALSE;

    WCHAR* text = new WCHAR[AGREEMENT_TEXT_MAX];
    text[0] = 0;
    WCHAR path[MAX_PATH];
    const StringTable* languages = LanguageList();
    const WCHAR* fileName = languages ? languages->GetCell(0, LANGUAGE_COLUMN_AGREEMENT_FILE) : NULL;
    if (fileName && fileName[0] && ProgramPath(path, m_window->ProgramDirectory(), TEXT("lang\\")) &&
        wcslen(path) + wcslen(fileName) < MAX_PATH) {
        wcscat(path, fileName);
        ReadAgreementText(path, text, AGREEMENT_TEXT_MAX);
    }
    SendMessageW(m_agreementEdit, WM_SETTEXT, 0, (LPARAM)text);
    delete[] text;
    HandEditToShell(m_agreementEdit);
    SetFocus(m_agreementEdit);
    return FALSE;
}

HWND MonitorPage::CreateAgreementEdit()
{
    // A previous Show's window goes; each Show makes its own.
    DestroyAgreementEdit();
    const ScreenMetrics& metrics = GetScreenMetrics();
    RECT area;
    m_window->GetClientArea(&area);
    area.bottom -= (LONG)(25 * metrics.scaleY);
    LONG marginX = (LONG)(5 * metrics.scaleX);
    LONG marginY = (LONG)(5 * metrics.scaleY);
    area.left += marginX;
    area.right -= marginX;
    area.top += marginY;
    area.bottom -= marginY;
    return CreateWindowExW(0, TEXT("EDIT"), TEXT(""), AGREEMENT_EDIT_STYLE, area.left, area.top,
                           area.right - area.left, area.bottom - area.top, m_window->Window(), NULL,
                           m_window->Instance(), NULL);
}

void MonitorPage::DestroyAgreementEdit()
{
    if (m_agreementEdit)
        DestroyWindow(m_agreementEdit);
    m_agreementEdit = NULL;
}

void MonitorPage::AcceptAgreement()
{
    SetSettingInt(TEXT("eula"), 1);
    SaveSettings(m_window->ProgramDirectory(), SETTINGS_FILE_NAME);
    DestroyAgreementEdit();
    m_agreementMode = FALSE;
    BuildMonitorPageMenu((MonitorWindow*)m_window);
}
