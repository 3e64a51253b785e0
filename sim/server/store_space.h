// The object store's account: what the device's files take of it.
#pragma once

#include <cstdint>
#include <string>

#include "device_services.h"

namespace sim {

// Bytes of the regular files below rootPath, each file once however many
// names it has (hard links), the storage card's folder "\Storage Card" left
// out. A file that vanishes during the walk is not counted.
uint64_t StoreBytesUsed(const std::string& rootPath);

// The store figures of a device whose store holds capacity bytes, used of
// them taken: store size and application data total the capacity, the free
// figures the rest (none when the files already fill it).
void ApplyStoreCapacity(platform::DeviceStatus& status, uint64_t capacity, uint64_t used);

}  // namespace sim
