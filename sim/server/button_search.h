// Finding a button by its text, as a user reads it, for scripts that press
// buttons without knowing where a dialog puts them.
#pragma once

#include <string>
#include <string_view>

#include "window_manager.h"

namespace sim {

// A control's text as it shows: each '&' marks the mnemonic and is not
// drawn, "&&" draws one '&'.
std::u16string ShownText(std::u16string_view text);

// The first visible "BUTTON" window below within (depth first, top of the
// z-order first) whose shown text is text; 0 when there is none.
Hwnd FindButton(const WindowManager& windows, Hwnd within, std::u16string_view text);

}  // namespace sim
