#include "frame_reader.h"

#include "wire.h"

namespace sim {

void FrameReader::Append(std::string_view bytes)
{
    // What was taken goes once the rest is as long, so a stream of small
    // frames costs no copying of the whole buffer each time.
    if (start_ > 0 && start_ >= buffer_.size() - start_) {
        buffer_.erase(0, start_);
        start_ = 0;
    }
    buffer_.append(bytes);
}

FrameReader::Next FrameReader::Take(std::string& frame)
{
    size_t available = buffer_.size() - start_;
    if (available < 4)
        return Next::Incomplete;
    WireReader header(std::string_view(buffer_).substr(start_, 4));
    uint32_t size = header.U32();
    if (size > kMaxFrameBytes)
        return Next::TooLong;
    if (available - 4 < size)
        return Next::Incomplete;
    frame.assign(buffer_, start_ + 4, size);
    start_ += 4 + size;
    if (start_ == buffer_.size()) {
        buffer_.clear();
        start_ = 0;
    }
    return Next::Frame;
}

bool FrameReader::MidFrame() const
{
    size_t at = start_;
    while (buffer_.size() - at >= 4) {
        WireReader header(std::string_view(buffer_).substr(at, 4));
        uint32_t size = header.U32();
        if (buffer_.size() - at - 4 < size)
            return true;
        at += 4 + size;
    }
    return at < buffer_.size();
}

}  // namespace sim
