// Which buttons a message box style shows and which of them the keys answer.
#pragma once

#include <cstddef>
#include <vector>

#include "ce/types.h"

namespace platform {

// The button identifiers (IDOK, IDCANCEL, ...) of the style's button set,
// left to right; empty for a button set the platform does not know.
std::vector<int> MessageBoxButtons(UINT style);

// Index of the MB_DEFBUTTONn button; one beyond the set means the first.
size_t MessageBoxDefaultIndex(UINT style, size_t buttonCount);

// The answer of ESCAPE and of closing the box: Cancel when shown, else No,
// else OK for an OK-only box; 0 when the box cannot be dismissed that way.
int MessageBoxEscapeAnswer(const std::vector<int>& buttons);

}  // namespace platform
