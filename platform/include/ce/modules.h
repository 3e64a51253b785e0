// Libraries loaded at run time. As on CE, GetProcAddress takes the
// exported name as 16-bit text.
#pragma once

#include "ce/types.h"

typedef INT_PTR (*FARPROC)(void);

HMODULE LoadLibraryW(LPCWSTR lpLibFileName);
FARPROC GetProcAddressW(HMODULE hModule, LPCWSTR lpProcName);
BOOL FreeLibrary(HMODULE hLibModule);

#define LoadLibrary LoadLibraryW
#define GetProcAddress GetProcAddressW

// Why a library's entry point is called.
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
