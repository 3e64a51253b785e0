// Cabinets the desktop's application manager handed to the device wait in
// \Windows\AppMgr\Install; the shell installs them when the device boots
// (its next connection), one wceload.exe for each.
#pragma once

namespace shell {

void InstallPendingCabinets();

}  // namespace shell
