// The setup library interface of the device's cabinet installer: the four
// functions a cabinet's setup library exports by name, which the installer
// calls before and after it installs or removes the application, and the
// answers they give.
#pragma once

#include <windows.h>

typedef enum {
    codeINSTALL_INIT_CONTINUE = 0,
    codeINSTALL_INIT_CANCEL
} codeINSTALL_INIT;

typedef enum {
    codeINSTALL_EXIT_DONE = 0,
    codeINSTALL_EXIT_UNINSTALL
} codeINSTALL_EXIT;

typedef enum {
    codeUNINSTALL_INIT_CONTINUE = 0,
    codeUNINSTALL_INIT_CANCEL
} codeUNINSTALL_INIT;

typedef enum {
    codeUNINSTALL_EXIT_DONE = 0
} codeUNINSTALL_EXIT;

// The exports' names, as the installer looks them up.
#define szINSTALL_INIT TEXT("Install_Init")
#define szINSTALL_EXIT TEXT("Install_Exit")
#define szUNINSTALL_INIT TEXT("Uninstall_Init")
#define szUNINSTALL_EXIT TEXT("Uninstall_Exit")

typedef codeINSTALL_INIT (*pfnINSTALL_INIT)(HWND hwndParent, BOOL fFirstCall, BOOL fPreviouslyInstalled,
                                             LPCTSTR pszInstallDir);
typedef codeINSTALL_EXIT (*pfnINSTALL_EXIT)(HWND hwndParent, LPCTSTR pszInstallDir, WORD cFailedDirs,
                                             WORD cFailedFiles, WORD cFailedRegKeys, WORD cFailedRegVals,
                                             WORD cFailedShortcuts);
typedef codeUNINSTALL_INIT (*pfnUNINSTALL_INIT)(HWND hwndParent, LPCTSTR pszInstallDir);
typedef codeUNINSTALL_EXIT (*pfnUNINSTALL_EXIT)(HWND hwndParent);

// What a setup library defines.
extern "C" {
codeINSTALL_INIT Install_Init(HWND hwndParent, BOOL fFirstCall, BOOL fPreviouslyInstalled, LPCTSTR pszInstallDir);
codeINSTALL_EXIT Install_Exit(HWND hwndParent, LPCTSTR pszInstallDir, WORD cFailedDirs, WORD cFailedFiles,
                              WORD cFailedRegKeys, WORD cFailedRegVals, WORD cFailedShortcuts);
codeUNINSTALL_INIT Uninstall_Init(HWND hwndParent, LPCTSTR pszInstallDir);
codeUNINSTALL_EXIT Uninstall_Exit(HWND hwndParent);
}
