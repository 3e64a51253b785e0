#include "store_room.h"

#include <string_view>

#include "ce/errors.h"
#include "device_path.h"
#include "device_services.h"

namespace platform {

bool InObjectStore(const std::string& hostPath)
{
    std::u16string path = FoldDeviceName(DevicePathOf(hostPath));
    std::u16string card = FoldDeviceName(u"\\Storage Card");
    return !(path.starts_with(card) && (path.size() == card.size() || path[card.size()] == u'\\'));
}

std::optional<uint64_t> StoreFreeBytes()
{
    DeviceStatus status = Server().Status();
    if (!status.storeLimited)
        return std::nullopt;
    return status.storeFree;
}

bool FitsInStore(uint64_t growth, uint64_t free)
{
    if (growth <= free)
        return true;
    SetLastError(ERROR_DISK_FULL);
    return false;
}

uint64_t WriteGrowth(uint64_t size, uint64_t position, uint64_t count)
{
    uint64_t end = position + count;
    return end > size ? end - size : 0;
}

}  // namespace platform
