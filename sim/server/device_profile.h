// A device profile: the emulated device's screen, OS and figures.
//
// Profile files are text, one "key=value" a line; blank lines and lines
// starting with '#' are ignored. Keys not given keep the default device's
// values (the built-in "qvga"). The keys:
//   name=vga                      the profile's name
//   screen=240x320                width x height in pixels
//   dpi=96                        logical pixels per inch
//   os=5.1.1700                   major.minor.build
//   decimal=.  thousands=,        one character each, or the word "space"
//   ac=0|1                        AC line offline / online
//   main.flag=1  main.percent=87  platform battery flag and percentage,
//   backup.flag=1  backup.percent=100   bytes 0..255 (255 is "unknown")
//   memory.total  memory.available      program memory (32-bit)
//   store.size  store.free              object store (32-bit)
//   store.capacity=2M             an object store that the device's files fill:
//                                 store.size and the appdata total become the
//                                 capacity, the free figures what the files
//                                 leave of it, and a write past it fails with
//                                 ERROR_DISK_FULL. Not given, the figures stay
//                                 as set and writes are not limited. Files
//                                 count at their host size (the programs are
//                                 host executables of several MB each)
//   appdata.total  appdata.free         application data volume (64-bit)
//   card=present|absent  card.total  card.free   storage card (64-bit)
//   clock=2007-06-01 09:00        local date and time when the device boots
//   kind=pocketpc|desktop         the machine: a Pocket PC, or a desktop PC
//                                 (drive C:, its own image and shell, a task
//                                 bar at the bottom, windows with captions)
//   image.omit=\Windows\a.exe;\x  device paths a fresh root leaves out of the
//                                 device image, ';' between them; replaces
//                                 the default (\Windows\powerexe.exe, which
//                                 only CE 4.21 has instead of power.exe)
// Sizes are bytes, or a count with a binary suffix K, M or G ("700M").
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device_services.h"

namespace sim {

struct DeviceProfile {
    std::string name = "qvga";
    int screenWidth = 240;
    int screenHeight = 320;
    int dpi = 96;
    bool desktop = false;  // a desktop PC rather than a Pocket PC
    // Seconds from 1970-01-01 00:00 to the local time at boot; the device
    // keeps no time zone, so local and system time are the same.
    int64_t clockStart = kDefaultClockStart;
    platform::DeviceStatus status;
    // The object store's capacity when files fill it; none leaves the store
    // figures fixed and file writes unlimited.
    std::optional<DWORD> storeCapacity;
    // Device paths (UTF-8) removed from a root freshly filled from the image,
    // for the files a device of this kind has under another name or not at all.
    std::vector<std::string> imageOmit;

    static constexpr int64_t kDefaultClockStart = 1180688400;  // 2007-06-01 09:00
};

// Parses profile text over the defaults; on a malformed line sets error to
// "line N: why" and answers nothing.
std::optional<DeviceProfile> ParseProfile(std::string_view text, std::string& error);

// A built-in profile by name: qvga, vga, vga96, landscape, square, ce4, de,
// desktop.
std::optional<DeviceProfile> BuiltInProfile(std::string_view name);

// A built-in name or else a profile file's path.
std::optional<DeviceProfile> LoadProfile(const std::string& nameOrPath, std::string& error);

// The battery state registry word ("System\State\Battery" "Main"/"Backup")
// that a CE 5 device reports for a platform flag byte and percentage:
// state bits in the low word, strength level 0/21/41/61/81 in the high word.
DWORD BatteryRegistryWord(BYTE flag, BYTE percent);

}  // namespace sim
