// The device protocol's byte encoding: little-endian integers, 16-bit text,
// byte strings, carried in length-prefixed frames over a stream socket.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

class WireWriter {
public:
    WireWriter& U8(uint8_t value);
    WireWriter& U16(uint16_t value);
    WireWriter& U32(uint32_t value);
    WireWriter& I32(int32_t value) { return U32(static_cast<uint32_t>(value)); }
    WireWriter& U64(uint64_t value);
    WireWriter& I64(int64_t value) { return U64(static_cast<uint64_t>(value)); }
    WireWriter& Text(std::u16string_view text);
    WireWriter& Bytes(std::string_view bytes);

    const std::string& Data() const { return data_; }
    std::string Take() { return std::move(data_); }

private:
    std::string data_;
};

// Reads what a WireWriter wrote. Reading past the end yields zeros and
// marks the reader failed, so a short frame cannot be misread silently.
class WireReader {
public:
    explicit WireReader(std::string_view data) : data_(data) {}

    uint8_t U8();
    uint16_t U16();
    uint32_t U32();
    int32_t I32() { return static_cast<int32_t>(U32()); }
    uint64_t U64();
    int64_t I64() { return static_cast<int64_t>(U64()); }
    std::u16string Text();
    std::string Bytes();

    bool Failed() const { return failed_; }
    bool AtEnd() const { return offset_ == data_.size(); }

private:
    bool Take(size_t count, const char*& at);

    std::string_view data_;
    size_t offset_ = 0;
    bool failed_ = false;
};

// Largest frame either side accepts; a bigger length means a broken peer.
constexpr uint32_t kMaxFrameBytes = 64u << 20;

// Whole-frame socket I/O; false when the peer is gone or misbehaves.
bool SendFrame(int fd, std::string_view payload);
bool ReceiveFrame(int fd, std::string& payload);

}  // namespace sim
