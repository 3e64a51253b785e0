// Pins the device's record layouts in the 32-bit conformance build, where
// the real Windows headers and ours meet. Compiled there only.
#include <windows.h>
#include <shellapi.h>
#include <commctrl.h>
#include <aygshell.h>
#include <imgdecmp.h>
#include <todaycmn.h>
#include <cstddef>

static_assert(sizeof(void*) == 4, "the conformance build is the 32-bit device's");

static_assert(sizeof(SYSTEM_POWER_STATUS_EX2) == 56, "power status record");
static_assert(offsetof(SYSTEM_POWER_STATUS_EX2, BatteryFlag) == 1, "main flag byte");
static_assert(offsetof(SYSTEM_POWER_STATUS_EX2, BatteryLifePercent) == 2, "main percentage byte");
static_assert(offsetof(SYSTEM_POWER_STATUS_EX2, BackupBatteryFlag) == 13, "backup flag byte");
static_assert(offsetof(SYSTEM_POWER_STATUS_EX2, BackupBatteryLifePercent) == 14, "backup percentage byte");

static_assert(sizeof(MEMORYSTATUS) == 32, "memory status record");
static_assert(offsetof(MEMORYSTATUS, dwTotalPhys) == 8, "total physical bytes");
static_assert(offsetof(MEMORYSTATUS, dwAvailPhys) == 12, "available physical bytes");

static_assert(sizeof(SHELLEXECUTEINFO) == 60, "shell execute record");
static_assert(offsetof(SHELLEXECUTEINFO, hProcess) == 56, "process handle is the last field");

static_assert(sizeof(SHMENUBARINFO) == 36, "menu bar record");
static_assert(offsetof(SHMENUBARINFO, hwndMB) == 28, "menu bar handle");

static_assert(sizeof(TBBUTTONINFO) == 32, "toolbar button record");

static_assert(sizeof(DLGTEMPLATE) == 18, "dialog template header");
static_assert(sizeof(DLGITEMTEMPLATE) == 18, "dialog item template");

static_assert(sizeof(SHRGINFO) == 20, "gesture record");
static_assert(offsetof(SHRGINFO, dwFlags) == 16, "gesture flags");

static_assert(sizeof(SIPINFO) == 48, "input panel record");
static_assert(offsetof(SIPINFO, rcVisibleDesktop) == 8, "visible desktop");

static_assert(sizeof(DecompressImageInfo) == 60, "decompression request record");
static_assert(offsetof(DecompressImageInfo, pfnGetData) == 48, "data callback");
static_assert(offsetof(DecompressImageInfo, crTransparentOverride) == 56, "transparent colour override");

static_assert(sizeof(TODAYLISTITEM) == 628, "Today item record");
static_assert(offsetof(TODAYLISTITEM, cyp) == 72, "item height");
static_assert(offsetof(TODAYLISTITEM, fEnabled) == 76, "enabled flag");
static_assert(offsetof(TODAYLISTITEM, szDLLPath) == 88, "library path");
static_assert(offsetof(TODAYLISTITEM, hinstDLL) == 608, "library instance");
static_assert(WM_TODAYCUSTOM_QUERYREFRESHCACHE == 0x04F3 && WM_TODAYCUSTOM_ACTION == 0x04F7, "item messages");
static_assert(TODAYM_GETCOLOR == 0x0464 && TODAYM_TOOKSELECTION == 0x0466, "shell messages");
