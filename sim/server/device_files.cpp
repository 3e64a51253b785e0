#include "device_files.h"

#include <filesystem>

#include "device_path.h"

namespace sim {

bool DeleteDeviceFile(const std::string& rootPath, const std::u16string& cePath)
{
    std::string hostPath;
    if (!platform::MapDevicePathIn(rootPath, cePath.c_str(), hostPath))
        return false;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(hostPath, ec)))
        return false;
    return std::filesystem::remove(hostPath, ec);
}

}  // namespace sim
