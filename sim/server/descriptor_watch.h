// The descriptors the server reads from, watched together. They stay
// registered between waits (epoll), so that a wait costs the same with two
// programs on the device as with seventy.
#pragma once

#include <cstdint>
#include <vector>

namespace sim {

class DescriptorWatch {
public:
    DescriptorWatch();
    ~DescriptorWatch();
    DescriptorWatch(const DescriptorWatch&) = delete;
    DescriptorWatch& operator=(const DescriptorWatch&) = delete;

    // The key comes back from Wait when the descriptor can be read, or has
    // been closed or broken at the other end.
    void Add(int fd, uint64_t key);
    void Change(int fd, uint64_t key);
    // Before the descriptor is closed.
    void Remove(int fd);
    // Waits up to timeoutMs (0: not at all) for any descriptor; the keys of
    // those that are ready, none when the time ran out.
    std::vector<uint64_t> Wait(int timeoutMs);

private:
    int epollFd_ = -1;
};

}  // namespace sim
