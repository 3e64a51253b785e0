// The picture's bytes as the caller hands them out: each piece is read
// through its callback into the caller's buffer, never the whole file at
// once.
#pragma once

#include <cstddef>
#include <span>

#include "imgdecmp.h"

namespace imgdecmp {

class DataSource {
public:
    DataSource(GETDATAFUNC getData, LPARAM param, BYTE* buffer, size_t capacity);

    // The bytes held and not yet read: at least `count` of them (no more
    // than the buffer holds) unless the data ends first.
    std::span<const BYTE> Peek(size_t count);
    // Drops what is held and reads the next piece; empty at the end.
    std::span<const BYTE> Refill();
    // Copies the next `size` bytes out, reading pieces as needed; fewer
    // when the data ends first.
    size_t Read(BYTE* out, size_t size);

private:
    // Appends what the callback gives to the held bytes.
    size_t ReadMore();

    GETDATAFUNC getData_;
    LPARAM param_;
    BYTE* buffer_;
    size_t capacity_;
    size_t begin_ = 0;
    size_t end_ = 0;
    bool ended_ = false;
};

}  // namespace imgdecmp
