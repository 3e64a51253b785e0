// The device's cabinet installer (\Windows\wceload.exe): installs a device
// cabinet through the platform API, as the device's own installer does, and
// records what it installed for removal.
#pragma once

#include <string>

enum class InstallResult {
    kInstalled = 0,
    kRefused = 1,    // an unsound cabinet, another OS version, too little storage
    kFailed = 2,     // a copy failed; what was copied is gone again
    kCancelled = 3,  // the user or the setup library said no
};

// Installs the cabinet at a device path; every refusal and failure is told
// to the user in a message box and leaves the device as it was. Logs
// "install app=... file=... dir=..." per file and "install-done app=...
// result=N" at the end.
InstallResult InstallCabinet(const std::u16string& cabinetPath);
