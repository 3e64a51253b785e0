// What the setup library does before the installer removes the application:
// the Today screen lets go of the item, and the application's windows are
// closed so that their files can be deleted.
#pragma once

#include <windows.h>

// The plug-in's entry, with the double quotes that are part of its name.
#define TODAY_ITEM_KEY TEXT("Software\\Microsoft\\Today\\Items\\\"QuibMonitor\"")
// Class name and title alike.
#define MAIN_WINDOW_NAME TEXT("Quib Monitor")
#define POPUP_WINDOW_NAME TEXT("Quib Monitor Tasks")

// Deletes the Today entry and has the Today screen load its items again.
void RemoveTodayItem();

// Up to ten attempts at closing the window of that class and title; TRUE
// when it is gone.
BOOL CloseApplicationWindow(LPCWSTR name);

// The whole sequence, asking whether to try again while a window stays.
void PrepareUninstall();
