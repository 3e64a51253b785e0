// Files of the device's file system, handled by the simulator itself (not a
// program): a script's delete, the profile's omitted image files.
#pragma once

#include <string>

namespace sim {

// Removes the file at a CE path below the root (matched without regard to
// case, as programs see it); false when there is no such file, it is a
// folder, the path is not a valid one inside the root, or it cannot go.
bool DeleteDeviceFile(const std::string& rootPath, const std::u16string& cePath);

}  // namespace sim
