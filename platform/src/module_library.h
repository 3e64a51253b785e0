// The libraries LoadLibraryW has loaded into this process.
#pragma once

#include <optional>
#include <string>

#include "ce/types.h"

namespace platform {

// The loaded library a name stands for: a full device path, or a file name
// (".dll" when it has no extension) matched against the loaded libraries'
// names; without regard to case. Null when none is loaded by that name.
HMODULE FindLoadedLibrary(LPCWSTR name);

// The device path a library LoadLibraryW loaded was found at; none for a
// handle it did not give.
std::optional<std::u16string> LoadedLibraryPath(HMODULE module);

}  // namespace platform
