// Records that travel whole between the platform library and the server.
#pragma once

#include "device_profile.h"
#include "device_services.h"
#include "wire.h"

namespace sim {

void WriteStatus(WireWriter& out, const platform::DeviceStatus& status);
platform::DeviceStatus ReadStatus(WireReader& in);

struct ScreenInfo {
    int32_t width = 240;
    int32_t height = 320;
    int32_t dpi = 96;
    // Screen minus the task bar.
    int32_t workLeft = 0, workTop = 26, workRight = 240, workBottom = 320;
    // A desktop PC: drive-letter paths, captioned windows with frames.
    bool desktop = false;
};

void WriteScreen(WireWriter& out, const ScreenInfo& screen);
ScreenInfo ReadScreen(WireReader& in);

// The screen and work area a profile gives.
ScreenInfo ScreenOf(const DeviceProfile& profile);

}  // namespace sim
