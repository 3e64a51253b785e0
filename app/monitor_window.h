// The program's one top-level window: reads the settings and the language
// at construction, holds the theme and its pictures, shows one page at a
// time and routes the window's messages to it.
#pragma once

#include <windows.h>

#include "ui/meter_bar.h"
#include "ui/skin_window.h"

class Page;
class StringTable;
class ThemeFile;
struct SkinImage;

// In the program directory.
#define SETTINGS_FILE_NAME TEXT("quibmonitor.ini")

// Page ids.
#define MONITOR_PAGE_ID 1
#define TASK_LIST_PAGE_ID 2
#define POPUP_TASK_PAGE_ID 4

// Posted by the window to itself: finish a theme change in popup mode,
// and the window became active.
#define THEME_REFRESH_MESSAGE 0x0BD0
#define REACTIVATED_MESSAGE 0x0BDA

class MonitorWindow : public SkinWindow {
public:
    // Loads the settings file, the language list and the text table (with
    // their message boxes and a posted quit when they are missing), stores
    // "InstPath" and makes sure the Today entry exists.
    explicit MonitorWindow(HINSTANCE instance);
    // Releases the pictures and writes the settings file back.
    ~MonitorWindow() override;

    void DrawContent(HDC dc, const PAINTSTRUCT* paint) override;
    LRESULT HandleRequest(UINT request, LPARAM param) override;
    LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCommand(WPARAM commandId) override;
    // Kind 200 is a meter bar drawn with the window's meter pictures.
    Control* CreateCustomControl(const ControlDesc* desc, Page* page) override;
    // Once, right after the window has been created: meter pictures,
    // placement and background from the theme, then the start page.
    virtual void OnAttach(HWND window);

    // Switches to the page of that id (always the popup task page in popup
    // mode); an id without a page leaves the window without one.
    void ShowPage(int pageId);
    // Builds the current page anew, for a new screen shape or theme.
    void RecreatePage();

    // Loads the theme and moves the window: over the visible desktop, or
    // in popup mode to the popup skin's place and size.
    void PlaceWindow();
    // The theme's JPEG in normal mode; in popup mode a capture of the
    // screen under the window.
    void PrepareBackground();
    // Switches to the named theme and keeps it in the settings.
    void ApplyTheme(const WCHAR* themeName);
    // ApplyTheme with the theme in that row of the theme list; FALSE when
    // there is no such row. The page may be made anew: callers use only
    // the window afterwards.
    BOOL ApplyThemeRow(int row);

    int LanguageNumber() const { return m_languageNumber; }
    int CurrentPageId() const { return m_pageId; }
    Page* CurrentPage() const { return m_page; }
    Page* Overlay() const { return m_overlay; }
    const SkinImage* Background() const { return m_background; }
    const SkinImage* PopupSkin() const { return m_popupSkin; }
    const ThemeFile* Theme() const { return m_themeFile; }
    const StringTable* ThemeList() const { return m_themeList; }
    // Set from the start of a theme change in popup mode until the popup
    // is shown again, so that the deactivation it causes does not end the
    // program.
    static BOOL ThemeChanging();

    // 1 in popup mode; set by the entry point before OnAttach.
    BOOL popup;
    // Set once the window exists and is attached: resizing waits for it.
    BOOL ready;

private:
    Page* CreatePage(int pageId);
    void LoadMeterImages();
    void ReleaseBackground();
    void RouteKey(UINT message, WPARAM wParam, LPARAM lParam);
    void FinishPopupThemeChange();

    static BOOL s_themeChanging;

    int m_pageId;
    Page* m_page;
    Page* m_overlay;
    int m_languageNumber;
    SkinImage* m_background;
    SkinImage* m_meterImages[METER_IMAGE_COUNT];
    SkinImage* m_popupSkin;
    ThemeFile* m_themeFile;
    StringTable* m_themeList;
};
