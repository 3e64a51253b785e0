#include "today/today_item.h"

#include <shellapi.h>

#include "graphics/image_paths.h"
#include "graphics/screen_metrics.h"
#include "graphics/shared_resources.h"
#include "graphics/tga_reader.h"
#include "status/battery_status.h"
#include "today/running_tasks.h"

static TodayItem* s_item = NULL;
static TodayLibrary s_library = { NULL, NULL, NULL, FALSE, FALSE, 0, NULL, NULL };

static const WCHAR* const kKeptImageNames[kKeptImageCount] = {
    TEXT("home_battery"), TEXT("home_arrows"), TEXT("home_storage"),
    TEXT("home_memory"), TEXT("home_device"), TEXT("home_device2"),
};

TodayItem* CurrentItem()
{
    return s_item;
}

TodayLibrary& Library()
{
    return s_library;
}

// Every path is built by appending to the install path, so one written
// without its trailing backslash gets it here. A path with no room left
// for it names nothing that can be opened and counts as none.
static void ReadInstallPath(WCHAR* path)
{
    ReadRegString(SETTINGS_SUBKEY, TEXT("InstPath"), TEXT(""), path);
    size_t length = wcslen(path);
    if (length == 0 || path[length - 1] == '\\')
        return;
    if (length + 1 >= REG_TEXT_MAX) {
        path[0] = 0;
        return;
    }
    path[length] = '\\';
    path[length + 1] = 0;
}

TodayItem* CreateTodayItem(HWND window)
{
    TodayItem* item = new TodayItem;
    memset(item, 0, sizeof(*item));
    // Any value but 1 is the double row; it is kept as 0 so that a switch
    // always changes the form.
    item->rowMode = ReadRegInt(TEXT("HomeRow"), TEXT("1"), SETTINGS_SUBKEY) == ROW_MODE_SINGLE ? ROW_MODE_SINGLE : 0;
    item->displayMode = DISPLAY_MAIN_BATTERY;
    item->loading = TRUE;
    item->window = window;
    s_item = item;

    ComputeScreenMetrics();
    CreateSharedResources(window, NULL);
    ReadInstallPath(item->installPath);

    SetTimer(window, IMAGE_TIMER, IMAGE_INTERVAL_MS, NULL);
    InvalidateRect(window, NULL, TRUE);
    s_library.sizeChanged = TRUE;
    return item;
}

void DestroyTodayItem()
{
    TodayItem* item = s_item;
    s_item = NULL;
    if (item == NULL)
        return;
    if (item->menu)
        DestroyMenu(item->menu);
    if (s_library.frameDc)
        DeleteDC(s_library.frameDc);
    if (s_library.frameBitmap)
        DeleteObject(s_library.frameBitmap);
    s_library.frameDc = NULL;
    s_library.frameBitmap = NULL;
    for (int i = 0; i < kKeptImageCount; ++i)
        FreeAlphaImage(item->images[i]);
    if (item->font)
        DeleteObject(item->font);
    ReleaseSharedResources();
    delete item;
}

int ItemHeight(const TodayItem* item)
{
    if (item == NULL)
        return 16;
    BOOL vga = GetScreenMetrics().vga;
    int base;
    if (item->rowMode == ROW_MODE_SINGLE)
        base = vga ? 18 : 20;
    else
        base = vga ? 32 : 34;
    return (int)(base * GetScreenMetrics().scaleY);
}

AlphaImage* ReadItemImage(const TodayItem* item, const WCHAR* name)
{
    // Without quibmonitor's folder there is nothing to read the pictures
    // from.
    if (item->installPath[0] == 0)
        return NULL;
    WCHAR path[REG_TEXT_MAX + MAX_PATH];
    wcscpy(path, item->installPath);
    wcscat(path, GraphicsTgaPath(name));
    AlphaImage* image = NULL;
    ReadTga(path, &image);
    return image;
}

void LoadItemImages(TodayItem* item)
{
    if (item->images[kBatteryImage] == NULL)
        item->images[kBatteryImage] = ReadItemImage(item, kKeptImageNames[kBatteryImage]);
    if (item->images[kBatteryImage] == NULL)
        return;
    KillTimer(item->window, IMAGE_TIMER);
    for (int i = kBatteryImage + 1; i < kKeptImageCount; ++i) {
        if (item->images[i] == NULL)
            item->images[i] = ReadItemImage(item, kKeptImageNames[i]);
    }
    item->taskCount = CountRunningTasks();
    item->loading = FALSE;
    InvalidateRect(item->window, NULL, TRUE);
}

static BOOL BackupBatteryPresent()
{
    BatterySample sample;
    memset(&sample, 0, sizeof(sample));
    SampleBattery(&sample);
    return (sample.backupState & BATTERY_STATE_NOT_PRESENT) == 0;
}

static int StepLeft(int mode, int step)
{
    mode -= step;
    if (mode < 0)
        mode = DISPLAY_RUNNING_TASKS;
    if (mode == DISPLAY_BACKUP_BATTERY && !BackupBatteryPresent())
        mode = DISPLAY_MAIN_BATTERY;
    if (mode == DISPLAY_DEVICE_STORAGE)
        mode = DISPLAY_STORAGE_CARD;
    return mode;
}

static int StepRight(int mode, int step)
{
    mode += step;
    if (mode == DISPLAY_DEVICE_STORAGE)
        mode = DISPLAY_RUNNING_TASKS;
    if (mode == DISPLAY_BACKUP_BATTERY && !BackupBatteryPresent())
        mode = DISPLAY_PROGRAM_MEMORY;
    if (mode > DISPLAY_RUNNING_TASKS)
        mode = DISPLAY_MAIN_BATTERY;
    return mode;
}

BOOL HandleItemKey(TodayItem* item, UINT key)
{
    if (key == ITEM_KEY_ACTION) {
        if (item->displayMode == DISPLAY_RUNNING_TASKS)
            StartQuibMonitor(item, TRUE);
        else
            SwitchRowMode(item);
        return TRUE;
    }
    if (key != ITEM_KEY_LEFT && key != ITEM_KEY_RIGHT)
        return FALSE;
    // The double-row form shows two displays at once.
    int step = item->rowMode == ROW_MODE_SINGLE ? 1 : 2;
    if (key == ITEM_KEY_LEFT)
        item->displayMode = StepLeft(item->displayMode, step);
    else
        item->displayMode = StepRight(item->displayMode, step);
    WriteRegInt(TEXT("HomeMode"), item->displayMode, SETTINGS_SUBKEY);
    if (item->displayMode == DISPLAY_RUNNING_TASKS)
        item->taskCount = CountRunningTasks();
    InvalidateRect(item->window, NULL, TRUE);
    return TRUE;
}

void SwitchRowMode(TodayItem* item)
{
    item->rowMode = !item->rowMode;
    InvalidateRect(item->window, NULL, TRUE);
    s_library.sizeChanged = TRUE;
    WriteRegInt(TEXT("HomeRow"), item->rowMode, SETTINGS_SUBKEY);
}

void StartQuibMonitor(const TodayItem* item, BOOL popupTasks)
{
    WCHAR file[REG_TEXT_MAX + 16];
    wcscpy(file, item->installPath);
    wcscat(file, TEXT("quibmonitor.exe"));
    SHELLEXECUTEINFO info;
    memset(&info, 0, sizeof(info));
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = TEXT("open");
    info.lpFile = file;
    info.lpParameters = popupTasks ? TEXT("/HOMETASK") : NULL;
    info.nShow = SW_SHOWNORMAL;
    // The new program is not watched; its handle is only closed.
    if (ShellExecuteEx(&info) && info.hProcess)
        CloseHandle(info.hProcess);
}
