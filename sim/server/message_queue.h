// One process's message queue: posted and input messages, incoming
// cross-process sends, the quit request and the timers.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "window_manager.h"

namespace sim {

struct Message {
    Hwnd hwnd = 0;
    uint32_t message = 0;
    uint64_t wParam = 0;
    int64_t lParam = 0;
    uint32_t time = 0;
    Point pt;
};

struct SentMessage {
    uint64_t id = 0;  // the caller's ticket for routing the reply
    Pid sender = 0;
    bool waiting = false;  // false: a notification, nobody waits for the reply
    Message message;
};

// PeekMessage's HWND -1: only messages posted with no window.
constexpr Hwnd kThreadMessagesOnly = 0xFFFFFFFF;

struct MessageFilter {
    // 0: the process's windows and its thread messages; otherwise that
    // window and its descendants, or kThreadMessagesOnly.
    Hwnd hwnd = 0;
    // Both 0: every message.
    uint32_t first = 0;
    uint32_t last = 0;
};

class MessageQueue {
public:
    explicit MessageQueue(Pid pid) : pid_(pid) {}

    // As many posted messages as a queue holds, Windows' default: past it a
    // flooding sender's posts fail and the receiver's queue stays bounded.
    static constexpr size_t kPostedLimit = 10000;

    // time and pt are stamped by the caller. False, with nothing queued,
    // when the queue is full.
    bool Post(const Message& message)
    {
        if (posted_.size() >= kPostedLimit)
            return false;
        posted_.push_back(message);
        return true;
    }
    void PostInput(const Message& message) { input_.push_back(message); }
    void PostQuit(int32_t exitCode);
    bool QuitPending() const { return quitPending_; }

    // Sent messages go out before anything else and ignore the filters.
    void PushSent(const SentMessage& sent) { sent_.push_back(sent); }
    std::optional<SentMessage> TakeSent();
    bool HasSent() const { return !sent_.empty(); }

    // Replaces a timer with the same window and id. A timer without a window
    // keeps its id only when it replaces one; otherwise it gets a fresh id.
    // Returns the timer's id. callback is the TIMERPROC, handed back as
    // WM_TIMER's lParam.
    uint64_t SetTimer(Hwnd hwnd, uint64_t id, uint32_t intervalMs, uint64_t callback, uint64_t now);
    bool KillTimer(Hwnd hwnd, uint64_t id);
    std::optional<uint64_t> NextDeadline() const;

    // A destroyed window's posted and input messages and timers go with it.
    // Sent messages stay: their senders are waiting for a reply.
    void DropWindow(Hwnd hwnd);

    // The next message as GetMessage and PeekMessage see it: posted, input,
    // WM_QUIT (whatever the filter) once neither has a message left that
    // passes the filter, WM_PAINT, then WM_TIMER.
    // WM_PAINT stays until its window is validated; a WM_TIMER that is taken
    // (remove) starts its timer's next interval, so at most one is ever
    // pending per timer. WM_PAINT and WM_TIMER carry pt 0,0.
    std::optional<Message> Next(const MessageFilter& filter, bool remove, uint64_t now,
                                const WindowManager& windows);

private:
    struct Timer {
        Hwnd hwnd = 0;
        uint64_t id = 0;
        uint32_t interval = 0;
        uint64_t callback = 0;
        uint64_t deadline = 0;
    };

    std::optional<Message> TakeFrom(std::deque<Message>& list, const MessageFilter& filter, bool remove,
                                    const WindowManager& windows);
    std::optional<Message> DueTimer(const MessageFilter& filter, bool remove, uint64_t now,
                                    const WindowManager& windows);
    Timer* FindTimer(Hwnd hwnd, uint64_t id);

    Pid pid_;
    std::deque<Message> posted_;
    std::deque<Message> input_;
    std::deque<SentMessage> sent_;
    std::vector<Timer> timers_;  // in creation order, which breaks ties
    uint64_t nextThreadTimerId_ = 1;
    bool quitPending_ = false;
    int32_t quitCode_ = 0;
};

}  // namespace sim
