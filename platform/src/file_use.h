// The files processes hold while they run: a running program's own file and
// the libraries a process has loaded, which the device keeps from being
// deleted or renamed meanwhile. The device server keeps the account, since
// the holders are other processes.
#pragma once

#include <string_view>

namespace platform {

// The process's first reference to the library at that device path, and
// its last one going.
void ReportLibraryLoaded(std::u16string_view devicePath);
void ReportLibraryFreed(std::u16string_view devicePath);

// Whether some running process holds the file at that device path.
bool IsFileInUse(std::u16string_view devicePath);

}  // namespace platform
