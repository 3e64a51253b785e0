// The built-in "EDIT" window class: a read-only, multi-line, word-wrapped
// text with a vertical scroll bar, drawn in the device's system font.
#pragma once

namespace platform {

// Registers the class in this process, as the system's classes are in
// every process; true when it is there.
bool RegisterEditClass();

}  // namespace platform
