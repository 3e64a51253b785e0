// The paths and command lines the installation assembles, as 8-bit text.
#pragma once

#include <optional>
#include <string>

// Every assembled path must fit the desktop's path buffers.
constexpr size_t kMaxPath = 260;

// The application manager's path from its registry value's bytes: up to
// the first zero, or all of them when unterminated. Empty gives nothing.
std::optional<std::string> AppManagerPathFromValue(const char* bytes, size_t size);

// The manager's folder (up to and including its last backslash) followed by
// the product name; nothing without a backslash or when it does not fit.
std::optional<std::string> InstallDirectory(const std::string& appManagerPath, const std::string& productName);

// directory + "\" + name; nothing when it does not fit.
std::optional<std::string> PayloadPath(const std::string& directory, const std::string& fileName);

// The INI file handed to the manager, in double quotes.
std::string QuotedIniPath(const std::string& directory, const std::string& iniName);

// "%s\Uninstall.exe %s" of the directory and the product name.
std::string UninstallString(const std::string& directory, const std::string& productName);
