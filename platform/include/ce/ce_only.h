// Declarations that Windows CE has and the desktop Windows headers lack,
// for the conformance build against the real <windows.h>.
#pragma once

#include "ce/power_store.h"

// CE looks exports up by 16-bit names; the desktop has only the 8-bit call.
FARPROC WINAPI GetProcAddressW(HMODULE hModule, LPCWSTR lpProcName);
#define GetProcAddress GetProcAddressW
