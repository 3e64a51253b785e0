// Reading the 32-bit .res format, the resource compiler's output that every
// module carries. Nothing here trusts the bytes: a record that does not fit
// ends the walk, and no read goes past the image.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "ce/types.h"

namespace platform {

// A resource type or name: an ordinal, or text.
struct ResourceId {
    bool isOrdinal = true;
    WORD ordinal = 0;
    std::u16string text;
};

struct ResourceEntry {
    const BYTE* record = nullptr;  // where the record's header starts
    ResourceId type;
    ResourceId name;
    WORD language = 0;
    std::span<const BYTE> data;
};

// Walks the records of a .res image in file order.
class ResourceReader {
public:
    explicit ResourceReader(std::span<const BYTE> image);

    // False for the marker entry a .res file opens with, so an image that
    // lacks it (a 16-bit .res, or no .res at all) yields nothing.
    bool IsResourceFile() const { return isResourceFile_; }

    // The next record, or nothing at the end or at the first malformed one.
    std::optional<ResourceEntry> Next();

private:
    std::optional<ResourceEntry> ReadRecord(size_t offset, size_t& next) const;
    std::optional<ResourceId> ReadId(size_t& offset, size_t end) const;
    std::optional<DWORD> ReadDword(size_t offset, size_t end) const;
    std::optional<WORD> ReadWord(size_t offset, size_t end) const;

    std::span<const BYTE> image_;
    size_t offset_ = 0;
    bool isResourceFile_ = false;
};

// One string of a string-table block (RT_STRING data): sixteen
// length-prefixed UTF-16 strings, which are not terminated. Nothing when the
// block is too short to hold the string.
constexpr unsigned kStringsPerBlock = 16;
struct TableString {
    const BYTE* chars = nullptr;
    WORD length = 0;
};
std::optional<TableString> StringInBlock(std::span<const BYTE> block, unsigned index);

}  // namespace platform
