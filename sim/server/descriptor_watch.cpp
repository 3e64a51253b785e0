#include "descriptor_watch.h"

#include <sys/epoll.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace sim {
namespace {

// Enough for every program of a busy device in one wait; more wait their
// turn in the next.
constexpr int kEventsPerWait = 32;

epoll_event ReadEvent(uint64_t key)
{
    epoll_event event{};
    event.events = EPOLLIN | EPOLLRDHUP;
    event.data.u64 = key;
    return event;
}

}  // namespace

DescriptorWatch::DescriptorWatch() : epollFd_(epoll_create1(EPOLL_CLOEXEC))
{
    // Without it the server cannot hear a single program.
    if (epollFd_ < 0) {
        std::perror("devsim: epoll_create1");
        std::exit(2);
    }
}

DescriptorWatch::~DescriptorWatch() { close(epollFd_); }

void DescriptorWatch::Add(int fd, uint64_t key)
{
    epoll_event event = ReadEvent(key);
    epoll_ctl(epollFd_, EPOLL_CTL_ADD, fd, &event);
}

void DescriptorWatch::Change(int fd, uint64_t key)
{
    epoll_event event = ReadEvent(key);
    epoll_ctl(epollFd_, EPOLL_CTL_MOD, fd, &event);
}

void DescriptorWatch::Remove(int fd) { epoll_ctl(epollFd_, EPOLL_CTL_DEL, fd, nullptr); }

std::vector<uint64_t> DescriptorWatch::Wait(int timeoutMs)
{
    epoll_event events[kEventsPerWait];
    int count = epoll_wait(epollFd_, events, kEventsPerWait, timeoutMs);
    std::vector<uint64_t> keys;
    for (int i = 0; i < count; ++i) {
        // The kernel's record is packed: its key is copied out, not bound.
        uint64_t key = events[i].data.u64;
        keys.push_back(key);
    }
    return keys;
}

}  // namespace sim
