// What the Start menu lists: the shortcuts of the device's Start menu
// folders, read from the device's file system.
#pragma once

#include <string>
#include <vector>

#include "shortcut_file.h"

namespace shell {

struct StartMenuItem {
    std::u16string name;  // the file name without ".lnk"
    Shortcut shortcut;
};

// The shortcuts in \Windows\Start Menu\Programs, then those in \Windows\Start
// Menu, each folder's by name without regard to case. Files that are not
// shortcuts are left out: there is nothing to start.
std::vector<StartMenuItem> ReadStartMenuItems();

}  // namespace shell
