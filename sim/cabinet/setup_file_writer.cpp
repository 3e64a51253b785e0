#include "setup_file.h"

namespace cabinet {
namespace {

constexpr size_t kHeaderSize = 100;

class Bytes {
public:
    void U16(uint32_t value)
    {
        data_.push_back(static_cast<uint8_t>(value));
        data_.push_back(static_cast<uint8_t>(value >> 8));
    }
    void U32(uint32_t value)
    {
        U16(value & 0xffff);
        U16(value >> 16);
    }
    void Text(std::string_view text)
    {
        data_.insert(data_.end(), text.begin(), text.end());
        data_.push_back(0);
    }
    void Raw(const std::vector<uint8_t>& bytes) { data_.insert(data_.end(), bytes.begin(), bytes.end()); }
    void IdList(const std::vector<uint16_t>& ids)
    {
        U16(static_cast<uint32_t>((ids.size() + 1) * 2));
        for (uint16_t id : ids)
            U16(id);
        U16(0);
    }
    void PutU16(size_t at, uint32_t value)
    {
        data_[at] = static_cast<uint8_t>(value);
        data_[at + 1] = static_cast<uint8_t>(value >> 8);
    }
    void PutU32(size_t at, uint32_t value)
    {
        PutU16(at, value & 0xffff);
        PutU16(at + 2, value >> 16);
    }
    size_t Size() const { return data_.size(); }
    std::vector<uint8_t> Take() { return std::move(data_); }

private:
    std::vector<uint8_t> data_;
};

// Header field offsets.
enum : size_t {
    kLength = 8,
    kCounts = 48,
    kOffsets = 60,
    kAppName = 84,
    kProvider = 88,
    kUnsupported = 92,
};

void WriteHeader(Bytes& out, const SetupFile& setup)
{
    out.U32(0x4543534D);  // "MSCE"
    out.U32(0);
    out.U32(0);  // the length, once known
    out.U32(0);
    out.U32(1);
    out.U32(setup.architecture);
    out.U32(setup.minMajor);
    out.U32(setup.minMinor);
    out.U32(setup.maxMajor);
    out.U32(setup.maxMinor);
    out.U32(setup.minBuild);
    out.U32(setup.maxBuild);
    for (size_t count : {setup.strings.size(), setup.directories.size(), setup.files.size(), setup.hives.size(),
                         setup.keys.size(), setup.links.size()})
        out.U16(static_cast<uint32_t>(count));
    while (out.Size() < kHeaderSize)
        out.U16(0);
}

// A text placed after the header, its offset and length (with the
// terminator) in the header's 16-bit fields.
void WriteHeaderText(Bytes& out, size_t field, std::string_view text)
{
    out.PutU16(field, static_cast<uint32_t>(out.Size()));
    out.PutU16(field + 2, static_cast<uint32_t>(text.size() + 1));
    out.Text(text);
}

void WriteRegistryEntries(Bytes& out, const std::vector<SetupRegistryEntry>& entries)
{
    for (const SetupRegistryEntry& entry : entries) {
        out.U16(entry.id);
        out.Raw(entry.bytes);
    }
}

}  // namespace

std::vector<uint8_t> FormatSetupFile(const SetupFile& setup)
{
    Bytes out;
    WriteHeader(out, setup);
    WriteHeaderText(out, kAppName, setup.appName);
    WriteHeaderText(out, kProvider, setup.provider);
    WriteHeaderText(out, kUnsupported, "");

    out.PutU32(kOffsets + 0, static_cast<uint32_t>(out.Size()));
    for (const SetupString& string : setup.strings) {
        out.U16(string.id);
        out.U16(static_cast<uint32_t>(string.text.size() + 1));
        out.Text(string.text);
    }
    out.PutU32(kOffsets + 4, static_cast<uint32_t>(out.Size()));
    for (const SetupDirectory& directory : setup.directories) {
        out.U16(directory.id);
        out.IdList(directory.parts);
    }
    out.PutU32(kOffsets + 8, static_cast<uint32_t>(out.Size()));
    for (const SetupFileEntry& file : setup.files) {
        out.U16(file.id);
        out.U16(file.directory);
        out.U16(file.id);  // of no known purpose; installers write the file id
        out.U32(file.flags);
        out.U16(static_cast<uint32_t>(file.name.size() + 1));
        out.Text(file.name);
    }
    out.PutU32(kOffsets + 12, static_cast<uint32_t>(out.Size()));
    WriteRegistryEntries(out, setup.hives);
    out.PutU32(kOffsets + 16, static_cast<uint32_t>(out.Size()));
    WriteRegistryEntries(out, setup.keys);
    out.PutU32(kOffsets + 20, static_cast<uint32_t>(out.Size()));
    for (const SetupLink& link : setup.links) {
        out.U16(link.id);
        out.U16(0);
        out.U16(link.baseFolder);
        out.U16(link.target);
        out.U16(link.type);
        out.IdList(link.parts);
    }
    out.PutU32(kLength, static_cast<uint32_t>(out.Size()));
    return out.Take();
}

}  // namespace cabinet
