#include "server.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "ce/errors.h"
#include "device_path.h"
#include "event_log.h"
#include "text_convert.h"
#include "wire_records.h"

extern char** environ;

namespace sim {
namespace {

constexpr uint32_t kStillActive = 0x103;
// A spawned program that has not connected by then never will.
constexpr int kConnectTimeoutMs = 20000;
// Real time: how long a process may keep the device while others are ready
// to run, a device thread's default quantum.
constexpr uint64_t kTimeSliceMs = 100;

uint64_t RealMs()
{
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

std::string PidText(Pid pid) { return std::to_string(pid); }

// What a watched descriptor is: the kind in the high half of its key, the
// descriptor or the pid in the low half.
enum class Watched : uint64_t { Listening = 0, Unidentified = 1, Program = 2 };

uint64_t WatchKey(Watched kind, uint32_t value) { return (static_cast<uint64_t>(kind) << 32) | value; }


// How a host process that ended without saying so is reported.
uint32_t ExitCodeOfStatus(int status)
{
    if (WIFEXITED(status))
        return static_cast<uint32_t>(WEXITSTATUS(status));
    return 0xC0000005;  // ended by a fault
}

// It may be given the device.
bool Runnable(const Process& process)
{
    return process.state == ProcessState::Ready || process.state == ProcessState::Starting ||
           process.state == ProcessState::Preempted;
}

// What a connection has delivered, read without waiting, so that a peer
// that stops in the middle of a frame cannot stop the device with it.
enum class Arrival { Bytes, Nothing, Closed };

Arrival ReadAvailable(int fd, FrameReader& reader)
{
    char buffer[65536];
    for (;;) {
        ssize_t got = recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
        if (got > 0) {
            reader.Append(std::string_view(buffer, static_cast<size_t>(got)));
            return Arrival::Bytes;
        }
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return Arrival::Nothing;
        return Arrival::Closed;
    }
}

}  // namespace

namespace {

WindowManager MakeWindowManager(const DeviceProfile& profile)
{
    ScreenInfo screen = ScreenOf(profile);
    return WindowManager(Rect{0, 0, screen.width, screen.height},
                         Rect{screen.workLeft, screen.workTop, screen.workRight, screen.workBottom});
}

}  // namespace

Server::Server(Device& device, ServerOptions options)
    : device_(device), options_(options), windows_(MakeWindowManager(device.Profile()))
{
    realStartMs_ = RealMs();
    device_.SetTime(0);
}

Server::~Server()
{
    TerminateAll();
    for (auto& [fd, input] : unidentified_)
        close(fd);
    if (listenFd_ >= 0) {
        close(listenFd_);
        unlink(socketPath_.c_str());
    }
}

bool Server::Listen(const std::string& socketPath, std::string& error)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath.size() >= sizeof address.sun_path) {
        error = "socket path too long: " + socketPath;
        return false;
    }
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = std::string("socket: ") + std::strerror(errno);
        return false;
    }
    unlink(socketPath.c_str());
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd, 16) != 0) {
        error = "cannot listen on " + socketPath + ": " + std::strerror(errno);
        close(fd);
        return false;
    }
    listenFd_ = fd;
    socketPath_ = socketPath;
    watch_.Add(fd, WatchKey(Watched::Listening, 0));
    return true;
}

Pid Server::AttachClient(int fd, std::u16string path)
{
    Pid pid = nextPid_++;
    Process& process = processes_[pid];
    process.pid = pid;
    process.path = std::move(path);
    process.fd = fd;
    process.state = ProcessState::Starting;
    process.attached = true;
    watch_.Add(fd, WatchKey(Watched::Program, pid));
    LogEvent("process-start pid=" + PidText(pid) + " path=" + QuoteLogText(process.path) + " args=\"\"");
    return pid;
}

uint32_t Server::StartProcess(const std::u16string& path, const std::u16string& args, Pid& pid, int showCommand)
{
    std::string hostPath;
    if (!platform::MapDevicePathIn(device_.RootPath(), path.c_str(), hostPath, device_.Profile().desktop))
        return ERROR_PATH_NOT_FOUND;
    struct stat info;
    if (stat(hostPath.c_str(), &info) != 0) {
        struct stat folder;
        std::string parent = hostPath.substr(0, hostPath.find_last_of('/'));
        bool folderThere = stat(parent.c_str(), &folder) == 0 && S_ISDIR(folder.st_mode);
        return folderThere ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
    }
    if (!S_ISREG(info.st_mode) || access(hostPath.c_str(), X_OK) != 0)
        return ERROR_BAD_FORMAT;
    if (listenFd_ < 0)
        return ERROR_NOT_SUPPORTED;

    pid = nextPid_++;
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        if (std::strncmp(*entry, "DEVSIM_", 7) != 0)
            environment.emplace_back(*entry);
    }
    environment.push_back("DEVSIM_SOCKET=" + socketPath_);
    environment.push_back("DEVSIM_PID=" + PidText(pid));
    environment.push_back("DEVSIM_ROOT=" + device_.RootPath());
    if (!options_.pairedRoot.empty())
        environment.push_back("DEVSIM_PAIRED_ROOT=" + options_.pairedRoot);
    environment.push_back("DEVSIM_PROGRAM=" + platform::Utf8FromUtf16(path));
    environment.push_back("DEVSIM_ARGS=" + platform::Utf8FromUtf16(args));
    environment.push_back("DEVSIM_SHOW=" + std::to_string(showCommand));
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    char* argv[] = {hostPath.data(), nullptr};

    pid_t hostPid = 0;
    if (posix_spawn(&hostPid, hostPath.c_str(), nullptr, nullptr, argv, envp.data()) != 0) {
        --nextPid_;
        return ERROR_BAD_FORMAT;
    }
    Process& process = processes_[pid];
    process.pid = pid;
    process.hostPid = hostPid;
    process.path = path;
    process.args = args;
    process.programFile = hostPath;
    process.state = ProcessState::Starting;
    LogEvent("process-start pid=" + PidText(pid) + " path=" + QuoteLogText(path) + " args=" + QuoteLogText(args));
    return ERROR_SUCCESS;
}

const Process* Server::FindProcess(Pid pid) const
{
    auto it = processes_.find(pid);
    return it == processes_.end() ? nullptr : &it->second;
}

bool Server::AnyProcessAlive() const
{
    return std::any_of(processes_.begin(), processes_.end(),
                       [](const auto& entry) { return entry.second.state != ProcessState::Ended; });
}

Process* Server::Running()
{
    auto it = processes_.find(running_);
    return it == processes_.end() ? nullptr : &it->second;
}

void Server::SetNow(uint64_t now)
{
    if (now > now_) {
        now_ = now;
        device_.SetTime(now_);
    }
}

void Server::SyncRealClock()
{
    if (options_.realtime)
        SetNow(RealMs() - realStartMs_);
}

void Server::Terminate(Pid pid, uint32_t exitCode)
{
    auto it = processes_.find(pid);
    if (it == processes_.end() || it->second.state == ProcessState::Ended)
        return;
    Process& process = it->second;
    if (process.hostPid > 0)
        kill(process.hostPid, SIGKILL);
    ProcessEnded(process, exitCode);
}

void Server::TerminateAll()
{
    // Newest first, so that the shell goes last, as when a device powers off.
    for (auto it = processes_.rbegin(); it != processes_.rend(); ++it) {
        if (it->second.state != ProcessState::Ended)
            Terminate(it->first, 0);
    }
}

void Server::ProcessEnded(Process& process, uint32_t exitCode)
{
    if (process.state == ProcessState::Ended)
        return;
    if (process.fd >= 0) {
        watch_.Remove(process.fd);
        close(process.fd);
        process.fd = -1;
    }
    if (process.hostPid > 0) {
        int status = 0;
        while (waitpid(process.hostPid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    process.state = ProcessState::Ended;
    process.exitCode = exitCode;
    process.exitCodeSet = true;
    process.queue.reset();
    process.reply.clear();
    if (running_ == process.pid)
        running_ = 0;
    // What the process showed goes with it.
    openMenus_.Forget(process.pid);
    Destruction destruction = windows_.DestroyAllOf(process.pid);
    for (Hwnd hwnd : destruction.destroyed)
        LogEvent("window-destroy hwnd=" + std::to_string(hwnd));
    NotifyActivation(0, nullptr, destruction.activation);
    EndSendsFrom(process.pid);
    LogEvent("process-exit pid=" + PidText(process.pid) + " code=" + std::to_string(exitCode));
    // Its windows may go while another program runs and reads the windows
    // without asking again.
    PublishLayout();
    WakeWaiters();
}

void Server::PublishLayout()
{
    ScreenBuffer* screen = device_.Screen();
    if (screen && windows_.LayoutVersion() != publishedLayout_) {
        publishedLayout_ = windows_.LayoutVersion();
        screen->SetLayoutVersion(screen->LayoutVersion() + 1);
    }
}

void Server::Reply(Process& process, const WireWriter& reply)
{
    PublishLayout();
    if (!SendFrame(process.fd, reply.Data()))
        ProcessEnded(process, process.exitCodeSet ? process.exitCode : 0xC0000005);
}

void Server::MakeReady(Process& process, std::string reply)
{
    process.reply = std::move(reply);
    process.state = ProcessState::Ready;
}

void Server::Park(Process& process, const WaitState& wait)
{
    process.wait = wait;
    process.state = ProcessState::Waiting;
    process.spinning = false;
    bool wasRunning = running_ == process.pid;
    if (wasRunning)
        running_ = 0;
    if (!TryWake(process) || !wasRunning || wait.kind == WaitKind::Sleep)
        return;
    // A wait that ends at once does not give up the device (only Sleep
    // yields, as Sleep(0) does).
    running_ = process.pid;
    RunPrepared(process);
}

void Server::RunPrepared(Process& process)
{
    process.state = ProcessState::Running;
    std::string reply = std::move(process.reply);
    process.reply.clear();
    PublishLayout();
    if (!SendFrame(process.fd, reply))
        ProcessEnded(process, process.exitCodeSet ? process.exitCode : 0xC0000005);
}

void Server::Welcome(Process& process)
{
    process.state = ProcessState::Running;
    WireWriter hello;
    hello.Bytes(device_.RootPath());
    hello.I32(device_.Screen() ? device_.Screen()->Fd() : -1);
    Reply(process, hello);
}

uint64_t Server::NextDeadline() const
{
    uint64_t next = kNoDeadline;
    for (const auto& [pid, process] : processes_) {
        if (process.state != ProcessState::Waiting)
            continue;
        next = std::min(next, process.wait.deadline);
        if (process.wait.kind == WaitKind::GetMessage && process.queue) {
            if (std::optional<uint64_t> timer = process.queue->NextDeadline())
                next = std::min(next, std::max(*timer, now_));
        }
    }
    return next;
}

void Server::WakeWaiters()
{
    for (auto& [pid, process] : processes_) {
        if (process.state == ProcessState::Waiting)
            TryWake(process);
    }
}

bool Server::TryWake(Process& process)
{
    const WaitState& wait = process.wait;
    WireWriter reply;
    switch (wait.kind) {
    case WaitKind::Sleep:
        if (now_ < wait.deadline)
            return false;
        break;
    case WaitKind::WaitProcess: {
        const Process* target = FindProcess(wait.target);
        bool ended = !target || target->state == ProcessState::Ended;
        if (!ended && now_ < wait.deadline)
            return false;
        reply.U8(ended ? 1 : 0);
        break;
    }
    case WaitKind::GetMessage:
    case WaitKind::SendMessage:
        if (!TryWakeMessageWait(process, reply))
            return false;
        break;
    case WaitKind::Stylus:
        if (stylusSequence_ == wait.stylusSeen && now_ < wait.deadline)
            return false;
        WriteStylusState(reply);
        break;
    }
    MakeReady(process, reply.Take());
    return true;
}

void Server::Schedule()
{
    if (running_ != 0)
        return;
    // Round robin in pid order, starting after the one that ran last.
    Process* chosen = nullptr;
    for (auto& [pid, process] : processes_) {
        if (!Runnable(process))
            continue;
        if (pid > lastRun_) {
            chosen = &process;
            break;
        }
        if (!chosen)
            chosen = &process;
    }
    if (!chosen)
        return;
    running_ = chosen->pid;
    lastRun_ = chosen->pid;
    chosen->sliceStartMs = RealMs();
    if (chosen->state == ProcessState::Ready) {
        RunPrepared(*chosen);
    } else if (chosen->state == ProcessState::Preempted) {
        // It runs on from where it was: a request it made meanwhile is
        // answered now.
        chosen->state = ProcessState::Running;
        TakeFrames(*chosen);
    } else if (chosen->connected) {
        // Connected before its turn: its Hello waits for the reply.
        Welcome(*chosen);
    }
    // Otherwise it runs as soon as its Hello arrives.
}

void Server::RunUntilIdle()
{
    uint64_t startWaitMs = 0;
    for (;;) {
        Schedule();
        Process* running = Running();
        if (!running)
            return;
        if (running->state == ProcessState::Starting && !running->connected) {
            int status = 0;
            if (running->hostPid > 0 && waitpid(running->hostPid, &status, WNOHANG) == running->hostPid) {
                // It ended before it ever reached the device.
                running->hostPid = 0;
                ProcessEnded(*running, ExitCodeOfStatus(status));
                continue;
            }
            if (startWaitMs == 0)
                startWaitMs = RealMs();
            else if (RealMs() - startWaitMs > kConnectTimeoutMs)
                Terminate(running->pid, 0xC0000005);
        } else {
            startWaitMs = 0;
        }
        if (options_.realtime && running->state == ProcessState::Running) {
            // A process that keeps the device for a whole slice gives way to
            // the others ready to run; while only such processes want the
            // device, the caller (the user, a script) acts meanwhile.
            if (RealMs() - running->sliceStartMs >= kTimeSliceMs) {
                running->spinning = true;
                if (OtherRunnable(running->pid, true)) {
                    Preempt(*running);
                    continue;
                }
            }
            if (running->spinning && !OtherRunnable(running->pid, false))
                return;
        }
        Pump(100);
        SyncRealClock();
        if (options_.realtime)
            WakeWaiters();
    }
}

void Server::Preempt(Process& process)
{
    process.state = ProcessState::Preempted;
    running_ = 0;
}

bool Server::OtherRunnable(Pid pid, bool countSpinning) const
{
    return std::any_of(processes_.begin(), processes_.end(), [pid, countSpinning](const auto& entry) {
        const Process& other = entry.second;
        return entry.first != pid && Runnable(other) && (countSpinning || !other.spinning);
    });
}

void Server::RunFor(uint64_t milliseconds)
{
    // The clock may have stood still while nothing ran; the time to let
    // pass starts from now.
    SyncRealClock();
    uint64_t target = now_ + milliseconds;
    if (options_.realtime) {
        uint64_t realTarget = realStartMs_ + target;
        for (;;) {
            RunUntilIdle();
            uint64_t real = RealMs();
            if (real >= realTarget)
                break;
            uint64_t wake = std::min(realTarget, NextDeadline() == kNoDeadline ? realTarget
                                                                                 : realStartMs_ + NextDeadline());
            Pump(static_cast<int>(std::clamp<uint64_t>(wake > real ? wake - real : 0, 0, 100)));
            SyncRealClock();
            WakeWaiters();
        }
        return;
    }
    for (;;) {
        RunUntilIdle();
        uint64_t next = NextDeadline();
        if (next > target)
            break;
        SetNow(next);
        WakeWaiters();
    }
    SetNow(target);
    WakeWaiters();
    RunUntilIdle();
}

void Server::FailStalledWaits()
{
    for (auto& [pid, process] : processes_) {
        if (process.state != ProcessState::Waiting || process.wait.deadline != kNoDeadline)
            continue;
        LogEvent("stall pid=" + PidText(pid));
        WireWriter reply;
        switch (process.wait.kind) {
        case WaitKind::GetMessage:
            reply.U8(static_cast<uint8_t>(WaitReply::Done)).I32(-1);
            reply.U32(0).U32(0).U64(0).I64(0).U32(0).I32(0).I32(0);
            break;
        case WaitKind::SendMessage:
            reply.U8(static_cast<uint8_t>(WaitReply::Done)).U8(0).I64(0);
            break;
        case WaitKind::WaitProcess:
            reply.U8(0);
            break;
        case WaitKind::Stylus:
            WriteStylusState(reply);
            break;
        case WaitKind::Sleep:
            break;
        }
        MakeReady(process, reply.Take());
    }
}

bool Server::AnyAttachedAlive() const
{
    return std::any_of(processes_.begin(), processes_.end(), [](const auto& entry) {
        return entry.second.attached && entry.second.state != ProcessState::Ended;
    });
}

void Server::ServeHarness()
{
    while (AnyAttachedAlive()) {
        RunUntilIdle();
        if (!AnyAttachedAlive())
            break;
        uint64_t next = NextDeadline();
        if (next == kNoDeadline) {
            FailStalledWaits();
            continue;
        }
        SetNow(next);
        WakeWaiters();
    }
    // The programs the harness started go with it.
    TerminateAll();
}

void Server::Pump(int timeoutMs)
{
    for (uint64_t key : watch_.Wait(timeoutMs)) {
        auto value = static_cast<uint32_t>(key);
        switch (static_cast<Watched>(key >> 32)) {
        case Watched::Listening:
            AcceptConnection();
            break;
        case Watched::Unidentified:
            ReadHello(static_cast<int>(value));
            break;
        case Watched::Program: {
            // It may have ended over an earlier key of the same wait.
            auto it = processes_.find(value);
            if (it != processes_.end() && it->second.fd >= 0)
                ReadFrom(it->second);
            break;
        }
        }
    }
}

void Server::AcceptConnection()
{
    int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0)
        return;
    unidentified_.emplace(fd, FrameReader());
    watch_.Add(fd, WatchKey(Watched::Unidentified, static_cast<uint32_t>(fd)));
}

void Server::ReadHello(int fd)
{
    auto it = unidentified_.find(fd);
    if (it == unidentified_.end())
        return;
    Arrival arrival = ReadAvailable(fd, it->second);
    if (arrival == Arrival::Nothing)
        return;
    std::string frame;
    FrameReader::Next next = it->second.Take(frame);
    if (arrival == Arrival::Bytes && next == FrameReader::Next::Incomplete)
        return;
    // A program waits for its Hello's answer before it asks anything.
    bool alone = it->second.Empty();
    unidentified_.erase(it);
    if (next == FrameReader::Next::Frame && alone && HandleHello(fd, frame))
        return;
    watch_.Remove(fd);
    close(fd);
}

bool Server::HandleHello(int fd, const std::string& frame)
{
    WireReader in(frame);
    Op op = static_cast<Op>(in.U16());
    Pid pid = in.U32();
    auto it = processes_.find(pid);
    if (op != Op::Hello || in.Failed() || it == processes_.end() || it->second.connected ||
        it->second.state != ProcessState::Starting)
        return false;
    Process& process = it->second;
    process.fd = fd;
    process.connected = true;
    watch_.Change(fd, WatchKey(Watched::Program, pid));
    if (running_ == pid)
        Welcome(process);
    return true;
}

void Server::ReadFrom(Process& process)
{
    switch (ReadAvailable(process.fd, process.input)) {
    case Arrival::Nothing:
        return;
    case Arrival::Closed:
        Disconnected(process);
        return;
    case Arrival::Bytes:
        TakeFrames(process);
        return;
    }
}

void Server::Disconnected(Process& process)
{
    if (process.input.MidFrame())
        LogEvent("protocol-error pid=" + PidText(process.pid) + " reason=truncated");
    uint32_t code = process.exitCode;
    if (!process.exitCodeSet && process.hostPid > 0) {
        int status = 0;
        pid_t host = process.hostPid;
        process.hostPid = 0;
        while (waitpid(host, &status, 0) < 0 && errno == EINTR) {
        }
        code = ExitCodeOfStatus(status);
    } else if (!process.exitCodeSet) {
        code = 0;
    }
    ProcessEnded(process, code);
}

void Server::Drop(Process& process, const char* reason)
{
    LogEvent("protocol-error pid=" + PidText(process.pid) + " reason=" + reason);
    Terminate(process.pid, 0xC0000005);
}

void Server::TakeFrames(Process& process)
{
    // A preempted process's request waits for its turn.
    while (process.state != ProcessState::Ended && process.state != ProcessState::Preempted) {
        std::string frame;
        FrameReader::Next next = process.input.Take(frame);
        if (next == FrameReader::Next::Incomplete)
            return;
        if (next == FrameReader::Next::TooLong) {
            Drop(process, "too-long");
            return;
        }
        if (!process.connected) {
            // The harness client: its first frame is its Hello.
            WireReader in(frame);
            if (static_cast<Op>(in.U16()) != Op::Hello) {
                Drop(process, "no-hello");
                return;
            }
            process.connected = true;
            if (running_ == process.pid)
                Welcome(process);
            continue;
        }
        if (running_ != process.pid) {
            // Only the running process may ask; anything else is a broken peer.
            Drop(process, "out-of-turn");
            return;
        }
        Handle(process, frame);
    }
}

void Server::Handle(Process& process, const std::string& frame)
{
    WireReader in(frame);
    uint16_t code = in.U16();
    if (in.Failed() || !IsRequest(code)) {
        Drop(process, "unknown-request");
        return;
    }
    Op op = static_cast<Op>(code);
    WireWriter out;
    uint16_t area = code;
    bool replyNow = true;
    if (area < 20)
        HandleSession(process, op, in, out);
    else if (area < 40)
        HandleRegistry(process, op, in, out);
    else if (area < 60)
        replyNow = HandleProcesses(process, op, in, out);
    else if (area < 90)
        HandleWindows(process, op, in, out);
    else
        replyNow = HandleMessages(process, op, in, out);
    if (process.state == ProcessState::Ended)
        return;
    if (in.Failed()) {
        // Its arguments ran short: it was read with zeros for the rest.
        Drop(process, "short-request");
        return;
    }
    if (replyNow && running_ == process.pid)
        Reply(process, out);
    // A question changes nothing another process waits for; with many
    // programs waiting, a task list's walk is made of them.
    if (!AsksOnly(op))
        WakeWaiters();
}

}  // namespace sim
