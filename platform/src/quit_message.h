// The quit request a program posts for its message loop.
#pragma once

namespace platform {

// Whether PostQuitMessage was called, and with which exit code.
bool QuitPosted(int& exitCode);
void ClearQuit();

}  // namespace platform
