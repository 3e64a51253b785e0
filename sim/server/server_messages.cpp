// Message requests: queues, cross-process sends, timers and painting.
#include "ce/errors.h"
#include "ce/windowing.h"
#include "event_log.h"
#include "server.h"

namespace sim {
namespace {

constexpr Hwnd kHwndBroadcast = 0xFFFF;

void WriteIncoming(WireWriter& out, const SentMessage& sent)
{
    out.U8(static_cast<uint8_t>(WaitReply::Incoming)).U64(sent.id).U8(sent.waiting ? 1 : 0);
    out.U32(sent.message.hwnd).U32(sent.message.message).U64(sent.message.wParam).I64(sent.message.lParam);
}

void WriteMessage(WireWriter& out, int32_t result, const Message& m)
{
    out.U8(static_cast<uint8_t>(WaitReply::Done)).I32(result);
    out.U32(m.hwnd).U32(m.message).U64(m.wParam).I64(m.lParam).U32(m.time).I32(m.pt.x).I32(m.pt.y);
}

MessageFilter ReadFilter(WireReader& in)
{
    MessageFilter filter;
    filter.hwnd = in.U32();
    filter.first = in.U32();
    filter.last = in.U32();
    return filter;
}

std::optional<Rect> ReadOptionalRect(WireReader& in)
{
    bool present = in.U8() != 0;
    Rect rect;
    rect.left = ClampCoordinate(in.I32());
    rect.top = ClampCoordinate(in.I32());
    rect.right = ClampCoordinate(in.I32());
    rect.bottom = ClampCoordinate(in.I32());
    if (!present)
        return std::nullopt;
    return rect;
}

}  // namespace

MessageQueue& Server::QueueOf(Pid pid)
{
    auto it = processes_.find(pid);
    if (it == processes_.end())
        return userQueue_;
    Process& process = it->second;
    if (!process.queue)
        process.queue = std::make_unique<MessageQueue>(pid);
    return *process.queue;
}

void Server::LogCrossMessage(Pid from, Hwnd hwnd, uint32_t message, uint64_t wParam, int64_t lParam,
                             const char* kind)
{
    // From the sending process to the receiving window.
    LogEvent("xmsg from=" + std::to_string(from) + " to=" + std::to_string(hwnd) + " msg=" + HexLogNumber(message) + " wparam=" + HexLogNumber(wParam) +
             " lparam=" + HexLogNumber(static_cast<uint64_t>(lParam)) + " kind=" + kind);
}

bool Server::TryWakeMessageWait(Process& process, WireWriter& reply)
{
    MessageQueue& queue = QueueOf(process.pid);
    const WaitState& wait = process.wait;
    if (std::optional<SentMessage> sent = queue.TakeSent()) {
        WriteIncoming(reply, *sent);
        return true;
    }
    if (wait.kind == WaitKind::SendMessage) {
        auto result = sendResults_.find(wait.sendId);
        if (result != sendResults_.end()) {
            reply.U8(static_cast<uint8_t>(WaitReply::Done)).U8(1).I64(result->second);
            sendResults_.erase(result);
            return true;
        }
        if (now_ >= wait.deadline) {
            reply.U8(static_cast<uint8_t>(WaitReply::Done)).U8(0).I64(0);
            return true;
        }
        return false;
    }
    std::optional<Message> message = queue.Next(wait.filter, true, now_, windows_);
    if (!message)
        return false;
    WriteMessage(reply, message->message == WM_QUIT ? 0 : 1, *message);
    return true;
}

// Senders waiting on a process that has ended get 0, as for a window that
// went away.
void Server::EndSendsFrom(Pid pid)
{
    for (auto& [otherPid, other] : processes_) {
        if (other.state != ProcessState::Waiting || other.wait.kind != WaitKind::SendMessage)
            continue;
        if (other.wait.target == pid && sendResults_.find(other.wait.sendId) == sendResults_.end())
            sendResults_[other.wait.sendId] = 0;
    }
}

// As the device shell does to free memory: WM_CLOSE posted to the main
// windows (visible, unowned, top-level) of every application but the
// caller; the shell, which owns the desktop, keeps its own.
void Server::CloseApps(Process& caller, uint32_t bytes)
{
    LogEvent("closeapps bytes=" + std::to_string(bytes));
    const Window* desktop = windows_.Get(windows_.Desktop());
    Pid shell = desktop ? desktop->pid : 0;
    for (Hwnd hwnd : windows_.TopLevelZOrder()) {
        const Window* window = windows_.Get(hwnd);
        if (window->pid == 0 || window->pid == caller.pid || window->pid == shell || window->owner != 0 ||
            !windows_.IsVisible(hwnd))
            continue;
        Message m;
        m.hwnd = hwnd;
        m.message = WM_CLOSE;
        m.time = static_cast<uint32_t>(now_);
        LogCrossMessage(caller.pid, hwnd, m.message, 0, 0, "posted");
        QueueOf(window->pid).Post(m);
    }
}

bool Server::HandleMessages(Process& caller, Op op, WireReader& in, WireWriter& out)
{
    switch (op) {
    case Op::GetMessage: {
        WaitState wait;
        wait.kind = WaitKind::GetMessage;
        wait.filter = ReadFilter(in);
        caller.gdiObjects = static_cast<int>(in.U32());
        caller.handles = static_cast<int>(in.U32());
        Park(caller, wait);
        return false;
    }
    case Op::ContinueWait:
        if (caller.wait.kind != WaitKind::GetMessage && caller.wait.kind != WaitKind::SendMessage) {
            out.U8(static_cast<uint8_t>(WaitReply::Done)).I32(-1);
            return true;
        }
        Park(caller, caller.wait);
        return false;
    case Op::PeekMessage: {
        MessageFilter filter = ReadFilter(in);
        bool remove = in.U8() != 0;
        MessageQueue& queue = QueueOf(caller.pid);
        if (std::optional<SentMessage> sent = queue.TakeSent()) {
            WriteIncoming(out, *sent);
        } else if (std::optional<Message> message = queue.Next(filter, remove, now_, windows_)) {
            WriteMessage(out, 1, *message);
        } else {
            WriteMessage(out, 0, Message());
        }
        return true;
    }
    case Op::PostMessage: {
        Message m;
        m.hwnd = in.U32();
        m.message = in.U32();
        m.wParam = in.U64();
        m.lParam = in.I64();
        m.time = static_cast<uint32_t>(now_);
        if (m.hwnd == 0) {
            out.U8(static_cast<uint8_t>(QueueOf(caller.pid).Post(m) ? PostResult::Posted : PostResult::QueueFull));
            return true;
        }
        if (m.hwnd == kHwndBroadcast) {
            for (Hwnd hwnd : windows_.TopLevelZOrder()) {
                const Window* window = windows_.Get(hwnd);
                m.hwnd = hwnd;
                if (window->pid != caller.pid)
                    LogCrossMessage(caller.pid, hwnd, m.message, m.wParam, m.lParam, "posted");
                // A full queue misses the broadcast; the others still get it.
                if (window->pid != 0)
                    QueueOf(window->pid).Post(m);
            }
            out.U8(static_cast<uint8_t>(PostResult::Posted));
            return true;
        }
        const Window* window = windows_.Get(m.hwnd);
        if (!window) {
            out.U8(static_cast<uint8_t>(PostResult::NoWindow));
            return true;
        }
        if (window->pid != 0 && !QueueOf(window->pid).Post(m)) {
            out.U8(static_cast<uint8_t>(PostResult::QueueFull));
            return true;
        }
        if (window->pid != caller.pid)
            LogCrossMessage(caller.pid, m.hwnd, m.message, m.wParam, m.lParam, "posted");
        out.U8(static_cast<uint8_t>(PostResult::Posted));
        return true;
    }
    case Op::CloseApps:
        CloseApps(caller, in.U32());
        return true;
    case Op::PostQuit: {
        int32_t code = in.I32();
        QueueOf(caller.pid).PostQuit(code);
        LogEvent("quit pid=" + std::to_string(caller.pid) + " code=" + std::to_string(code));
        return true;
    }
    case Op::SendMessage: {
        Message m;
        m.hwnd = in.U32();
        m.message = in.U32();
        m.wParam = in.U64();
        m.lParam = in.I64();
        uint32_t timeout = in.U32();
        m.time = static_cast<uint32_t>(now_);
        const Window* window = windows_.Get(m.hwnd);
        if (!window) {
            out.U8(static_cast<uint8_t>(WaitReply::Done)).U8(0).I64(0);
            return true;
        }
        LogCrossMessage(caller.pid, m.hwnd, m.message, m.wParam, m.lParam, "sent");
        auto owner = processes_.find(window->pid);
        if (window->pid == caller.pid || owner == processes_.end() || owner->second.state == ProcessState::Ended) {
            // Nobody there to handle it: the desktop before the shell runs.
            out.U8(static_cast<uint8_t>(WaitReply::Done)).U8(1).I64(0);
            return true;
        }
        SentMessage sent;
        sent.id = nextSendId_++;
        sent.sender = caller.pid;
        sent.waiting = true;
        sent.message = m;
        QueueOf(window->pid).PushSent(sent);
        WaitState wait;
        wait.kind = WaitKind::SendMessage;
        wait.sendId = sent.id;
        wait.target = window->pid;
        wait.deadline = timeout == 0xFFFFFFFF ? kNoDeadline : now_ + timeout;
        Park(caller, wait);
        return false;
    }
    case Op::SendReply: {
        uint64_t id = in.U64();
        int64_t result = in.I64();
        for (auto& [pid, process] : processes_) {
            if (process.state == ProcessState::Waiting && process.wait.kind == WaitKind::SendMessage &&
                process.wait.sendId == id)
                sendResults_[id] = result;
        }
        return true;
    }
    case Op::SetTimer: {
        Hwnd hwnd = in.U32();
        uint64_t id = in.U64();
        uint32_t interval = in.U32();
        uint64_t callback = in.U64();
        const Window* window = hwnd ? windows_.Get(hwnd) : nullptr;
        if (hwnd && (!window || window->pid != caller.pid)) {
            out.U64(0);
            return true;
        }
        out.U64(QueueOf(caller.pid).SetTimer(hwnd, id, interval, callback, now_));
        return true;
    }
    case Op::KillTimer: {
        Hwnd hwnd = in.U32();
        uint64_t id = in.U64();
        out.U8(QueueOf(caller.pid).KillTimer(hwnd, id) ? 1 : 0);
        return true;
    }
    case Op::Invalidate: {
        Hwnd hwnd = in.U32();
        std::optional<Rect> area = ReadOptionalRect(in);
        bool erase = in.U8() != 0;
        out.U8(windows_.Invalidate(hwnd, area, erase) ? 1 : 0);
        return true;
    }
    case Op::Validate: {
        Hwnd hwnd = in.U32();
        out.U8(windows_.Validate(hwnd, ReadOptionalRect(in)) ? 1 : 0);
        return true;
    }
    case Op::BeginPaint:
    case Op::UpdateRect: {
        Hwnd hwnd = in.U32();
        PendingPaint paint = op == Op::BeginPaint ? windows_.TakeUpdate(hwnd) : windows_.Update(hwnd);
        out.I32(paint.client.left).I32(paint.client.top).I32(paint.client.right).I32(paint.client.bottom);
        out.U8(paint.erase ? 1 : 0).U8(paint.frame ? 1 : 0);
        if (op == Op::BeginPaint) {
            out.U32(static_cast<uint32_t>(paint.area.Rects().size()));
            for (const Rect& r : paint.area.Rects())
                out.I32(r.left).I32(r.top).I32(r.right).I32(r.bottom);
            WritePaintTarget(out, hwnd);
        }
        return true;
    }
    default:
        return true;
    }
}

}  // namespace sim
