#include "today/strip_layout.h"

#include "settings/number_format.h"
#include "today/running_tasks.h"

void SampleStripFigures(int displayMode, StripFigures* figures)
{
    memset(figures, 0, sizeof(*figures));
    SampleBattery(&figures->battery);
    SampleMemory(&figures->memory);
    SampleStorage(&figures->storage);
    if (displayMode == DISPLAY_RUNNING_TASKS)
        figures->taskCount = CountRunningTasks();
}

// Offsets written for QVGA lose their correction on a VGA screen: with
// v = 1 on QVGA and 0 on VGA, 16 - 8v is 8 and 16.
struct Frame {
    int L, T, R, H;
    int v;
    double s;
};

static StripStep* Add(StripLayout* layout, StripStepKind kind, int x, int y)
{
    StripStep* step = &layout->steps[layout->count++];
    memset(step, 0, sizeof(*step));
    step->kind = kind;
    step->x = x;
    step->y = y;
    return step;
}

// Texts are put together from up to three parts; a part may be NULL.
static void AddText(StripLayout* layout, int x, int y, UINT format, const WCHAR* first, const WCHAR* second = NULL,
    const WCHAR* third = NULL)
{
    StripStep* step = Add(layout, kStripText, x, y);
    step->format = format;
    const WCHAR* parts[] = { first, second, third };
    for (const WCHAR* part : parts) {
        if (part == NULL)
            continue;
        size_t length = wcslen(step->text);
        wcsncpy(step->text + length, part, STRIP_TEXT_MAX - 1 - length);
        step->text[STRIP_TEXT_MAX - 1] = 0;
    }
}

// "87%", and with a prefix "Main Battery 87%".
static void AddPercentText(StripLayout* layout, int x, int y, UINT format, const WCHAR* prefix, int percent)
{
    WCHAR number[16];
    _itow(percent, number, 10);
    AddText(layout, x, y, format, prefix, number, TEXT("%"));
}

// "12.34MB Free" with the locale's decimal separator.
static void AddMegabyteText(StripLayout* layout, int x, int y, UINT format, double bytes)
{
    WCHAR number[FORMAT_FIXED_MAX];
    FormatFixed(Megabytes(bytes), 2, number, FORMAT_FIXED_MAX, TRUE);
    AddText(layout, x, y, format, number, TEXT("MB Free"));
}

static void AddVerticalMeter(StripLayout* layout, int x, int y, int percent, BOOL singleForm, BOOL alternate)
{
    StripStep* step = Add(layout, kStripVerticalMeter, x, y);
    step->percent = percent;
    step->singleForm = singleForm;
    step->alternate = alternate;
}

static void AddBatteryMeter(StripLayout* layout, int x, int y, int percent)
{
    Add(layout, kStripBatteryMeter, x, y)->percent = percent;
}

static void AddKeptImage(StripLayout* layout, int x, int y, KeptImage kept)
{
    Add(layout, kStripKeptImage, x, y)->kept = kept;
}

static int UsedPercent(double free, double total)
{
    return (int)(100.0 - PercentOf(free, total));
}

static BOOL BackupAbsent(const BatterySample& battery)
{
    return (battery.backupState & BATTERY_STATE_NOT_PRESENT) != 0;
}

static void LayoutBatteries(const StripInput& in, const Frame& f, StripLayout* layout)
{
    const BatterySample& battery = in.figures->battery;
    int main = (int)battery.mainPercent;
    int backup = (int)battery.backupPercent;
    int w = in.batteryWidth;
    if (in.rowMode == ROW_MODE_SINGLE) {
        BOOL showBackup = in.displayMode == DISPLAY_BACKUP_BATTERY;
        int p = showBackup ? backup : main;
        AddVerticalMeter(layout, f.L, f.T + (int)f.s, p, TRUE, FALSE);
        AddBatteryMeter(layout, f.L + 16 - 8 * f.v, f.T, p);
        int x = f.L + w + 20 - 8 * f.v;
        if (showBackup && BackupAbsent(battery))
            AddText(layout, x, f.T, STRIP_TEXT_CENTRED, TEXT("Backup Battery - Not Present"));
        else
            AddPercentText(layout, x, f.T, STRIP_TEXT_CENTRED, showBackup ? TEXT("Backup Battery ") : TEXT("Main Battery "), p);
        return;
    }
    AddVerticalMeter(layout, f.L, f.T + 1, main, FALSE, FALSE);
    int x = f.L + 16 - 8 * f.v;
    AddBatteryMeter(layout, x, f.T + 1, main);
    AddPercentText(layout, x + w + 2, f.T + 4, STRIP_TEXT_TOP, NULL, main);
    AddText(layout, f.L + 18 - 9 * f.v, f.T + 36 - 18 * f.v, STRIP_TEXT_TOP, TEXT("Main Battery"));

    AddVerticalMeter(layout, f.L + f.H, f.T + 1, backup, FALSE, FALSE);
    x = f.L + f.H + 16 - 8 * f.v;
    AddBatteryMeter(layout, x, f.T + 1, backup);
    if (BackupAbsent(battery))
        AddText(layout, x + w + 2, f.T + 4, STRIP_TEXT_TOP, TEXT("N/A"));
    else
        AddPercentText(layout, x + w + 2, f.T + 4, STRIP_TEXT_TOP, NULL, backup);
    AddText(layout, f.L + f.H + 18 - 9 * f.v, f.T + 36 - 18 * f.v, STRIP_TEXT_TOP, TEXT("Backup Battery"));
}

static void LayoutMemory(const StripInput& in, const Frame& f, StripLayout* layout)
{
    const MEMORYSTATUS& memory = in.figures->memory;
    const StorageSample& storage = in.figures->storage;
    int programUsed = UsedPercent((double)memory.dwAvailPhys, (double)memory.dwTotalPhys);
    double programFree = (double)memory.dwAvailPhys;
    int storageUsed = UsedPercent((double)storage.storeFree, (double)storage.storeSize);
    double storageFree = (double)storage.storeFree;
    int w = in.memoryWidth;
    if (in.rowMode == ROW_MODE_SINGLE) {
        BOOL program = in.displayMode == DISPLAY_PROGRAM_MEMORY;
        int used = program ? programUsed : storageUsed;
        AddVerticalMeter(layout, f.L, f.T + (int)f.s, used, TRUE, TRUE);
        int x = f.L + 10 - 5 * f.v;
        AddKeptImage(layout, x, f.T, kMemoryImage);
        AddPercentText(layout, x + w + 4, f.T, STRIP_TEXT_CENTRED, program ? TEXT("Program Mem ") : TEXT("Storage Mem "), used);
        AddMegabyteText(layout, f.L, f.T, STRIP_TEXT_RIGHT, program ? programFree : storageFree);
        return;
    }
    AddVerticalMeter(layout, f.L, f.T + 1, programUsed, FALSE, TRUE);
    int x = f.L + 12 - 6 * f.v;
    AddKeptImage(layout, x, f.T, kMemoryImage);
    AddMegabyteText(layout, x + w + 2, f.T + 4, STRIP_TEXT_TOP, programFree);
    AddPercentText(layout, f.L + 16 - 8 * f.v, f.T + 36 - 18 * f.v, STRIP_TEXT_TOP, TEXT("Program Mem "), programUsed);

    AddVerticalMeter(layout, f.L + f.H, f.T + 1, storageUsed, FALSE, TRUE);
    x = f.L + f.H + 16 - 8 * f.v;
    AddKeptImage(layout, x, f.T, kMemoryImage);
    AddMegabyteText(layout, x + w + 2, f.T + 4, STRIP_TEXT_TOP, storageFree);
    AddPercentText(layout, f.L + f.H + 18 - 9 * f.v, f.T + 36 - 18 * f.v, STRIP_TEXT_TOP, TEXT("Storage Mem "),
        storageUsed);
}

static void AddCardText(StripLayout* layout, int x, int y, UINT format, BOOL absent, int used)
{
    if (absent)
        AddText(layout, x, y, format, TEXT("No Card"));
    else
        AddPercentText(layout, x, y, format, TEXT("SD Card "), used);
}

static void LayoutCard(const StripInput& in, const Frame& f, StripLayout* layout)
{
    const StorageSample& storage = in.figures->storage;
    double total = (double)storage.cardTotal;
    BOOL absent = storage.cardTotal == 0;
    double free = absent ? 0.0 : (double)storage.cardTotalFree;
    // A card of size 0 reads as all used.
    int used = UsedPercent(free, total);
    int w = in.storageWidth;
    if (in.rowMode == ROW_MODE_SINGLE) {
        AddVerticalMeter(layout, f.L, f.T + (int)f.s, used, TRUE, TRUE);
        int x = f.L + 12 - 6 * f.v;
        AddKeptImage(layout, x, f.T, kStorageImage);
        AddCardText(layout, x + w + 6, f.T, STRIP_TEXT_CENTRED, absent, used);
        AddMegabyteText(layout, f.L, f.T, STRIP_TEXT_RIGHT, free);
        return;
    }
    AddVerticalMeter(layout, f.L, f.T + 1, absent ? 0 : used, FALSE, TRUE);
    int x = f.L + 16 - 8 * f.v;
    AddKeptImage(layout, x, f.T, kStorageImage);
    AddMegabyteText(layout, x + w + 4, f.T + 4, STRIP_TEXT_TOP, free);
    AddCardText(layout, f.L + 18 - 9 * f.v, f.T + 36 - 18 * f.v, STRIP_TEXT_TOP, absent, used);
}

static void LayoutTasks(const StripInput& in, const Frame& f, StripLayout* layout)
{
    int n = in.figures->taskCount;
    WCHAR number[16];
    _itow(n, number, 10);
    BOOL single = in.rowMode == ROW_MODE_SINGLE;
    const WCHAR* press = single && n > 0 ? TEXT(" Press Action") : NULL;
    UINT format = single ? STRIP_TEXT_CENTRED : STRIP_TEXT_TOP;
    if (n == 0)
        AddText(layout, f.L, f.T, format, TEXT("No Running Tasks."));
    else
        AddText(layout, f.L, f.T, format, number, n == 1 ? TEXT(" Running Task.") : TEXT(" Running Tasks."), press);
    if (!single && n > 0)
        AddText(layout, f.L, f.T + (int)(22 * f.s), STRIP_TEXT_TOP, TEXT("Action Button To View Tasks"));
    StripStep* info = Add(layout, kStripImage, f.R - (int)(2 * f.s) - (int)(20 * f.s), f.T);
    info->image = TEXT("home_info");
}

void LayoutStrip(const StripInput& in, StripLayout* layout)
{
    layout->count = 0;
    Frame f;
    f.L = in.content.left;
    f.T = in.content.top;
    f.R = in.content.right;
    f.H = (f.R - f.L) / 2;
    f.v = in.vga ? 0 : 1;
    f.s = in.scale;
    if (in.noInstallPath || in.loading) {
        AddText(layout, f.L + 5, f.T, STRIP_TEXT_CENTRED,
            in.noInstallPath ? TEXT("Initialize: Start Quib Monitor") : TEXT("Please Wait: Quib Monitor Loading"));
        return;
    }
    switch (in.displayMode) {
    case DISPLAY_MAIN_BATTERY:
    case DISPLAY_BACKUP_BATTERY:
        LayoutBatteries(in, f, layout);
        break;
    case DISPLAY_PROGRAM_MEMORY:
    case DISPLAY_STORAGE_MEMORY:
        LayoutMemory(in, f, layout);
        break;
    case DISPLAY_STORAGE_CARD:
    case DISPLAY_DEVICE_STORAGE:
        LayoutCard(in, f, layout);
        break;
    case DISPLAY_RUNNING_TASKS:
        LayoutTasks(in, f, layout);
        break;
    default:
        break;
    }
}
