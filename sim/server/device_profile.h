// A device profile: the emulated device's screen, OS and figures.
//
// Profile files are text, one "key=value" a line, '#' starting a comment.
// Keys not given keep the default device's values (the built-in "qvga").
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "device_services.h"

namespace sim {

struct DeviceProfile {
    std::string name = "qvga";
    int screenWidth = 240;
    int screenHeight = 320;
    int dpi = 96;
    platform::DeviceStatus status;
};

// Parses profile text over the defaults; on a malformed line sets error to
// "line N: why" and answers nothing.
std::optional<DeviceProfile> ParseProfile(std::string_view text, std::string& error);

// A built-in profile by name: qvga, vga, vga96, landscape, square, ce4, de.
std::optional<DeviceProfile> BuiltInProfile(std::string_view name);

// A built-in name or else a profile file's path.
std::optional<DeviceProfile> LoadProfile(const std::string& nameOrPath, std::string& error);

// The battery state registry word ("System\State\Battery" "Main"/"Backup")
// that a CE 5 device reports for a platform flag byte and percentage:
// state bits in the low word, strength level 0/21/41/61/81 in the high word.
DWORD BatteryRegistryWord(BYTE flag, BYTE percent);

}  // namespace sim
