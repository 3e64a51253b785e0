#include "setup/desktop/install_paths.h"

#include <cstring>

std::optional<std::string> AppManagerPathFromValue(const char* bytes, size_t size)
{
    const void* end = std::memchr(bytes, '\0', size);
    std::string path(bytes, end ? static_cast<const char*>(end) - bytes : size);
    if (path.empty())
        return std::nullopt;
    return path;
}

std::optional<std::string> InstallDirectory(const std::string& appManagerPath, const std::string& productName)
{
    size_t slash = appManagerPath.rfind('\\');
    if (slash == std::string::npos)
        return std::nullopt;
    std::string directory = appManagerPath.substr(0, slash + 1) + productName;
    if (directory.size() >= kMaxPath)
        return std::nullopt;
    return directory;
}

std::optional<std::string> PayloadPath(const std::string& directory, const std::string& fileName)
{
    std::string path = directory + "\\" + fileName;
    if (path.size() >= kMaxPath)
        return std::nullopt;
    return path;
}

std::string QuotedIniPath(const std::string& directory, const std::string& iniName)
{
    return "\"" + directory + "\\" + iniName + "\"";
}

std::string UninstallString(const std::string& directory, const std::string& productName)
{
    return directory + "\\Uninstall.exe " + productName;
}
