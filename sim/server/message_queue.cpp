#include "message_queue.h"

#include <algorithm>

#include "ce/windowing.h"

namespace sim {

namespace {

// Win32's USER_TIMER_MINIMUM: shorter intervals are raised to it, which also
// keeps a zero interval from firing at one instant of the virtual clock forever.
constexpr uint32_t kMinimumInterval = 10;

bool InRange(const MessageFilter& filter, uint32_t message)
{
    if (filter.first == 0 && filter.last == 0)
        return true;
    return message >= filter.first && message <= filter.last;
}

bool ForWindow(const MessageFilter& filter, Hwnd hwnd, const WindowManager& windows)
{
    if (filter.hwnd == 0)
        return true;
    if (filter.hwnd == kThreadMessagesOnly)
        return hwnd == 0;
    return hwnd != 0 && windows.IsSelfOrDescendant(filter.hwnd, hwnd);
}

// WM_QUIT, WM_PAINT and WM_TIMER are made when they are retrieved.
Message Generated(Hwnd hwnd, uint32_t message, uint64_t wParam, int64_t lParam, uint64_t now)
{
    Message generated;
    generated.hwnd = hwnd;
    generated.message = message;
    generated.wParam = wParam;
    generated.lParam = lParam;
    generated.time = static_cast<uint32_t>(now);
    return generated;
}

}  // namespace

void MessageQueue::PostQuit(int32_t exitCode)
{
    quitPending_ = true;
    quitCode_ = exitCode;
}

std::optional<SentMessage> MessageQueue::TakeSent()
{
    if (sent_.empty())
        return std::nullopt;
    SentMessage sent = sent_.front();
    sent_.pop_front();
    return sent;
}

MessageQueue::Timer* MessageQueue::FindTimer(Hwnd hwnd, uint64_t id)
{
    auto it = std::find_if(timers_.begin(), timers_.end(),
                           [&](const Timer& timer) { return timer.hwnd == hwnd && timer.id == id; });
    return it == timers_.end() ? nullptr : &*it;
}

uint64_t MessageQueue::SetTimer(Hwnd hwnd, uint64_t id, uint32_t intervalMs, uint64_t callback, uint64_t now)
{
    uint32_t interval = std::max(intervalMs, kMinimumInterval);
    Timer* timer = FindTimer(hwnd, id);
    if (!timer) {
        if (hwnd == 0) {
            while (FindTimer(0, nextThreadTimerId_))
                ++nextThreadTimerId_;
            id = nextThreadTimerId_++;
        }
        timers_.push_back(Timer{hwnd, id});
        timer = &timers_.back();
    }
    timer->interval = interval;
    timer->callback = callback;
    timer->deadline = now + interval;
    return id;
}

bool MessageQueue::KillTimer(Hwnd hwnd, uint64_t id)
{
    Timer* timer = FindTimer(hwnd, id);
    if (!timer)
        return false;
    timers_.erase(timers_.begin() + (timer - timers_.data()));
    return true;
}

std::optional<uint64_t> MessageQueue::NextDeadline() const
{
    auto earliest = std::min_element(timers_.begin(), timers_.end(),
                                     [](const Timer& a, const Timer& b) { return a.deadline < b.deadline; });
    if (earliest == timers_.end())
        return std::nullopt;
    return earliest->deadline;
}

void MessageQueue::DropWindow(Hwnd hwnd)
{
    auto forWindow = [hwnd](const Message& message) { return message.hwnd == hwnd; };
    posted_.erase(std::remove_if(posted_.begin(), posted_.end(), forWindow), posted_.end());
    input_.erase(std::remove_if(input_.begin(), input_.end(), forWindow), input_.end());
    timers_.erase(std::remove_if(timers_.begin(), timers_.end(), [hwnd](const Timer& timer) { return timer.hwnd == hwnd; }),
                  timers_.end());
}

std::optional<Message> MessageQueue::TakeFrom(std::deque<Message>& list, const MessageFilter& filter, bool remove,
                                              const WindowManager& windows)
{
    auto it = std::find_if(list.begin(), list.end(), [&](const Message& message) {
        return InRange(filter, message.message) && ForWindow(filter, message.hwnd, windows);
    });
    if (it == list.end())
        return std::nullopt;
    Message message = *it;
    if (remove)
        list.erase(it);
    return message;
}

std::optional<Message> MessageQueue::DueTimer(const MessageFilter& filter, bool remove, uint64_t now,
                                              const WindowManager& windows)
{
    if (!InRange(filter, WM_TIMER))
        return std::nullopt;
    Timer* due = nullptr;
    for (Timer& timer : timers_)
        if (timer.deadline <= now && ForWindow(filter, timer.hwnd, windows) && (!due || timer.deadline < due->deadline))
            due = &timer;
    if (!due)
        return std::nullopt;
    if (remove)
        due->deadline = now + due->interval;
    return Generated(due->hwnd, WM_TIMER, due->id, static_cast<int64_t>(due->callback), now);
}

std::optional<Message> MessageQueue::Next(const MessageFilter& filter, bool remove, uint64_t now,
                                          const WindowManager& windows)
{
    if (auto message = TakeFrom(posted_, filter, remove, windows))
        return message;
    if (auto message = TakeFrom(input_, filter, remove, windows))
        return message;
    // GetMessage and PeekMessage retrieve WM_QUIT whatever their filter.
    if (quitPending_) {
        if (remove)
            quitPending_ = false;
        return Generated(0, WM_QUIT, static_cast<uint64_t>(static_cast<int64_t>(quitCode_)), 0, now);
    }
    if (filter.hwnd != kThreadMessagesOnly && InRange(filter, WM_PAINT)) {
        if (Hwnd hwnd = windows.NextToPaint(pid_, filter.hwnd))
            return Generated(hwnd, WM_PAINT, 0, 0, now);
    }
    return DueTimer(filter, remove, now, windows);
}

}  // namespace sim
