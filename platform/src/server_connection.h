// How this process reaches its device server.
#pragma once

#include <memory>

#include "device_services.h"

namespace platform {

// Uses the given server from now on (tests and the in-process device).
// Without a call, the first use of Server() starts an in-process device
// from DEVSIM_ROOT (default "./devroot") and DEVSIM_PROFILE (default "qvga").
void ConnectInProcess(std::unique_ptr<DeviceServer> server);

// Forgets the current server; the next Server() call connects anew.
void Disconnect();

}  // namespace platform
