// The emulated device: root folder, profile, registry and event log.
#pragma once

#include <memory>
#include <string>

#include "device_profile.h"
#include "device_services.h"
#include "event_log.h"
#include "registry_store.h"
#include "screen_buffer.h"

namespace sim {

class Device : public platform::DeviceServer {
public:
    // Creates the root folder when it is missing; loads the registry hive
    // from it ("\Windows\registry.reg", logging "hive-damaged" when it had
    // to be replaced or salvaged) and, on a CE 5 Pocket PC profile, writes the
    // battery state values "System\State\Battery" "Main" and "Backup".
    Device(std::string rootPath, DeviceProfile profile);

    platform::RegistryService& Registry() override { return registry_; }
    // The profile's figures; with a store capacity, the store's as its
    // files leave it.
    platform::DeviceStatus Status() override;
    std::string RootPath() override { return rootPath_; }
    void LogEvent(std::string_view line) override;

    DeviceProfile& Profile() { return profile_; }
    RegistryStore& Store() { return registry_; }
    EventLog& Log() { return log_; }
    // Whether the root folder exists and can hold files.
    bool RootUsable() const { return rootUsable_; }

    // The framebuffer; none when shared memory could not be had, and then
    // nothing is drawn.
    ScreenBuffer* Screen() { return screen_.get(); }

    // Whether a new file of that many bytes fits in the object store.
    bool StoreHasRoom(uint64_t bytes);

    // Rewrites the CE 5 battery state registry values from the profile.
    void PublishBatteryState();

    // The device clock that stamps the event log, in milliseconds.
    uint64_t Time() const { return timeMs_; }
    void SetTime(uint64_t timeMs) { timeMs_ = timeMs; }

private:
    std::string rootPath_;
    bool rootUsable_ = false;
    DeviceProfile profile_;
    RegistryStore registry_;
    EventLog log_;
    std::unique_ptr<ScreenBuffer> screen_;
    uint64_t timeMs_ = 0;
};

// The hive's place inside the root.
std::string HivePathIn(const std::string& rootPath);

// The "hive-damaged" event line for what boot found.
std::string HiveDamageEvent(const HiveDamage& damage);
// The same for a person reading devsim's messages.
std::string HiveDamageMessage(const HiveDamage& damage);

}  // namespace sim
