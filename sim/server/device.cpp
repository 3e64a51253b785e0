#include "device.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "ce/errors.h"
#include "ce/registry.h"
#include "store_space.h"

namespace sim {
namespace {

constexpr std::u16string_view kBatteryKey = u"System\\State\\Battery";
constexpr const char* kHiveDevicePath = "\\Windows\\registry.reg";

// Makes the root and its "Windows" folder; answers whether files can be
// kept there.
bool PrepareRoot(const std::string& rootPath)
{
    if (rootPath.empty())
        return false;
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(rootPath) / "Windows", error);
    return !error && access(rootPath.c_str(), W_OK | X_OK) == 0;
}

LONG SetDword(platform::RegistryService& registry, platform::RegKeyId key, std::u16string_view name, DWORD value)
{
    const BYTE bytes[4] = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
                           static_cast<BYTE>(value >> 24)};
    return registry.SetValue(key, name, REG_DWORD, bytes);
}

}  // namespace

std::string HivePathIn(const std::string& rootPath) { return rootPath + "/Windows/registry.reg"; }

std::string HiveDamageEvent(const HiveDamage& damage)
{
    std::string line = "hive-damaged file=" + QuoteLogText(std::string_view(kHiveDevicePath)) +
                       " reason=" + damage.reason + " bad-lines=" + std::to_string(damage.badLines) +
                       (damage.lastGoodLoaded ? " loaded=last-good" : " loaded=readable-part");
    line += damage.badCopyKept ? " kept=" + QuoteLogText(std::string(kHiveDevicePath) + ".bad") : " kept=none";
    return line;
}

std::string HiveDamageMessage(const HiveDamage& damage)
{
    std::string text = "the registry hive " + std::string(kHiveDevicePath) + " is damaged (" + damage.reason + "); ";
    text += damage.lastGoodLoaded ? "the device boots with its last good copy"
                                  : "there is no good copy, so the device boots with what could be read of it";
    if (damage.badCopyKept)
        text += "; the damaged file is kept as " + std::string(kHiveDevicePath) + ".bad";
    else
        text += "; the damaged file cannot be copied aside, so it is left as it is and changes are not saved";
    return text;
}

Device::Device(std::string rootPath, DeviceProfile profile)
    : rootPath_(std::move(rootPath)),
      rootUsable_(PrepareRoot(rootPath_)),
      profile_(std::move(profile)),
      registry_(rootUsable_ ? HivePathIn(rootPath_) : std::string())
{
    if (const std::optional<HiveDamage>& damage = registry_.Damage())
        LogEvent(HiveDamageEvent(*damage));
    registry_.SetRoomCheck([this](uint64_t bytes) { return StoreHasRoom(bytes); });
    registry_.SetSaveFailureSink(
        [this](LONG error) { LogEvent("hive-save-failed error=" + std::to_string(error)); });
    std::string error;
    screen_ = ScreenBuffer::Create(profile_.screenWidth, profile_.screenHeight, error);
    if (!screen_)
        LogEvent("screen-failed " + error);
    PublishBatteryState();
}

platform::DeviceStatus Device::Status()
{
    platform::DeviceStatus status = profile_.status;
    if (profile_.storeCapacity)
        ApplyStoreCapacity(status, *profile_.storeCapacity, rootUsable_ ? StoreBytesUsed(rootPath_) : 0);
    return status;
}

bool Device::StoreHasRoom(uint64_t bytes)
{
    return !profile_.storeCapacity || bytes <= Status().storeFree;
}

void Device::PublishBatteryState()
{
    const platform::DeviceStatus& s = profile_.status;
    LONG result = ERROR_SUCCESS;
    if (s.osMajor >= 5 && !profile_.desktop) {
        platform::RegKeyId key = 0;
        bool created = false;
        result = registry_.CreateKey(platform::kRegRootLocalMachine, kBatteryKey, key, created);
        if (result == ERROR_SUCCESS) {
            result = SetDword(registry_, key, u"Main", BatteryRegistryWord(s.mainFlag, s.mainPercent));
            if (result == ERROR_SUCCESS)
                result = SetDword(registry_, key, u"Backup", BatteryRegistryWord(s.backupFlag, s.backupPercent));
            registry_.CloseKey(key);
        }
    } else {
        // CE 4 and a desktop have no such values; a hive saved under a CE 5
        // profile may.
        result = registry_.DeleteKey(platform::kRegRootLocalMachine, kBatteryKey);
        if (result == ERROR_FILE_NOT_FOUND)
            result = ERROR_SUCCESS;
    }
    if (result != ERROR_SUCCESS)
        LogEvent("battery-state-failed error=" + std::to_string(result));
}

void Device::LogEvent(std::string_view line)
{
    log_.Add(timeMs_, line);
}

}  // namespace sim
