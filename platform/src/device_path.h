// Mapping between CE paths and host paths inside the device root.
#pragma once

#include <string>

#include "ce/types.h"

namespace platform {

// Maps a CE path ("\Program Files\x.ini", case-insensitive, backslashes or
// slashes) onto the host path below the device root. Existing components are
// matched without regard to case; missing ones keep the given spelling.
// Fails for paths that would leave the root ("..") or are not valid text.
bool MapDevicePath(const WCHAR* cePath, std::string& hostPath);

// The CE path of a host path inside the device root; empty when outside.
std::u16string DevicePathOf(const std::string& hostPath);

}  // namespace platform
