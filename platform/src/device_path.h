// Mapping between CE paths and host paths inside the device root.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ce/files.h"
#include "ce/types.h"

namespace platform {

// Maps a CE path ("\Program Files\x.ini", case-insensitive, backslashes or
// slashes) onto the host path below the device root. Existing components are
// matched without regard to case; missing ones keep the given spelling.
// Fails for paths that would leave the root ("..") or are not valid text.
// On a desktop the root is drive C: as well, so "C:\x" is "\x".
bool MapDevicePath(const WCHAR* cePath, std::string& hostPath);
// The same below a given root folder (the device server's own use), with or
// without the desktop's drive.
bool MapDevicePathIn(const std::string& rootPath, const WCHAR* cePath, std::string& hostPath, bool driveC);

// Like MapDevicePath for a FindFirstFileW argument: maps the folder part and
// hands back the last component, which may hold '*' and '?', unmapped.
// The pattern is empty for a path that ends in a separator.
bool MapDevicePattern(const WCHAR* cePattern, std::string& hostFolder, std::u16string& pattern);

// The CE path of a host path inside the device root; empty when outside.
std::u16string DevicePathOf(const std::string& hostPath);

// The device spelling of a host file name; none when it is not valid UTF-8.
std::optional<std::u16string> DeviceNameOf(const std::string& hostName);

// How a host file or folder looks on the device: attributes, size and
// times (cFileName is left alone). False with errno set when it is missing.
bool DeviceFileInfo(const std::string& hostPath, WIN32_FIND_DATAW& info);

// A device root may share its files with the image it was filled from (hard
// links); a file about to be written is given its own copy first, so that
// writes stay on this device. True when the file is now its own or missing;
// false with errno set when the copy cannot be made.
bool UnshareHostFile(const std::string& hostPath);

// A name in the one case that device names compare in.
std::u16string FoldDeviceName(std::u16string_view name);

}  // namespace platform
