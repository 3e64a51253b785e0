// The libraries LoadLibraryW has loaded into this process.
#pragma once

#include "ce/types.h"

namespace platform {

// The loaded library a name stands for: a full device path, or a file name
// (".dll" when it has no extension) matched against the loaded libraries'
// names; without regard to case. Null when none is loaded by that name.
HMODULE FindLoadedLibrary(LPCWSTR name);

}  // namespace platform
