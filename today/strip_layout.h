// What one frame of the Today strip shows: the pictures, meters and texts
// of the current display mode in the single-row or double-row form, laid
// out from figures sampled for the frame. Drawing them is today_drawing's.
#pragma once

#include <windows.h>

#include "status/battery_status.h"
#include "status/storage_status.h"
#include "today/today_item.h"

// DrawTextW formats of the strip's texts.
#define STRIP_TEXT_TOP 0
#define STRIP_TEXT_CENTRED 4
#define STRIP_TEXT_RIGHT 6

#define STRIP_TEXT_MAX 96
// The double-row battery display needs the most.
#define STRIP_MAX_STEPS 10

enum StripStepKind {
    kStripText,
    // A picture read for this frame, by name.
    kStripImage,
    // One of the item's kept pictures.
    kStripKeptImage,
    kStripVerticalMeter,
    kStripBatteryMeter,
};

struct StripStep {
    StripStepKind kind;
    int x;
    int y;
    const WCHAR* image;
    KeptImage kept;
    int percent;
    // Vertical meters: the single-row pictures and the "a" variant.
    BOOL singleForm;
    BOOL alternate;
    // Texts are drawn in the content rectangle with its left and top edges
    // moved to x and y.
    UINT format;
    WCHAR text[STRIP_TEXT_MAX];
};

struct StripLayout {
    int count;
    StripStep steps[STRIP_MAX_STEPS];
};

struct StripFigures {
    BatterySample battery;
    MEMORYSTATUS memory;
    StorageSample storage;
    int taskCount;
};

// Fills the figures from the platform; running tasks are counted only for
// the running-tasks display.
void SampleStripFigures(int displayMode, StripFigures* figures);

struct StripInput {
    // The content rectangle: the client rectangle less the icon and the
    // right margin.
    RECT content;
    BOOL vga;
    double scale;
    int rowMode;
    int displayMode;
    BOOL noInstallPath;
    BOOL loading;
    // Widths of the kept pictures the texts are placed after; 0 for one
    // that is not loaded.
    int batteryWidth;
    int memoryWidth;
    int storageWidth;
    const StripFigures* figures;
};

void LayoutStrip(const StripInput& input, StripLayout* layout);
