#include "data_source.h"

#include <algorithm>
#include <cstring>

namespace imgdecmp {

DataSource::DataSource(GETDATAFUNC getData, LPARAM param, BYTE* buffer, size_t capacity)
    : getData_(getData), param_(param), buffer_(buffer), capacity_(capacity)
{
}

std::span<const BYTE> DataSource::Peek(size_t count)
{
    count = std::min(count, capacity_);
    if (end_ - begin_ < count) {
        std::memmove(buffer_, buffer_ + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
        while (end_ < count && ReadMore() > 0) {
        }
    }
    return {buffer_ + begin_, end_ - begin_};
}

std::span<const BYTE> DataSource::Refill()
{
    begin_ = end_ = 0;
    ReadMore();
    return {buffer_, end_};
}

size_t DataSource::Read(BYTE* out, size_t size)
{
    size_t copied = 0;
    while (copied < size) {
        if (begin_ == end_ && Refill().empty())
            break;
        size_t piece = std::min(size - copied, end_ - begin_);
        std::memcpy(out + copied, buffer_ + begin_, piece);
        begin_ += piece;
        copied += piece;
    }
    return copied;
}

size_t DataSource::ReadMore()
{
    if (ended_ || end_ == capacity_)
        return 0;
    size_t room = capacity_ - end_;
    // A callback that claims more than it was asked for is not believed.
    size_t got = std::min<size_t>(getData_(reinterpret_cast<LPSTR>(buffer_ + end_), static_cast<DWORD>(room), param_), room);
    if (got == 0)
        ended_ = true;
    end_ += got;
    return got;
}

}  // namespace imgdecmp
