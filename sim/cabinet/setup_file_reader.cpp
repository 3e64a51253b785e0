#include <algorithm>
#include <set>

#include "setup_file.h"

namespace cabinet {
namespace {

constexpr size_t kHeaderSize = 100;

// A bounded view of the file: every read checks that the bytes are there.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    bool Seek(size_t at)
    {
        if (at > bytes_.size())
            return false;
        at_ = at;
        return true;
    }
    bool U16(uint16_t& value)
    {
        if (bytes_.size() - at_ < 2)
            return false;
        value = static_cast<uint16_t>(Byte(at_) | Byte(at_ + 1) << 8);
        at_ += 2;
        return true;
    }
    bool U32(uint32_t& value)
    {
        uint16_t low = 0, high = 0;
        if (!U16(low) || !U16(high))
            return false;
        value = low | static_cast<uint32_t>(high) << 16;
        return true;
    }
    bool Take(size_t length, std::string_view& out)
    {
        if (bytes_.size() - at_ < length)
            return false;
        out = bytes_.substr(at_, length);
        at_ += length;
        return true;
    }
    // A text of `length` bytes whose last one, and only that one, is 0.
    bool Text(size_t length, std::string& out)
    {
        std::string_view raw;
        if (length == 0 || !Take(length, raw) || raw.back() != '\0')
            return false;
        raw.remove_suffix(1);
        if (raw.find('\0') != std::string_view::npos)
            return false;
        out = std::string(raw);
        return true;
    }
    // A length in bytes, then that many bytes of 16-bit ids ending in 0.
    bool IdList(std::vector<uint16_t>& ids)
    {
        uint16_t length = 0;
        if (!U16(length) || length < 2 || length % 2 != 0 || bytes_.size() - at_ < length)
            return false;
        ids.clear();
        for (size_t i = 0; i + 1 < length / 2u; ++i) {
            uint16_t id = 0;
            U16(id);
            if (id == 0)
                return false;
            ids.push_back(id);
        }
        uint16_t end = 0;
        U16(end);
        return end == 0 && !ids.empty();
    }

private:
    uint32_t Byte(size_t at) const { return static_cast<uint8_t>(bytes_[at]); }

    std::string_view bytes_;
    size_t at_ = 0;
};

struct Header {
    uint32_t length = 0;
    uint16_t counts[6] = {};
    uint32_t offsets[6] = {};
    uint16_t textOffsets[3] = {};
    uint16_t textLengths[3] = {};
};
enum Table { kStrings, kDirectories, kFiles, kHives, kKeys, kLinks };

bool ReadHeader(Reader& in, SetupFile& setup, Header& header, std::string& error)
{
    uint32_t signature = 0, unused = 0;
    if (!in.U32(signature) || signature != 0x4543534D) {
        error = "no MSCE signature";
        return false;
    }
    in.U32(unused);
    in.U32(header.length);
    in.U32(unused);
    in.U32(unused);
    in.U32(setup.architecture);
    in.U32(setup.minMajor);
    in.U32(setup.minMinor);
    in.U32(setup.maxMajor);
    in.U32(setup.maxMinor);
    in.U32(setup.minBuild);
    in.U32(setup.maxBuild);
    for (uint16_t& count : header.counts)
        in.U16(count);
    for (uint32_t& offset : header.offsets)
        in.U32(offset);
    for (int i = 0; i < 3; ++i) {
        in.U16(header.textOffsets[i]);
        in.U16(header.textLengths[i]);
    }
    return true;
}

bool ReadHeaderTexts(Reader& in, const Header& header, SetupFile& setup, std::string& error)
{
    std::string* texts[2] = {&setup.appName, &setup.provider};
    for (int i = 0; i < 3; ++i) {
        std::string unsupported;
        std::string_view raw;
        bool ok = in.Seek(header.textOffsets[i]) && header.textOffsets[i] >= kHeaderSize;
        if (i < 2)
            ok = ok && in.Text(header.textLengths[i], *texts[i]);
        else  // a multi-string: any number of terminated texts
            ok = ok && in.Take(header.textLengths[i], raw);
        if (!ok) {
            error = "a header text lies outside the file";
            return false;
        }
    }
    if (setup.appName.empty()) {
        error = "no application name";
        return false;
    }
    return true;
}

bool ReadStrings(Reader& in, uint16_t count, SetupFile& setup)
{
    for (uint16_t i = 0; i < count; ++i) {
        SetupString string;
        uint16_t length = 0;
        if (!in.U16(string.id) || !in.U16(length) || !in.Text(length, string.text))
            return false;
        setup.strings.push_back(std::move(string));
    }
    return true;
}

bool ReadDirectories(Reader& in, uint16_t count, SetupFile& setup)
{
    for (uint16_t i = 0; i < count; ++i) {
        SetupDirectory directory;
        if (!in.U16(directory.id) || !in.IdList(directory.parts))
            return false;
        setup.directories.push_back(std::move(directory));
    }
    return true;
}

bool ReadFiles(Reader& in, uint16_t count, SetupFile& setup)
{
    for (uint16_t i = 0; i < count; ++i) {
        SetupFileEntry file;
        uint16_t unused = 0, length = 0;
        if (!in.U16(file.id) || !in.U16(file.directory) || !in.U16(unused) || !in.U32(file.flags) ||
            !in.U16(length) || !in.Text(length, file.name))
            return false;
        setup.files.push_back(std::move(file));
    }
    return true;
}

// A hive: root, unused, then its id list; a key: hive, substitution,
// flags, then its data. Both are kept as the bytes after the id.
bool ReadRegistryEntries(Reader& in, uint16_t count, size_t fixed, std::vector<SetupRegistryEntry>& entries)
{
    for (uint16_t i = 0; i < count; ++i) {
        SetupRegistryEntry entry;
        std::string_view head, body;
        uint16_t length = 0;
        if (!in.U16(entry.id) || !in.Take(fixed, head) || !in.U16(length) || !in.Take(length, body))
            return false;
        entry.bytes.assign(head.begin(), head.end());
        entry.bytes.push_back(static_cast<uint8_t>(length));
        entry.bytes.push_back(static_cast<uint8_t>(length >> 8));
        entry.bytes.insert(entry.bytes.end(), body.begin(), body.end());
        entries.push_back(std::move(entry));
    }
    return true;
}

bool ReadLinks(Reader& in, uint16_t count, SetupFile& setup)
{
    for (uint16_t i = 0; i < count; ++i) {
        SetupLink link;
        uint16_t unused = 0;
        if (!in.U16(link.id) || !in.U16(unused) || !in.U16(link.baseFolder) || !in.U16(link.target) ||
            !in.U16(link.type) || !in.IdList(link.parts))
            return false;
        setup.links.push_back(std::move(link));
    }
    return true;
}

template <typename Entry>
bool CollectIds(const std::vector<Entry>& entries, std::set<uint16_t>& ids)
{
    for (const Entry& entry : entries)
        if (!ids.insert(entry.id).second)
            return false;
    return true;
}

bool AllIn(const std::vector<uint16_t>& parts, const std::set<uint16_t>& ids)
{
    return std::all_of(parts.begin(), parts.end(), [&](uint16_t id) { return ids.count(id) != 0; });
}

// Every reference from one table into another names an entry that is there.
bool CheckReferences(const SetupFile& setup, std::string& error)
{
    std::set<uint16_t> strings, directories, files, links;
    if (!CollectIds(setup.strings, strings) || !CollectIds(setup.directories, directories) ||
        !CollectIds(setup.files, files) || !CollectIds(setup.links, links)) {
        error = "an id is used twice in one table";
        return false;
    }
    for (const SetupDirectory& directory : setup.directories)
        if (!AllIn(directory.parts, strings)) {
            error = "directory " + std::to_string(directory.id) + " names a string that is not there";
            return false;
        }
    for (const SetupFileEntry& file : setup.files)
        if (!directories.count(file.directory)) {
            error = "file " + std::to_string(file.id) + " names a directory that is not there";
            return false;
        }
    for (const SetupLink& link : setup.links) {
        bool target = link.type == kLinkToFile        ? files.count(link.target) != 0
                      : link.type == kLinkToDirectory ? link.target == 0 || directories.count(link.target) != 0
                                                      : false;
        if (!target || !AllIn(link.parts, strings)) {
            error = "link " + std::to_string(link.id) + " names something that is not there";
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<SetupFile> ParseSetupFile(std::string_view bytes, std::string& error)
{
    if (bytes.size() < kHeaderSize) {
        error = "shorter than its header";
        return std::nullopt;
    }
    Reader in(bytes);
    SetupFile setup;
    Header header;
    if (!ReadHeader(in, setup, header, error))
        return std::nullopt;
    if (header.length != bytes.size()) {
        error = "its length field does not match its size";
        return std::nullopt;
    }
    if (!ReadHeaderTexts(in, header, setup, error))
        return std::nullopt;
    using TableReader = bool (*)(Reader&, uint16_t, SetupFile&);
    const TableReader readers[6] = {
        ReadStrings,
        ReadDirectories,
        ReadFiles,
        [](Reader& r, uint16_t n, SetupFile& s) { return ReadRegistryEntries(r, n, 4, s.hives); },
        [](Reader& r, uint16_t n, SetupFile& s) { return ReadRegistryEntries(r, n, 8, s.keys); },
        ReadLinks,
    };
    const char* names[6] = {"strings", "directories", "files", "registry hives", "registry keys", "links"};
    for (int table = kStrings; table <= kLinks; ++table) {
        bool ok = header.offsets[table] >= kHeaderSize && in.Seek(header.offsets[table]) &&
                  readers[table](in, header.counts[table], setup);
        if (!ok) {
            error = std::string("the ") + names[table] + " table runs outside the file";
            return std::nullopt;
        }
    }
    if (!CheckReferences(setup, error))
        return std::nullopt;
    return setup;
}

const std::string* SetupFile::String(uint16_t id) const
{
    for (const SetupString& string : strings)
        if (string.id == id)
            return &string.text;
    return nullptr;
}

const SetupDirectory* SetupFile::Directory(uint16_t id) const
{
    for (const SetupDirectory& directory : directories)
        if (directory.id == id)
            return &directory;
    return nullptr;
}

const SetupFileEntry* SetupFile::File(uint16_t id) const
{
    for (const SetupFileEntry& file : files)
        if (file.id == id)
            return &file;
    return nullptr;
}

}  // namespace cabinet
