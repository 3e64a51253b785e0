// A library's entry point (its DllMain). A CE library names it in its image
// header; a host shared object publishes it under a fixed name, which
// LoadLibraryW calls with DLL_PROCESS_ATTACH once the library is loaded (a
// FALSE answer unloads it again) and FreeLibrary with DLL_PROCESS_DETACH
// before the last reference goes. Host builds only.
#pragma once

#include <windows.h>

typedef BOOL(WINAPI* ModuleEntryProc)(HINSTANCE hinstDLL, DWORD dwReason, LPVOID lpvReserved);

// Defined by a library that has an entry point.
extern "C" __attribute__((visibility("default"))) const ModuleEntryProc platform_module_entry;
