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

bool StoreHasRoom(uint64_t growth)
{
    if (growth == 0)
        return true;
    DeviceStatus status = Server().Status();
    if (!status.storeLimited || growth <= status.storeFree)
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
