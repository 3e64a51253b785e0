// The interactive window's controls of the device itself: rotation, the
// main battery, AC power and the storage card; and the window's title,
// which shows them.
#pragma once

#include <string>

#include "devsim/input_mapping.h"
#include "server/device_profile.h"
#include "server/server.h"

namespace sim {

// Carries out a Rotate, BatteryDown, BatteryUp, ToggleAc or ToggleCard
// action and publishes the change as a script's "set" or "rotate" does;
// false for any other kind, and for all of them on a desktop PC.
bool ApplyControl(Server& server, DeviceAction::Kind kind);

// The main battery's flag byte for a level, as a device's power driver
// reports it: high above 66 %, low under 33 %, critical under 5 %, and
// charging while on AC power short of full.
BYTE MainBatteryFlag(BYTE percent, bool acOnline);

// "devsim — qvga 240x320 96 dpi — battery 80%", with AC power and the
// storage card when present; a desktop's shows only its screen.
std::string WindowTitle(const DeviceProfile& profile);

}  // namespace sim
