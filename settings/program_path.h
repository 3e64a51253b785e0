// Full paths of the program's files: the program directory (with its
// trailing backslash) followed by a relative path.
#pragma once

#include <windows.h>

// Writes programDirectory + relative into path (MAX_PATH characters).
// FALSE, with path empty, when the result would not fit.
BOOL ProgramPath(WCHAR* path, const WCHAR* programDirectory, const WCHAR* relative);
