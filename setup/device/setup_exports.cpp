// The setup library's entry point and the four functions the device's
// cabinet installer calls by name. Only the start of a removal has work.
#include <ce_setup.h>
#include <windows.h>

#include "setup/device/uninstall.h"

static HINSTANCE g_module = NULL;

BOOL WINAPI DllMain(HINSTANCE hinstDLL, DWORD dwReason, LPVOID lpvReserved)
{
    if (dwReason == DLL_PROCESS_ATTACH)
        g_module = hinstDLL;
    return TRUE;
}

codeINSTALL_INIT Install_Init(HWND hwndParent, BOOL fFirstCall, BOOL fPreviouslyInstalled, LPCTSTR pszInstallDir)
{
    return codeINSTALL_INIT_CONTINUE;
}

codeINSTALL_EXIT Install_Exit(HWND hwndParent, LPCTSTR pszInstallDir, WORD cFailedDirs, WORD cFailedFiles,
                              WORD cFailedRegKeys, WORD cFailedRegVals, WORD cFailedShortcuts)
{
    return codeINSTALL_EXIT_DONE;
}

// Every way through answers continue: the removal goes on with whatever
// the user chose to leave running.
codeUNINSTALL_INIT Uninstall_Init(HWND hwndParent, LPCTSTR pszInstallDir)
{
    PrepareUninstall();
    return codeUNINSTALL_INIT_CONTINUE;
}

codeUNINSTALL_EXIT Uninstall_Exit(HWND hwndParent)
{
    return codeUNINSTALL_EXIT_DONE;
}
