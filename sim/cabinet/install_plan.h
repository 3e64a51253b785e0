// What installing a device cabinet would do, worked out before anything is
// written: every folder, file and shortcut as a device path, with the
// cabinet checked for everything that would make the installation unsound.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cabinet_container.h"
#include "setup_file.h"

namespace cabinet {

struct PlannedFile {
    std::u16string folder;  // device path, no trailing backslash
    std::u16string name;
    const CabinetMember* member = nullptr;

    std::u16string Path() const { return folder + u"\\" + name; }
};

struct PlannedLink {
    std::u16string path;    // the shortcut file, ending in ".lnk"
    std::u16string target;  // the file or folder it starts
};

struct InstallPlan {
    std::u16string app;
    std::u16string installDir;  // %InstallDir%: the program-files folder + "\" + the application's name
    std::vector<std::u16string> folders;  // every folder the files and shortcuts need, parents first
    std::vector<PlannedFile> files;       // the setup library, when there is one, first
    std::vector<PlannedLink> links;
    bool hasSetupLibrary = false;
    uint64_t bytes = 0;  // of all files
};

// The device folder of a %CEn% macro; empty for one the device does not know.
std::u16string_view FolderOfMacro(unsigned number);

// Plans the installation of a cabinet's members under its setup file:
// every file entry needs its member, numeric extensions are unique, names
// and folders stay inside the device (no "..", no drive or host paths), no
// two files land on one path, and only what this installer can do (files
// and shortcuts, no registry entries) is asked of it.
std::optional<InstallPlan> PlanInstall(const SetupFile& setup, const std::vector<CabinetMember>& members,
                                       std::string& error);

}  // namespace cabinet
