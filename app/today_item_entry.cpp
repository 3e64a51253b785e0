#include "app/today_item_entry.h"

// The settings change the Today screen answers by loading its items anew.
#define TODAY_RELOAD_ITEMS 0xF2

static void SetLibraryPath(HKEY key)
{
    const WCHAR* path = TODAY_ITEM_LIBRARY;
    RegSetValueExW(key, TEXT("DLL"), 0, REG_SZ, (const BYTE*)path, (DWORD)((wcslen(path) + 1) * sizeof(WCHAR)));
}

static void SetDword(HKEY key, const WCHAR* name, DWORD value)
{
    RegSetValueExW(key, name, 0, REG_DWORD, (const BYTE*)&value, sizeof(value));
}

void EnsureTodayItemEntry()
{
    HKEY key = NULL;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, TODAY_ITEM_KEY, 0, KEY_READ | KEY_WRITE, &key) == ERROR_SUCCESS) {
        // The user may have switched the item off: only the path is ours.
        SetLibraryPath(key);
        RegCloseKey(key);
        return;
    }

    DWORD disposition = 0;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, TODAY_ITEM_KEY, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key,
                        &disposition) != ERROR_SUCCESS)
        return;
    SetLibraryPath(key);
    SetDword(key, TEXT("Enabled"), 1);
    SetDword(key, TEXT("Options"), 0);
    SetDword(key, TEXT("Type"), 4);
    SetDword(key, TEXT("Selectability"), 2);

    // Without this the new item would appear only after a soft reset.
    HWND desktop = GetDesktopWindow();
    SendMessageW(desktop, WM_WININICHANGE, TODAY_RELOAD_ITEMS, 0);
    InvalidateRect(desktop, NULL, TRUE);
    RegCloseKey(key);
}
