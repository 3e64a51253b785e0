// The built-in "STATIC" window class: a line or paragraph of text, left,
// centred or right, in the font its dialog gives it.
#pragma once

namespace platform {

// Registers the class in this process, as the system's classes are in
// every process.
void RegisterStaticClass();

}  // namespace platform
