#include "today/today_drawing.h"

#include <todaycmn.h>

#include "graphics/compositing.h"
#include "graphics/screen_metrics.h"
#include "graphics/skin_font.h"
#include "settings/settings_store.h"
#include "today/strip_layout.h"

static COLORREF HostColour(DWORD index)
{
    return (COLORREF)SendMessageW(Library().hostWindow, TODAYM_GETCOLOR, index, 0);
}

void DrawVerticalMeter(const TodayItem* item, HDC dc, int x, int y, int percent, BOOL singleForm, BOOL alternate)
{
    const WCHAR* fullName;
    if (singleForm)
        fullName = alternate ? TEXT("home_vmeter3a") : TEXT("home_vmeter3");
    else
        fullName = alternate ? TEXT("home_vmeter1a") : TEXT("home_vmeter1");
    AlphaImage* full = ReadItemImage(item, fullName);
    if (full == NULL)
        return;
    int h = (int)full->height;
    AlphaImage* empty = ReadItemImage(item, singleForm ? TEXT("home_vmeter4") : TEXT("home_vmeter2"));
    DrawAlphaImage(dc, empty, x, y);
    FreeAlphaImage(empty);
    int t = (int)(percent * (h * 0.01));
    DrawAlphaImage(dc, full, x, y + h - t, (int)full->width, t, 0, h - t);
    FreeAlphaImage(full);
}

void DrawBatteryMeter(const TodayItem* item, HDC dc, int x, int y, int percent)
{
    DrawAlphaImage(dc, item->images[kBatteryImage], x, y);
    AlphaImage* meter = ReadItemImage(item, TEXT("home_battery_meter"));
    if (meter == NULL)
        return;
    int width = (int)((meter->width * 0.01) * percent);
    DrawAlphaImage(dc, meter, x, y, width, (int)meter->height, 0, 0);
    FreeAlphaImage(meter);
}

// "HomePlugHilight" is the opacity in steps of two out of 255; 0, a
// negative value and anything from 128 on leave the strip as it is.
static void DrawHighlight(HDC dc, const RECT* client)
{
    COLORREF colour = HostColour(TODAYCOLOR_HIGHLIGHT);
    int strength = ReadRegInt(TEXT("HomePlugHilight"), TEXT("50"), SETTINGS_SUBKEY);
    if (strength <= 0)
        return;
    double opacity = strength * 2.0;
    if (opacity >= 256.0)
        return;
    DrawColourBlend(dc, client->left, client->top, client->right - client->left, client->bottom - client->top, colour,
        (UINT)opacity);
}

static int WidthOf(const AlphaImage* image)
{
    return image ? (int)image->width : 0;
}

static void DrawStep(const TodayItem* item, HDC dc, const RECT& content, const StripStep& step)
{
    switch (step.kind) {
    case kStripText: {
        RECT rect = { step.x, step.y, content.right, content.bottom };
        DrawTextW(dc, step.text, -1, &rect, step.format);
        break;
    }
    case kStripImage: {
        AlphaImage* image = ReadItemImage(item, step.image);
        DrawAlphaImage(dc, image, step.x, step.y);
        FreeAlphaImage(image);
        break;
    }
    case kStripKeptImage:
        DrawAlphaImage(dc, item->images[step.kept], step.x, step.y);
        break;
    case kStripVerticalMeter:
        DrawVerticalMeter(item, dc, step.x, step.y, step.percent, step.singleForm, step.alternate);
        break;
    case kStripBatteryMeter:
        DrawBatteryMeter(item, dc, step.x, step.y, step.percent);
        break;
    }
}

void DrawTodayItem(TodayItem* item, HDC dc, const RECT* client, BOOL selected)
{
    COLORREF plain = HostColour(TODAYCOLOR_TEXT);
    COLORREF highlighted = HostColour(TODAYCOLOR_HIGHLIGHTEDTEXT);
    COLORREF previousColour = SetTextColor(dc, selected ? highlighted : plain);
    if (selected)
        DrawHighlight(dc, client);

    AlphaImage* monitor = ReadItemImage(item, TEXT("home_monitor"));
    DrawAlphaImage(dc, monitor, client->left, client->top + 1);
    FreeAlphaImage(monitor);

    const ScreenMetrics& metrics = GetScreenMetrics();
    StripFigures figures;
    memset(&figures, 0, sizeof(figures));
    StripInput input;
    memset(&input, 0, sizeof(input));
    input.content = *client;
    input.content.left += (int)(26 * metrics.scaleX);
    input.content.right -= metrics.vga ? 5 : 1;
    input.vga = metrics.vga;
    input.scale = metrics.scaleX;
    input.rowMode = item->rowMode;
    input.displayMode = item->displayMode;
    input.noInstallPath = item->installPath[0] == 0;
    input.loading = item->loading;
    input.batteryWidth = WidthOf(item->images[kBatteryImage]);
    input.memoryWidth = WidthOf(item->images[kMemoryImage]);
    input.storageWidth = WidthOf(item->images[kStorageImage]);
    input.figures = &figures;
    if (!input.noInstallPath && !input.loading) {
        SampleStripFigures(item->displayMode, &figures);
        if (item->displayMode == DISPLAY_RUNNING_TASKS)
            item->taskCount = figures.taskCount;
    }
    StripLayout layout;
    LayoutStrip(input, &layout);

    // One font for the frame, made and deleted around it.
    item->font = CreateSkinFont(dc, 8, FW_NORMAL, TEXT("Arial"));
    HFONT previousFont = (HFONT)SelectObject(dc, item->font);
    for (int i = 0; i < layout.count; ++i)
        DrawStep(item, dc, input.content, layout.steps[i]);
    SelectObject(dc, previousFont);
    DeleteObject(item->font);
    item->font = NULL;
    SetTextColor(dc, previousColour);
}
