// Common controls library: its initialisation. No common control class is
// implemented; the call registers nothing and succeeds.
#pragma once

#include "windows.h"

#if defined(_WIN32)

#include_next <commctrl.h>

#else

typedef struct tagINITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
} INITCOMMONCONTROLSEX, *LPINITCOMMONCONTROLSEX;

#define ICC_LISTVIEW_CLASSES 0x00000001
#define ICC_TREEVIEW_CLASSES 0x00000002
#define ICC_BAR_CLASSES 0x00000004
#define ICC_TAB_CLASSES 0x00000008
#define ICC_UPDOWN_CLASS 0x00000010
#define ICC_PROGRESS_CLASS 0x00000020
#define ICC_DATE_CLASSES 0x00000100

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* lpInitCtrls);

#endif
