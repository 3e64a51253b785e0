// This process's menus: the objects behind HMENU values and the item lookup
// the menu calls share.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "ce/types.h"

namespace platform {

// Longer item texts are cut to this many characters when they are set.
constexpr size_t kMaxMenuItemText = 255;

// Windows refuses menus nested deeper than this; the limit also keeps a
// menu that holds itself from looping the lookups.
constexpr int kMaxMenuDepth = 25;

struct MenuItem {
    UINT type = 0;   // MFT_SEPARATOR, MFT_RADIOCHECK; MF_POPUP when it opens a submenu
    UINT state = 0;  // MFS_CHECKED, MFS_GRAYED
    // The command. A popup item's identifier is its submenu's handle value,
    // as AppendMenu's MF_POPUP gives it on Windows.
    UINT id = 0;
    HMENU submenu = nullptr;
    ULONG_PTR data = 0;
    std::u16string text;

    bool IsSeparator() const;
    bool IsPopup() const;
};

struct Menu {
    bool popup = true;  // CreatePopupMenu rather than CreateMenu
    std::vector<MenuItem> items;
};

HMENU CreateMenuObject(bool popup);
// The menu behind a handle of this process, or null.
Menu* FindMenu(HMENU handle);
// Forgets the menu and, as DestroyMenu does, every submenu below it.
void DestroyMenuObject(HMENU handle);

struct ItemPlace {
    HMENU menu = nullptr;  // the menu that holds the item
    size_t index = 0;
};

// Finds an item as the menu calls do. By position: the item at that index of
// the menu itself. By command: the first item with that identifier in the
// menu, searching each popup item's submenu before the popup item itself; a
// popup item whose identifier matches is taken only when nothing else in the
// menu does.
std::optional<ItemPlace> FindMenuItem(HMENU menu, UINT item, bool byPosition);

// The text cut to kMaxMenuItemText characters.
std::u16string MenuItemText(const char16_t* text);

}  // namespace platform
