// Splits the bytes a connection delivers into the protocol's length-prefixed
// frames, however the bytes arrive: a frame may come in pieces, or several
// in one read.
#pragma once

#include <string>
#include <string_view>

namespace sim {

class FrameReader {
public:
    enum class Next {
        Frame,       // a whole frame was taken
        Incomplete,  // the next frame has not fully arrived
        TooLong,     // the next frame's length is past kMaxFrameBytes
    };

    void Append(std::string_view bytes);
    Next Take(std::string& frame);
    // Nothing waits to be taken.
    bool Empty() const { return start_ == buffer_.size(); }
    // What waits ends in a frame that has not fully arrived.
    bool MidFrame() const;

private:
    std::string buffer_;
    size_t start_ = 0;  // where the next frame begins
};

}  // namespace sim
