// The device's framebuffer, in shared memory that the server and every
// emulated program map: window DCs draw straight into it, as on CE, and the
// server reads it for screenshots and the interactive window.
//
// Pixels are 24 bits, blue, green, red, rows top-down, each row padded to
// 4 bytes. The mapping has room for the screen in either orientation, so a
// rotation only changes the header.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace sim {

struct ScreenHeader {
    uint32_t magic;
    uint32_t width;
    uint32_t height;
    uint32_t stride;  // bytes from one row to the next
    // Bumped whenever a window may have moved, appeared, gone or changed
    // places in the z-order: a DC that saw another value asks for its
    // visible region again.
    uint64_t layoutVersion;
    uint64_t capacity;  // bytes of pixel memory after the header
};

class ScreenBuffer {
public:
    // The server's buffer, black, in a memory file that started programs
    // inherit; empty (with the reason in error) when it cannot be made.
    static std::unique_ptr<ScreenBuffer> Create(int width, int height, std::string& error);
    // A program's view of the buffer behind an inherited descriptor.
    static std::unique_ptr<ScreenBuffer> Map(int fd, std::string& error);
    ~ScreenBuffer();
    ScreenBuffer(const ScreenBuffer&) = delete;
    ScreenBuffer& operator=(const ScreenBuffer&) = delete;

    int Fd() const { return fd_; }
    int Width() const { return static_cast<int>(header_->width); }
    int Height() const { return static_cast<int>(header_->height); }
    int Stride() const { return static_cast<int>(header_->stride); }
    uint8_t* Pixels() const { return pixels_; }
    uint8_t* Row(int y) const { return pixels_ + static_cast<ptrdiff_t>(y) * header_->stride; }

    uint64_t LayoutVersion() const { return header_->layoutVersion; }
    void SetLayoutVersion(uint64_t version) { header_->layoutVersion = version; }

    // A new form of the same screen (rotation); false when it does not fit.
    bool Resize(int width, int height);

    static int StrideFor(int width) { return (width * 3 + 3) & ~3; }

private:
    ScreenBuffer(int fd, void* mapping, size_t length, bool owner);

    int fd_;
    void* mapping_;
    size_t length_;
    bool owner_;
    ScreenHeader* header_;
    uint8_t* pixels_;
};

}  // namespace sim
