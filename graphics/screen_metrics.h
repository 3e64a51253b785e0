// The screen's scale against the QVGA layouts, computed before the first
// window is drawn and again on every WM_SIZE.
#pragma once

#include <windows.h>

struct ScreenMetrics {
    double scaleX;
    double scaleY;
    // Once set, vga and square stay set for the life of the process.
    BOOL vga;
    BOOL square;
    // 2 on a high-resolution screen that reports 96 logical pixels per
    // inch, so that point sizes still come out at the right height.
    int fontScale;
};

const ScreenMetrics& GetScreenMetrics();
void ComputeScreenMetrics();

// Scales the rectangle in place, truncating toward zero.
void ScaleRect(RECT* rect);

BOOL IsVgaScreen();
BOOL IsSquareScreen();
// True when the visible desktop is wider than a portrait screen.
BOOL IsLandscape();
