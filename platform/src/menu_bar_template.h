// The soft-key bar's tool-bar template (an RCDATA resource, the SHMENUBAR
// layout): the menu resource's id, the button count, then seven words per
// button: image, command, state, style, string id, 0, submenu index.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "ce/types.h"

namespace platform {

// A bar has a left and a right soft key.
constexpr size_t kMaxSoftKeys = 2;

// A button's submenu index when it has no menu.
constexpr WORD kNoSubmenu = 0xFFFF;

struct MenuBarButtonTemplate {
    WORD image = 0;
    WORD command = 0;
    BYTE state = 0;
    BYTE style = 0;
    WORD stringId = 0;
    WORD submenu = kNoSubmenu;
};

struct MenuBarTemplate {
    WORD menuId = 0;
    std::vector<MenuBarButtonTemplate> buttons;
};

// Nothing when the bytes are shorter than the count says, the count is 0 or
// more than the soft keys, the reserved word is not 0, a state or style does
// not fit its byte, or a drop-down button names no submenu.
std::optional<MenuBarTemplate> ReadMenuBarTemplate(std::span<const BYTE> bytes);

}  // namespace platform
