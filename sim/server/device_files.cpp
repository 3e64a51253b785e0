#include "device_files.h"

#include <filesystem>

#include "device_path.h"

namespace fs = std::filesystem;

namespace sim {

namespace {

bool IsOmitted(const fs::path& relative, const std::vector<std::string>& omit)
{
    for (const std::string& path : omit)
        if (relative == fs::path(path))
            return true;
    return false;
}

}  // namespace

bool FillDeviceRoot(const std::string& imagePath, const std::string& rootPath, std::string& error,
                    const std::vector<std::string>& omit)
{
    std::error_code ec;
    fs::create_directories(rootPath, ec);
    fs::recursive_directory_iterator entries(imagePath, ec);
    for (; !ec && entries != fs::recursive_directory_iterator(); entries.increment(ec)) {
        fs::path relative = fs::relative(entries->path(), imagePath, ec);
        if (ec)
            break;
        if (IsOmitted(relative, omit)) {
            entries.disable_recursion_pending();
            continue;
        }
        fs::path target = fs::path(rootPath) / relative;
        if (entries->is_directory(ec)) {
            fs::create_directories(target, ec);
        } else {
            fs::create_hard_link(entries->path(), target, ec);
            if (ec)
                fs::copy_file(entries->path(), target, ec);
        }
        if (ec) {
            error = "cannot fill " + target.string() + ": " + ec.message();
            return false;
        }
    }
    if (ec) {
        error = "cannot fill " + rootPath + " from " + imagePath + ": " + ec.message();
        return false;
    }
    return true;
}

bool PlaceHostFile(const std::string& rootPath, const std::string& relative, const std::string& hostFile,
                   std::string& error)
{
    fs::path target = fs::path(rootPath) / relative;
    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    if (!ec)
        fs::copy_file(hostFile, target, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        error = "cannot place " + hostFile + " at " + target.string() + ": " + ec.message();
        return false;
    }
    return true;
}

bool DeleteDeviceFile(const std::string& rootPath, const std::u16string& cePath)
{
    std::string hostPath;
    if (!platform::MapDevicePathIn(rootPath, cePath.c_str(), hostPath, false))
        return false;
    std::error_code ec;
    if (!fs::is_regular_file(fs::symlink_status(hostPath, ec)))
        return false;
    return fs::remove(hostPath, ec);
}

}  // namespace sim
