// Shell folders.
#pragma once

#if defined(_WIN32)

#include_next <shlobj.h>

#else

#include "windows.h"

#define CSIDL_DESKTOPDIRECTORY 0x0010
#define CSIDL_PROGRAMS 0x0002
#define CSIDL_PERSONAL 0x0005
#define CSIDL_STARTUP 0x0007
#define CSIDL_STARTMENU 0x000b
#define CSIDL_FONTS 0x0014
#define CSIDL_APPDATA 0x001a
#define CSIDL_WINDOWS 0x0024
#define CSIDL_PROGRAM_FILES 0x0026

BOOL SHGetSpecialFolderPath(HWND hwndOwner, LPWSTR lpszPath, int nFolder, BOOL fCreate);

#endif
