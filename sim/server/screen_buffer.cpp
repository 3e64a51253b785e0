#include "screen_buffer.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace sim {
namespace {

constexpr uint32_t kMagic = 0x4E524353;  // "SCRN"
constexpr size_t kHeaderSize = 64;
static_assert(sizeof(ScreenHeader) <= kHeaderSize);

}  // namespace

ScreenBuffer::ScreenBuffer(int fd, void* mapping, size_t length, bool owner)
    : fd_(fd),
      mapping_(mapping),
      length_(length),
      owner_(owner),
      header_(static_cast<ScreenHeader*>(mapping)),
      pixels_(static_cast<uint8_t*>(mapping) + kHeaderSize)
{
}

ScreenBuffer::~ScreenBuffer()
{
    munmap(mapping_, length_);
    if (owner_)
        close(fd_);
}

std::unique_ptr<ScreenBuffer> ScreenBuffer::Create(int width, int height, std::string& error)
{
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096) {
        error = "screen size out of range";
        return nullptr;
    }
    int longer = std::max(width, height);
    size_t capacity = static_cast<size_t>(StrideFor(longer)) * longer;
    size_t length = kHeaderSize + capacity;
    // Not close-on-exec: the programs the server starts inherit it.
    int fd = memfd_create("devsim-screen", 0);
    if (fd < 0 || ftruncate(fd, static_cast<off_t>(length)) != 0) {
        error = std::string("cannot make the screen memory: ") + std::strerror(errno);
        if (fd >= 0)
            close(fd);
        return nullptr;
    }
    void* mapping = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (mapping == MAP_FAILED) {
        error = std::string("cannot map the screen memory: ") + std::strerror(errno);
        close(fd);
        return nullptr;
    }
    std::unique_ptr<ScreenBuffer> screen(new ScreenBuffer(fd, mapping, length, true));
    screen->header_->magic = kMagic;
    screen->header_->capacity = capacity;
    screen->header_->layoutVersion = 1;
    screen->Resize(width, height);
    return screen;
}

std::unique_ptr<ScreenBuffer> ScreenBuffer::Map(int fd, std::string& error)
{
    struct stat info;
    if (fstat(fd, &info) != 0 || static_cast<size_t>(info.st_size) < kHeaderSize) {
        error = "no screen memory behind the descriptor";
        return nullptr;
    }
    size_t length = static_cast<size_t>(info.st_size);
    void* mapping = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (mapping == MAP_FAILED) {
        error = std::string("cannot map the screen memory: ") + std::strerror(errno);
        return nullptr;
    }
    const ScreenHeader* header = static_cast<const ScreenHeader*>(mapping);
    if (header->magic != kMagic || header->capacity > length - kHeaderSize) {
        munmap(mapping, length);
        error = "the screen memory is not a device screen";
        return nullptr;
    }
    return std::unique_ptr<ScreenBuffer>(new ScreenBuffer(fd, mapping, length, false));
}

bool ScreenBuffer::Resize(int width, int height)
{
    size_t needed = static_cast<size_t>(StrideFor(width)) * height;
    if (width <= 0 || height <= 0 || needed > header_->capacity)
        return false;
    header_->width = static_cast<uint32_t>(width);
    header_->height = static_cast<uint32_t>(height);
    header_->stride = static_cast<uint32_t>(StrideFor(width));
    header_->layoutVersion++;
    return true;
}

}  // namespace sim
