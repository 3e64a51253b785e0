// Menu resources (RT_MENU, the standard template the resource compiler
// writes) turned into menus.
#pragma once

#include <span>

#include "ce/types.h"

namespace platform {

// A menu bar (CreateMenu) holding the template's items, popups as popup
// items with their submenus; null, with ERROR_INVALID_DATA, when the bytes
// are not a whole template. Nothing is read past the bytes given.
HMENU MenuFromTemplate(std::span<const BYTE> bytes);

}  // namespace platform
