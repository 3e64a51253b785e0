#include "app/monitor_window.h"

#include <aygshell.h>

#include "app/today_item_entry.h"
#include "settings/ini_file.h"
#include "settings/language_list.h"
#include "settings/settings_store.h"
#include "settings/text_table.h"

MonitorWindow::MonitorWindow(HINSTANCE instance)
    : popup(FALSE),
      ready(FALSE),
      m_window(NULL),
      m_instance(instance),
      m_textColour(0),
      m_pageId(0),
      m_page(NULL),
      m_overlay(NULL),
      m_languageNumber(1),
      m_background(NULL),
      m_popupSkin(NULL),
      m_themeFile(NULL),
      m_themeList(NULL)
{
    ReadProgramDirectory();
    for (int i = 0; i < METER_IMAGE_COUNT; ++i)
        m_meterImages[i] = NULL;

    LoadSettings(m_programDirectory, SETTINGS_FILE_NAME, TRUE);
    m_languageNumber = GetSettingInt(TEXT("lang"), 1);
    if (m_languageNumber < 1)
        m_languageNumber = 1;
    // A copy: the setting's text changes when a theme is picked later.
    wcsncpy(m_themeName, GetSetting(TEXT("theme"), TEXT("Default")), MAX_PATH - 1);
    m_themeName[MAX_PATH - 1] = 0;

    // Both post the quit themselves when their files are missing; the
    // window is still created, and the loop ends at its first message.
    LoadLanguageList(m_programDirectory, m_languageNumber);
    LoadTextTable(m_programDirectory);

    // The Today item starts the program from this directory.
    WriteRegString(SETTINGS_SUBKEY, TEXT("InstPath"), m_programDirectory);
    EnsureTodayItemEntry();
}

MonitorWindow::~MonitorWindow()
{
    // FIXME: the meter images, the popup skin and the background are to be
    // released through the image table (before and after the save); none is
    // loaded until the image table and themes exist.
    SaveSettings(m_programDirectory, SETTINGS_FILE_NAME);
}

void MonitorWindow::ReadProgramDirectory()
{
    m_programDirectory[0] = 0;
    DWORD length = GetModuleFileNameW(m_instance, m_programDirectory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        m_programDirectory[0] = 0;
        return;
    }
    WCHAR* lastSlash = wcsrchr(m_programDirectory, TEXT('\\'));
    if (lastSlash != NULL)
        lastSlash[1] = 0;
    else
        m_programDirectory[0] = 0;
}

void MonitorWindow::OnAttach(HWND window)
{
    m_window = window;
    // FIXME: the meter images, the theme's placement and background (the
    // popup skin's shape in popup mode) and the start page come with the
    // image table, themes and pages; until then the window covers the
    // visible desktop in both modes and draws nothing of its own.
    PlaceOnVisibleDesktop();
}

void MonitorWindow::PlaceOnVisibleDesktop()
{
    SIPINFO info = {};
    info.cbSize = sizeof(info);
    if (!SHSipInfo(SPI_GETSIPINFO, 0, &info, 0))
        return;
    const RECT& area = info.rcVisibleDesktop;
    MoveWindow(m_window, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
}

LRESULT MonitorWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The popup lives only while it is active. Only WA_ACTIVE counts as
    // active here, so a click activation ends it as well.
    if (message == WM_ACTIVATE && popup && wParam != WA_ACTIVE)
        PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}
