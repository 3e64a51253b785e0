// The Windows CE installer's setup file: the ".000" member of a device
// cabinet. A fixed 100-byte header ("MSCE") gives the counts and offsets of
// the tables that follow: strings, directories (lists of string ids, such as
// "%CE1%" "Quib Monitor"), files (by their cabinet member's numeric
// extension), registry hives and keys, and links. All numbers little-endian.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cabinet {

// The numeric extension of the setup file itself and of the setup library.
constexpr uint16_t kSetupFileNumber = 0;
constexpr uint16_t kSetupLibraryNumber = 999;

struct SetupString {
    uint16_t id = 0;
    std::string text;
};

struct SetupDirectory {
    uint16_t id = 0;
    std::vector<uint16_t> parts;  // string ids, joined by '\'
};

struct SetupFileEntry {
    uint16_t id = 0;  // the member's numeric extension
    uint16_t directory = 0;
    uint32_t flags = 0;
    std::string name;
};

// A registry hive or key entry is kept as it stands; the device program
// this cabinet carries makes none, and the installer refuses any.
struct SetupRegistryEntry {
    uint16_t id = 0;
    std::vector<uint8_t> bytes;
};

struct SetupLink {
    uint16_t id = 0;
    uint16_t baseFolder = 0;  // 0: the install directory; n: %CEn%
    uint16_t target = 0;      // a directory id (type 0) or a file id (type 1)
    uint16_t type = 0;
    std::vector<uint16_t> parts;  // string ids of the link's path below the base
};

constexpr uint16_t kLinkToDirectory = 0;
constexpr uint16_t kLinkToFile = 1;

struct SetupFile {
    std::string appName;
    std::string provider;
    uint32_t architecture = 0;  // 0: any processor
    uint32_t minMajor = 0, minMinor = 0, maxMajor = 0, maxMinor = 0;
    uint32_t minBuild = 0, maxBuild = 0;
    std::vector<SetupString> strings;
    std::vector<SetupDirectory> directories;
    std::vector<SetupFileEntry> files;
    std::vector<SetupRegistryEntry> hives;
    std::vector<SetupRegistryEntry> keys;
    std::vector<SetupLink> links;

    const std::string* String(uint16_t id) const;
    const SetupDirectory* Directory(uint16_t id) const;
    const SetupFileEntry* File(uint16_t id) const;
};

std::vector<uint8_t> FormatSetupFile(const SetupFile& setup);

// Reads a setup file, checking every count, offset and length against the
// bytes, and every directory's and link's string ids, every file's
// directory and every link's target against the tables. Nothing and the
// reason in `error` when it is not a sound one.
std::optional<SetupFile> ParseSetupFile(std::string_view bytes, std::string& error);

}  // namespace cabinet
