#include "cabinet_container.h"

#include <mspack.h>

#include <algorithm>
#include <cstring>

namespace cabinet {
namespace {

// libmspack reads and writes through a table of file functions; these keep
// the cabinet and each extracted member in memory. The cabinet opens under
// the name kInput, every other name is the member being extracted.
constexpr char kInput[] = "cabinet";

struct MemorySystem;

struct MemoryFile {
    MemorySystem* system = nullptr;
    bool writing = false;
    size_t at = 0;
};

struct MemorySystem {
    mspack_system table;
    std::string_view input;
    std::vector<uint8_t>* output = nullptr;
};

MemorySystem* Owner(mspack_system* self) { return reinterpret_cast<MemorySystem*>(self); }

mspack_file* Open(mspack_system* self, const char* filename, int mode)
{
    MemorySystem* system = Owner(self);
    bool input = std::strcmp(filename, kInput) == 0;
    if (input != (mode == MSPACK_SYS_OPEN_READ) || (!input && !system->output))
        return nullptr;
    MemoryFile* file = new MemoryFile{system, !input, 0};
    return reinterpret_cast<mspack_file*>(file);
}

MemoryFile* File(mspack_file* file) { return reinterpret_cast<MemoryFile*>(file); }

void Close(mspack_file* file) { delete File(file); }

int Read(mspack_file* handle, void* buffer, int bytes)
{
    MemoryFile* file = File(handle);
    if (file->writing || bytes < 0)
        return -1;
    std::string_view input = file->system->input;
    size_t count = std::min(static_cast<size_t>(bytes), input.size() - std::min(file->at, input.size()));
    std::memcpy(buffer, input.data() + file->at, count);
    file->at += count;
    return static_cast<int>(count);
}

int Write(mspack_file* handle, void* buffer, int bytes)
{
    MemoryFile* file = File(handle);
    if (!file->writing || bytes < 0)
        return -1;
    const uint8_t* data = static_cast<const uint8_t*>(buffer);
    file->system->output->insert(file->system->output->end(), data, data + bytes);
    return bytes;
}

int Seek(mspack_file* handle, off_t offset, int mode)
{
    MemoryFile* file = File(handle);
    off_t size = static_cast<off_t>(file->system->input.size());
    off_t base = mode == MSPACK_SYS_SEEK_START ? 0 : mode == MSPACK_SYS_SEEK_CUR ? static_cast<off_t>(file->at) : size;
    off_t target = base + offset;
    if (file->writing || target < 0 || target > size)
        return -1;
    file->at = static_cast<size_t>(target);
    return 0;
}

off_t Tell(mspack_file* handle) { return static_cast<off_t>(File(handle)->at); }

// The reader's warnings are not the device's business; its errors come back
// as results.
void Message(mspack_file*, const char*, ...) {}

void* Alloc(mspack_system*, size_t bytes) { return std::malloc(bytes); }
void Free(void* pointer) { std::free(pointer); }
void Copy(void* source, void* dest, size_t bytes) { std::memmove(dest, source, bytes); }

const char* ErrorText(int code)
{
    switch (code) {
    case MSPACK_ERR_READ:
        return "it ends early";
    case MSPACK_ERR_SIGNATURE:
        return "it is no cabinet";
    case MSPACK_ERR_DATAFORMAT:
        return "its data is malformed";
    case MSPACK_ERR_CHECKSUM:
        return "its data fails its checksum";
    case MSPACK_ERR_DECRUNCH:
        return "its data cannot be decompressed";
    default:
        return "it cannot be read";
    }
}

// Members are read whole into memory, so the sizes the header claims are
// checked first: a small cabinet may claim gigabytes.
constexpr uint64_t kMaxMembersBytes = 512ull << 20;

bool FitsInMemory(const mscabd_file* files)
{
    uint64_t total = 0;
    for (const mscabd_file* file = files; file; file = file->next) {
        total += file->length;
        if (total > kMaxMembersBytes)
            return false;
    }
    return true;
}

}  // namespace

std::optional<std::vector<CabinetMember>> ReadCabinetMembers(std::string_view bytes, std::string& error)
{
    MemorySystem system{{Open, Close, Read, Write, Seek, Tell, Message, Alloc, Free, Copy, nullptr}, bytes, nullptr};
    mscab_decompressor* reader = mspack_create_cab_decompressor(&system.table);
    if (!reader) {
        error = "no cabinet reader";
        return std::nullopt;
    }
    std::optional<std::vector<CabinetMember>> members;
    mscabd_cabinet* cab = reader->open(reader, const_cast<char*>(kInput));
    if (!cab) {
        error = ErrorText(reader->last_error(reader));
    } else if (cab->next || cab->prevcab || cab->nextcab || (cab->flags & (MSCAB_HDR_PREVCAB | MSCAB_HDR_NEXTCAB))) {
        error = "it is one volume of several";
    } else if (!FitsInMemory(cab->files)) {
        error = "its files are larger than any device holds";
    } else {
        std::vector<CabinetMember> found;
        bool whole = true;
        for (mscabd_file* file = cab->files; file && whole; file = file->next) {
            CabinetMember member{file->filename, {}};
            system.output = &member.bytes;
            int result = reader->extract(reader, file, const_cast<char*>("member"));
            system.output = nullptr;
            whole = result == MSPACK_ERR_OK && member.bytes.size() == file->length;
            if (!whole)
                error = std::string("member ") + file->filename + ": " + ErrorText(result);
            found.push_back(std::move(member));
        }
        if (whole)
            members = std::move(found);
    }
    if (cab)
        reader->close(reader, cab);
    mspack_destroy_cab_decompressor(reader);
    return members;
}

std::optional<uint16_t> MemberNumber(std::string_view name)
{
    size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || name.size() - dot != 4 || dot == 0)
        return std::nullopt;
    uint16_t number = 0;
    for (char c : name.substr(dot + 1)) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = static_cast<uint16_t>(number * 10 + (c - '0'));
    }
    return number;
}

}  // namespace cabinet
