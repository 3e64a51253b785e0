// Pocket PC shell library: menu bars, gestures and the input panel.
#pragma once

#include "windows.h"

typedef struct tagSHMENUBARINFO {
    DWORD cbSize;
    HWND hwndParent;
    DWORD dwFlags;
    UINT nToolBarId;
    HINSTANCE hInstRes;
    int nBmpId;
    int cBmpImages;
    HWND hwndMB;
    COLORREF clrBk;
} SHMENUBARINFO, *PSHMENUBARINFO;

#define SHCMBF_EMPTYBAR 0x0001
#define SHCMBF_HIDDEN 0x0002
#define SHCMBF_HIDESIPBUTTON 0x0004
#define SHCMBF_COLORBK 0x0008
#define SHCMBF_HMENU 0x0010

// Creates the soft-key bar of hwndParent from the tool-bar template
// nToolBarId (RCDATA) of hInstRes and the menu resource it names; hwndMB
// receives the bar's window.
BOOL WINAPI SHCreateMenuBar(SHMENUBARINFO* pmbi);

// Messages to the bar's window.
#define SHCMBM_SETSUBMENU (WM_USER + 400)
#define SHCMBM_GETSUBMENU (WM_USER + 401)
#define SHCMBM_GETMENU (WM_USER + 402)
#define SHCMBM_OVERRIDEKEY (WM_USER + 403)

// SHCMBM_OVERRIDEKEY: lParam is MAKELPARAM(mask, value) of these.
#define SHMBOF_NODEFAULT 0x00000001
#define SHMBOF_NOTIFY 0x00000002

// The template's marker for a button without a menu.
#ifndef NOMENU
#define NOMENU 0xFFFF
#endif

// The device's hardware keys (tpcshell.h on the device).
#ifndef VK_TBACK
#define VK_TSOFT1 VK_F1
#define VK_TSOFT2 VK_F2
#define VK_TBACK VK_ESCAPE
#endif

typedef struct tagSHRGI {
    DWORD cbSize;
    HWND hwndClient;
    POINT ptDown;
    DWORD dwFlags;
} SHRGINFO, *PSHRGINFO;

#define SHRG_RETURNCMD 0x00000001
#define SHRG_NOTIFYPARENT 0x00000002
#define SHRG_LONGDELAY 0x00000008
#define SHRG_NOANIMATION 0x00000010

typedef struct tagSIPINFO {
    DWORD cbSize;
    DWORD fdwFlags;
    RECT rcVisibleDesktop;
    RECT rcSipRect;
    DWORD dwImDataSize;
    void* pvImData;
} SIPINFO, *PSIPINFO;

#define SIPF_OFF 0x00000000
#define SIPF_ON 0x00000001
#define SIPF_DOCKED 0x00000002
#define SIPF_LOCKED 0x00000004

#define SPI_SETSIPINFO 224
#define SPI_GETSIPINFO 225

BOOL WINAPI SHSipInfo(UINT uiAction, UINT uiParam, PVOID pvParam, UINT fWinIni);

// Asks the applications running in the background to close (WM_CLOSE to
// their windows) so that dwMemSought bytes of memory come free. Export 10
// of the library.
BOOL WINAPI SHCloseApps(DWORD dwMemSought);

// Tap-and-hold.
#define GN_CONTEXTMENU 1000

DWORD WINAPI SHRecognizeGesture(SHRGINFO* shrg);
