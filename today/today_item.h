// The Today item's one state object and the values the library keeps
// beside it. Everything runs on the Today host's user-interface thread.
#pragma once

#include <windows.h>

#include "graphics/alpha_image.h"
#include "settings/settings_store.h"

// Display modes, in the order the navigation keys step through them.
#define DISPLAY_MAIN_BATTERY 0
#define DISPLAY_BACKUP_BATTERY 1
#define DISPLAY_PROGRAM_MEMORY 2
#define DISPLAY_STORAGE_MEMORY 3
#define DISPLAY_STORAGE_CARD 4
#define DISPLAY_DEVICE_STORAGE 5
#define DISPLAY_RUNNING_TASKS 6

#define ROW_MODE_SINGLE 1

// The keys the item answers, as WM_KEYDOWN or the host's navigation and
// action messages bring them.
#define ITEM_KEY_LEFT 0x25
#define ITEM_KEY_RIGHT 0x27
#define ITEM_KEY_ACTION 0x0D

// The item window's timers.
#define REPAINT_TIMER 50
#define REPAINT_INTERVAL_MS 20000
#define IMAGE_TIMER 51
#define IMAGE_INTERVAL_MS 5000

// The pictures loaded once and kept while the item lives.
enum KeptImage {
    kBatteryImage,
    kArrowsImage,
    kStorageImage,
    kMemoryImage,
    kDeviceImage,
    kDevice2Image,
    kKeptImageCount
};

struct TodayItem {
    int rowMode;
    AlphaImage* images[kKeptImageCount];
    BOOL loading;
    HFONT font;
    int displayMode;
    // quibmonitor's folder with its trailing backslash, or empty.
    WCHAR installPath[REG_TEXT_MAX];
    HWND window;
    HMENU menu;
    int taskCount;
};

// The values beside the object, valid while the library is loaded.
struct TodayLibrary {
    HINSTANCE instance;
    HWND itemWindow;
    HWND hostWindow;
    BOOL selected;
    BOOL sizeChanged;
    int reportedHeight;
    HDC frameDc;
    HBITMAP frameBitmap;
};

// NULL while there is no item.
TodayItem* CurrentItem();
TodayLibrary& Library();

// Creates the item for window: row mode from "HomeRow", display mode 0,
// the install path, the shared DCs; starts the image timer.
TodayItem* CreateTodayItem(HWND window);
// Frees the item with its menu, pictures, the off-screen frame and the
// shared DCs, and clears the pointer.
void DestroyTodayItem();

// The strip's height in pixels for the item's row mode.
int ItemHeight(const TodayItem* item);

// Timer 51: loads the kept pictures once "home_battery" can be read.
void LoadItemImages(TodayItem* item);
// The picture install path + "graphics\" + name (+ "_vga") + ".tga", or
// NULL when it cannot be read.
AlphaImage* ReadItemImage(const TodayItem* item, const WCHAR* name);

// Left, right and action keys; FALSE for any other key.
BOOL HandleItemKey(TodayItem* item, UINT key);
void SwitchRowMode(TodayItem* item);
// Starts install path + "quibmonitor.exe", with "/HOMETASK" for the
// popup task list.
void StartQuibMonitor(const TodayItem* item, BOOL popupTasks);
