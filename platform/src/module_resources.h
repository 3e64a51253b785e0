// Where a module's resources are: the .res image that qm_add_resources
// places behind a fixed symbol in each program and shared library.
#pragma once

#include <span>

#include "ce/types.h"

namespace platform {

// The main program's module handle: the host's handle for the executable,
// as a library's module handle is the one the host's loader gave it.
HMODULE MainModule();

// The .res image the module carries itself; empty when it carries none.
std::span<const BYTE> ModuleResourceImage(HMODULE module);

}  // namespace platform
