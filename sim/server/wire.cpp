#include "wire.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace sim {

WireWriter& WireWriter::U8(uint8_t value)
{
    data_.push_back(static_cast<char>(value));
    return *this;
}

WireWriter& WireWriter::U16(uint16_t value)
{
    U8(value & 0xFF);
    return U8(value >> 8);
}

WireWriter& WireWriter::U32(uint32_t value)
{
    U16(value & 0xFFFF);
    return U16(value >> 16);
}

WireWriter& WireWriter::U64(uint64_t value)
{
    U32(value & 0xFFFFFFFFu);
    return U32(value >> 32);
}

WireWriter& WireWriter::Text(std::u16string_view text)
{
    U32(static_cast<uint32_t>(text.size()));
    for (char16_t unit : text)
        U16(unit);
    return *this;
}

WireWriter& WireWriter::Bytes(std::string_view bytes)
{
    U32(static_cast<uint32_t>(bytes.size()));
    data_.append(bytes);
    return *this;
}

bool WireReader::Take(size_t count, const char*& at)
{
    if (failed_ || data_.size() - offset_ < count) {
        failed_ = true;
        return false;
    }
    at = data_.data() + offset_;
    offset_ += count;
    return true;
}

uint8_t WireReader::U8()
{
    const char* at;
    return Take(1, at) ? static_cast<uint8_t>(at[0]) : 0;
}

uint16_t WireReader::U16()
{
    uint16_t low = U8();
    return static_cast<uint16_t>(low | (U8() << 8));
}

uint32_t WireReader::U32()
{
    uint32_t low = U16();
    return low | (static_cast<uint32_t>(U16()) << 16);
}

uint64_t WireReader::U64()
{
    uint64_t low = U32();
    return low | (static_cast<uint64_t>(U32()) << 32);
}

std::u16string WireReader::Text()
{
    uint32_t length = U32();
    std::u16string text;
    if (failed_ || (data_.size() - offset_) / 2 < length) {
        failed_ = true;
        return text;
    }
    text.reserve(length);
    for (uint32_t i = 0; i < length; ++i)
        text.push_back(U16());
    return text;
}

std::string WireReader::Bytes()
{
    uint32_t length = U32();
    const char* at;
    if (!Take(length, at))
        return std::string();
    return std::string(at, length);
}

namespace {

bool WriteAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        ssize_t written = send(fd, data, size, MSG_NOSIGNAL);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool ReadAll(int fd, char* data, size_t size)
{
    while (size > 0) {
        ssize_t got = recv(fd, data, size, 0);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        data += got;
        size -= static_cast<size_t>(got);
    }
    return true;
}

}  // namespace

bool SendFrame(int fd, std::string_view payload)
{
    if (payload.size() > kMaxFrameBytes)
        return false;
    WireWriter header;
    header.U32(static_cast<uint32_t>(payload.size()));
    return WriteAll(fd, header.Data().data(), 4) && WriteAll(fd, payload.data(), payload.size());
}

bool ReceiveFrame(int fd, std::string& payload)
{
    char header[4];
    if (!ReadAll(fd, header, sizeof header))
        return false;
    WireReader reader(std::string_view(header, sizeof header));
    uint32_t size = reader.U32();
    if (size > kMaxFrameBytes)
        return false;
    payload.resize(size);
    return ReadAll(fd, payload.data(), size);
}

}  // namespace sim
