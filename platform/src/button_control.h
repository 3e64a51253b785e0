// The built-in "BUTTON" window class, as push buttons: BS_PUSHBUTTON and
// BS_DEFPUSHBUTTON, clicked by a tap released inside them.
#pragma once

namespace platform {

// Registers the class in this process, as the system's classes are in
// every process.
void RegisterButtonClass();

}  // namespace platform
