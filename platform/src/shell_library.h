// The Pocket PC shell library (aygshell.dll) is part of the platform: a
// program loads it by name and reaches its functions by name or by number,
// as on the device, without a file in the device root.
#pragma once

#include <string_view>

#include "ce/modules.h"

namespace platform {

// The shell library's handle when the name (with its extension, folded to
// upper case) denotes it: "AYGSHELL.DLL" or "\WINDOWS\AYGSHELL.DLL".
HMODULE BuiltInLibrary(std::u16string_view foldedName);

bool IsBuiltInLibrary(HMODULE module);

// An export of the shell library, by ordinal (MAKEINTRESOURCE) or by name;
// null when it has none of that number or name.
FARPROC BuiltInExport(LPCWSTR procName);

}  // namespace platform
