// The Win32/CE API as the device programs see it.
//
// On the simulator host this is the platform's own declaration set. Under a
// Windows toolchain (the conformance build) the real <windows.h> is used and
// only the CE-only calls and records are added on top of it.
#pragma once

#if defined(_WIN32)

// CE's entry point takes the command line as LPWSTR; the desktop headers'
// LPSTR declaration is renamed so that it does not clash with it.
#define WinMain DesktopWinMain
#include_next <windows.h>
#undef WinMain
#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>
#include "ce/ce_only.h"

#else

#include "ce/types.h"
#include "ce/errors.h"
#include "ce/memory.h"
#include "ce/registry.h"
#include "ce/files.h"
#include "ce/status.h"
#include "ce/user.h"
#include "ce/windowing.h"
#include "ce/dialogs.h"
#include "ce/menus.h"
#include "ce/gdi.h"
#include "ce/text.h"
#include "ce/process.h"
#include "ce/resources.h"
#include "ce/modules.h"
#include "ce/crt.h"

#endif
