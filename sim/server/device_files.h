// Files of the device's file system, handled by the simulator itself (not a
// program): filling a root from the image, a script's delete, the profile's
// omitted image files.
#pragma once

#include <string>
#include <vector>

namespace sim {

// Fills an empty root with the image's folders and files. Files are hard
// links to the image's where the file system allows (programs copy a shared
// file before they write it), copies elsewhere. False with the reason in
// `error` when a folder or file cannot be made.
// Paths in `omit` (relative to the image, '/'-separated) are left out with
// everything below them.
bool FillDeviceRoot(const std::string& imagePath, const std::string& rootPath, std::string& error,
                    const std::vector<std::string>& omit = {});

// Puts a host file into the root at a relative path ('/'-separated),
// making its folders; false with the reason in `error` when it cannot.
bool PlaceHostFile(const std::string& rootPath, const std::string& relative, const std::string& hostFile,
                   std::string& error);

// Removes the file at a CE path below the root (matched without regard to
// case, as programs see it); false when there is no such file, it is a
// folder, the path is not a valid one inside the root, or it cannot go.
bool DeleteDeviceFile(const std::string& rootPath, const std::u16string& cePath);

}  // namespace sim
