// The program's one top-level window: reads the settings and the language
// at construction, keeps the Today entry and "InstPath" current, and writes
// the settings file back at teardown.
#pragma once

#include <windows.h>

class Page;
class SkinImage;
class StringTable;
class ThemeFile;

// In the program directory.
#define SETTINGS_FILE_NAME TEXT("quibmonitor.ini")

// "progress", "progress_gray" and "progress2", for the meter bars.
#define METER_IMAGE_COUNT 3

class MonitorWindow {
public:
    // Loads the settings file, the language list and the text table (with
    // their message boxes and a posted quit when they are missing), stores
    // "InstPath" and makes sure the Today entry exists.
    explicit MonitorWindow(HINSTANCE instance);
    virtual ~MonitorWindow();

    // Every message the entry's window procedure does not handle itself.
    virtual LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Once, right after the window has been created.
    virtual void OnAttach(HWND window);

    // The directory of the running executable, with its trailing backslash.
    const WCHAR* ProgramDirectory() const { return m_programDirectory; }
    int LanguageNumber() const { return m_languageNumber; }
    const WCHAR* ThemeName() const { return m_themeName; }

    // 1 in popup mode; set by the entry point before OnAttach.
    BOOL popup;
    // Set once the window exists and is attached: resizing waits for it.
    BOOL ready;

private:
    MonitorWindow(const MonitorWindow&);
    MonitorWindow& operator=(const MonitorWindow&);

    void ReadProgramDirectory();
    void PlaceOnVisibleDesktop();

    // FIXME: the window handle, the instance and the program directory
    // belong to the SkinWindow base, which also owns the back buffer; they
    // move there with the drawing layer.
    HWND m_window;
    HINSTANCE m_instance;
    WCHAR m_programDirectory[MAX_PATH];

    COLORREF m_textColour;
    int m_pageId;
    Page* m_page;
    Page* m_overlay;
    int m_languageNumber;
    SkinImage* m_background;
    SkinImage* m_meterImages[METER_IMAGE_COUNT];
    SkinImage* m_popupSkin;
    ThemeFile* m_themeFile;
    WCHAR m_themeName[MAX_PATH];
    StringTable* m_themeList;
};
