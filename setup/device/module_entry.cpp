// The library's entry point as the host's loader finds it; the device's
// loader takes it from the image header.
#include "ce/module_entry.h"

BOOL WINAPI DllMain(HINSTANCE hinstDLL, DWORD dwReason, LPVOID lpvReserved);

extern "C" const ModuleEntryProc platform_module_entry = DllMain;
