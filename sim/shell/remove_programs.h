// The settings' Remove Programs: a window listing the installed
// applications (HKEY_LOCAL_MACHINE\Software\Apps, "Instl" 1), where a tap on
// one's row removes it with \Windows\unload.exe.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace shell {

// The installed applications' names, in the order the registry keeps them.
std::vector<std::u16string> ReadInstalledApplications();

// Registers the window class; once, at start.
bool RegisterRemovePrograms(HINSTANCE instance);
// Brings the window to the front, opening it when it is not.
void OpenRemovePrograms(HINSTANCE instance);

}  // namespace shell
