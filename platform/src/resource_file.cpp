// The .res walker: records of a header (sizes, type, name, language) and
// data, each starting on a DWORD boundary.
#include "resource_file.h"

#include <cstring>

namespace platform {
namespace {

constexpr WORD kOrdinalMark = 0xFFFF;
// DataVersion, MemoryFlags, LanguageId, Version and Characteristics follow
// the names; the language sits six bytes in.
constexpr size_t kHeaderTail = 16;
constexpr size_t kLanguageInTail = 6;

size_t AlignDword(size_t offset) { return (offset + 3) & ~size_t(3); }

}  // namespace

ResourceReader::ResourceReader(std::span<const BYTE> image) : image_(image)
{
    size_t next = 0;
    std::optional<ResourceEntry> marker = ReadRecord(0, next);
    isResourceFile_ = marker && marker->data.empty() && marker->type.isOrdinal && marker->type.ordinal == 0 &&
                      marker->name.isOrdinal && marker->name.ordinal == 0;
    offset_ = isResourceFile_ ? next : image_.size();
}

std::optional<ResourceEntry> ResourceReader::Next()
{
    if (offset_ >= image_.size())
        return std::nullopt;
    size_t next = 0;
    std::optional<ResourceEntry> entry = ReadRecord(offset_, next);
    // One bad record makes whatever follows it unreadable.
    offset_ = entry ? next : image_.size();
    return entry;
}

std::optional<ResourceEntry> ResourceReader::ReadRecord(size_t offset, size_t& next) const
{
    std::optional<DWORD> dataSize = ReadDword(offset, image_.size());
    std::optional<DWORD> headerSize = ReadDword(offset + 4, image_.size());
    if (!dataSize || !headerSize || *headerSize > image_.size() - offset)
        return std::nullopt;
    size_t headerEnd = offset + *headerSize;
    if (*dataSize > image_.size() - headerEnd)
        return std::nullopt;

    ResourceEntry entry;
    entry.record = image_.data() + offset;
    size_t cursor = offset + 8;
    std::optional<ResourceId> type = ReadId(cursor, headerEnd);
    if (!type)
        return std::nullopt;
    std::optional<ResourceId> name = ReadId(cursor, headerEnd);
    if (!name)
        return std::nullopt;
    cursor = AlignDword(cursor);
    if (cursor > headerEnd || headerEnd - cursor < kHeaderTail)
        return std::nullopt;
    entry.type = std::move(*type);
    entry.name = std::move(*name);
    entry.language = *ReadWord(cursor + kLanguageInTail, headerEnd);
    entry.data = image_.subspan(headerEnd, *dataSize);
    // The last record's padding may be missing.
    next = std::min(AlignDword(headerEnd + *dataSize), image_.size());
    return entry;
}

std::optional<ResourceId> ResourceReader::ReadId(size_t& offset, size_t end) const
{
    std::optional<WORD> first = ReadWord(offset, end);
    if (!first)
        return std::nullopt;
    ResourceId id;
    if (*first == kOrdinalMark) {
        std::optional<WORD> ordinal = ReadWord(offset + 2, end);
        if (!ordinal)
            return std::nullopt;
        id.ordinal = *ordinal;
        offset += 4;
        return id;
    }
    id.isOrdinal = false;
    for (std::optional<WORD> c = first; c; c = ReadWord(offset, end)) {
        offset += 2;
        if (*c == 0)
            return id;
        id.text.push_back(static_cast<char16_t>(*c));
    }
    return std::nullopt;  // the text runs past the header
}

std::optional<DWORD> ResourceReader::ReadDword(size_t offset, size_t end) const
{
    if (offset > end || end - offset < sizeof(DWORD))
        return std::nullopt;
    DWORD value;
    std::memcpy(&value, image_.data() + offset, sizeof value);
    return value;
}

std::optional<WORD> ResourceReader::ReadWord(size_t offset, size_t end) const
{
    if (offset > end || end - offset < sizeof(WORD))
        return std::nullopt;
    WORD value;
    std::memcpy(&value, image_.data() + offset, sizeof value);
    return value;
}

std::optional<TableString> StringInBlock(std::span<const BYTE> block, unsigned index)
{
    if (index >= kStringsPerBlock)
        return std::nullopt;
    size_t offset = 0;
    for (unsigned i = 0;; ++i) {
        if (block.size() - offset < sizeof(WORD))
            return std::nullopt;
        WORD length;
        std::memcpy(&length, block.data() + offset, sizeof length);
        offset += sizeof length;
        if (size_t(length) * 2 > block.size() - offset)
            return std::nullopt;
        if (i == index)
            return TableString{block.data() + offset, length};
        offset += size_t(length) * 2;
    }
}

}  // namespace platform
