#include "store_space.h"

#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <string_view>
#include <utility>

namespace sim {
namespace {

bool IsCardFolder(const std::string& name)
{
    constexpr std::string_view kCard = "storage card";
    if (name.size() != kCard.size())
        return false;
    for (size_t i = 0; i < name.size(); ++i) {
        char c = name[i] >= 'A' && name[i] <= 'Z' ? static_cast<char>(name[i] - 'A' + 'a') : name[i];
        if (c != kCard[i])
            return false;
    }
    return true;
}

}  // namespace

uint64_t StoreBytesUsed(const std::string& rootPath)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::recursive_directory_iterator walk(rootPath, fs::directory_options::skip_permission_denied, error);
    std::set<std::pair<dev_t, ino_t>> seen;
    uint64_t used = 0;
    for (; !error && walk != fs::recursive_directory_iterator(); walk.increment(error)) {
        const fs::path& path = walk->path();
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0)
            continue;
        if (S_ISDIR(info.st_mode)) {
            if (walk.depth() == 0 && IsCardFolder(path.filename().string()))
                walk.disable_recursion_pending();
            continue;
        }
        if (S_ISREG(info.st_mode) && seen.emplace(info.st_dev, info.st_ino).second)
            used += static_cast<uint64_t>(info.st_size);
    }
    return used;
}

void ApplyStoreCapacity(platform::DeviceStatus& status, uint64_t capacity, uint64_t used)
{
    uint64_t free = used < capacity ? capacity - used : 0;
    status.storeSize = static_cast<DWORD>(capacity);
    status.storeFree = static_cast<DWORD>(free);
    status.appDataTotal = capacity;
    status.appDataFree = free;
    status.storeLimited = true;
}

}  // namespace sim
