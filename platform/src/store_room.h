// The object store's room for file writes. A device whose store is limited
// (DeviceStatus::storeLimited) refuses writes that would make its files
// larger than it holds, as a full store refuses them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// Whether the host file is in the object store rather than on the storage
// card, whose figures are its own.
bool InObjectStore(const std::string& hostPath);

// The bytes the store has free when it is limited; none when writes need
// no check.
std::optional<uint64_t> StoreFreeBytes();

// Whether files may grow by that many bytes in a store with free bytes
// left; false with ERROR_DISK_FULL set when they may not.
bool FitsInStore(uint64_t growth, uint64_t free);

// The bytes a write of count bytes at position adds to a file of size bytes.
uint64_t WriteGrowth(uint64_t size, uint64_t position, uint64_t count);

}  // namespace platform
