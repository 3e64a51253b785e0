// The window's side of the theme: placement, background and switching.
#include "app/monitor_window.h"

#include <aygshell.h>

#include "graphics/image_paths.h"
#include "graphics/image_table.h"
#include "graphics/screen_metrics.h"
#include "graphics/skin_image.h"
#include "graphics/theme_file.h"
#include "settings/ini_file.h"
#include "settings/program_path.h"

// A popup skin name from the theme is at most this long.
#define SKIN_NAME_MAX 256

// Copies the screen's pixels under area into bitmap, or back to the screen.
static void CopyScreenArea(HBITMAP bitmap, const RECT* area, BOOL toScreen)
{
    int width = area->right - area->left;
    int height = area->bottom - area->top;
    HDC screen = GetDC(NULL);
    HDC imageDc = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(imageDc, bitmap);
    if (toScreen)
        BitBlt(screen, area->left, area->top, width, height, imageDc, 0, 0, SRCCOPY);
    else
        BitBlt(imageDc, 0, 0, width, height, screen, area->left, area->top, SRCCOPY);
    SelectObject(imageDc, previous);
    DeleteDC(imageDc);
    ReleaseDC(NULL, screen);
}

void MonitorWindow::PlaceWindow()
{
    LoadTheme(m_programDirectory, &m_themeFile, &m_themeList);

    SIPINFO info = {};
    info.cbSize = sizeof(info);
    SHSipInfo(SPI_GETSIPINFO, 0, &info, 0);
    const RECT& desktop = info.rcVisibleDesktop;
    if (!popup) {
        MoveWindow(m_window, desktop.left, desktop.top, desktop.right - desktop.left, desktop.bottom - desktop.top,
                   TRUE);
        return;
    }

    WCHAR name[SKIN_NAME_MAX] = {0};
    int left = 0;
    int top = 0;
    const WCHAR* value = m_themeFile->Text(TEXT("popupbackground"), VariantSuffix());
    if (value)
        ParseNameLeftTop(value, name, SKIN_NAME_MAX, &left, &top);

    ReleaseImage(m_popupSkin, FALSE);
    m_popupSkin = NULL;
    // The live setting, not the one read at start: after a theme change
    // in popup mode the new theme's skin is placed.
    const WCHAR* themeName = GetSetting(TEXT("theme"), TEXT("Default"));
    WCHAR path[MAX_PATH];
    if (name[0] && ProgramPath(path, m_programDirectory, ThemeTgaPath(name, themeName, TRUE, TRUE)))
        m_popupSkin = GetTgaImage(path);

    if (m_popupSkin && m_popupSkin->HasAlphaImage()) {
        const ScreenMetrics& metrics = GetScreenMetrics();
        MoveWindow(m_window, (int)(left * metrics.scaleX), (int)(top * metrics.scaleY),
                   (int)m_popupSkin->alphaImage->width, (int)m_popupSkin->alphaImage->height, FALSE);
        return;
    }
    ReleaseImage(m_popupSkin, FALSE);
    m_popupSkin = NULL;
    MessageBoxW(NULL, TEXT("Error with Quib Monitor popup skin"), themeName, MB_OK);
    PostQuitMessage(0);
}

void MonitorWindow::PrepareBackground()
{
    ReleaseBackground();
    if (popup) {
        RECT area;
        GetWindowRect(m_window, &area);
        int width = area.right - area.left;
        int height = area.bottom - area.top;
        if (width <= 1 && height <= 1)
            return;
        m_background = SkinImage::CreateBlank(width, height);
        CopyScreenArea(m_background->bitmap, &area, FALSE);
        return;
    }

    BOOL stretched = m_themeFile && m_themeFile->Flag(TEXT("background_stretch"));
    const WCHAR* name = NULL;
    if (m_themeFile) {
        name = m_themeFile->Text(TEXT("background"), stretched ? NULL : VariantSuffix());
        m_textColour = m_themeFile->Colour(TEXT("textcolor"));
    }
    if (name == NULL)
        return;
    // A stretched picture is decoded again, so that it is never stretched
    // from an earlier stretch.
    m_background = GetJpegImage(m_programDirectory, ThemeJpegPath(name, m_themeFile->Name(), !stretched, TRUE),
                                FALSE, stretched);
    if (stretched && m_background) {
        RECT client;
        GetClientRect(m_window, &client);
        m_background->Stretch(client.right - client.left, client.bottom - client.top);
    }
}

void MonitorWindow::ApplyTheme(const WCHAR* themeName)
{
    SetCursor(LoadCursorW(NULL, IDC_WAIT));
    SetSetting(TEXT("theme"), themeName);
    if (!popup) {
        LoadTheme(m_programDirectory, &m_themeFile, &m_themeList);
        PrepareBackground();
        RecreatePage();
        InvalidateRect(m_window, NULL, TRUE);
        SetCursor(LoadCursorW(NULL, IDC_ARROW));
        return;
    }

    // The popup steps aside so that the Today screen can be drawn and
    // captured afresh under its new skin.
    s_themeChanging = TRUE;
    ShowWindow(m_window, SW_HIDE);
    if (m_background && m_background->bitmap) {
        RECT area;
        GetWindowRect(m_window, &area);
        CopyScreenArea(m_background->bitmap, &area, TRUE);
    }
    HWND desktop = GetDesktopWindow();
    SetForegroundWindow(desktop);
    InvalidateRect(desktop, NULL, TRUE);
    UpdateWindow(desktop);
    UpdateWindow(GetParent(m_window));
    PostMessageW(m_window, THEME_REFRESH_MESSAGE, 0, 0);
    SetCursor(LoadCursorW(NULL, IDC_ARROW));
}

BOOL MonitorWindow::ApplyThemeRow(int row)
{
    if (m_themeList == NULL || row < 1 || row > m_themeList->rowCount)
        return FALSE;
    // Copied first: applying the theme rebuilds the theme list.
    WCHAR name[MAX_PATH];
    wcsncpy(name, m_themeList->GetCell(row, 1), MAX_PATH - 1);
    name[MAX_PATH - 1] = 0;
    ApplyTheme(name);
    return TRUE;
}

void MonitorWindow::FinishPopupThemeChange()
{
    HWND desktop = GetDesktopWindow();
    InvalidateRect(desktop, NULL, TRUE);
    UpdateWindow(desktop);
    UpdateWindow(GetParent(m_window));
    // The shell redraws the Today screen meanwhile; that is what the
    // capture below takes.
    Sleep(2000);
    PlaceWindow();
    PrepareBackground();
    RecreatePage();
    ShowWindow(m_window, SW_SHOW);
    InvalidateRect(m_window, NULL, TRUE);
    UpdateWindow(m_window);
    SetForegroundWindow(m_window);
    s_themeChanging = FALSE;
}
