// The server's view of the emulated processes.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <deque>
#include <map>
#include <string>

namespace sim {

using Pid = uint32_t;
using Hwnd = uint32_t;

// A message sent to a window of another process, waiting to be handled
// there. Notifications have no waiting sender.
struct SentMessage {
    uint32_t id = 0;
    Pid from = 0;
    Hwnd hwnd = 0;
    uint32_t msg = 0;
    uint64_t wParam = 0;
    int64_t lParam = 0;
    bool senderWaits = false;
};

constexpr uint64_t kNoDeadline = UINT64_MAX;

enum class WaitKind { GetMessage, PeekMessage, Sleep, WaitProcess, SendMessage };

// What a waiting process waits for.
struct WaitState {
    WaitKind kind = WaitKind::Sleep;
    uint64_t deadline = kNoDeadline;
    Hwnd hwndFilter = 0;
    uint32_t msgMin = 0;
    uint32_t msgMax = 0;
    bool remove = true;
    Pid target = 0;       // WaitProcess
    uint32_t sendId = 0;  // SendMessage
};

enum class ProcessState {
    Starting,  // spawned, not yet connected or not yet run
    Ready,     // may run; its reply is prepared
    Running,   // the one process that runs
    Waiting,   // parked in a blocking call
    Ended,
};

struct Process {
    Pid pid = 0;
    pid_t hostPid = 0;  // 0 for the in-process test harness
    std::u16string path;
    std::u16string args;
    int fd = -1;
    ProcessState state = ProcessState::Starting;
    bool connected = false;
    WaitState wait;
    std::string reply;  // sent when a Ready process is run
    std::deque<SentMessage> incoming;
    uint32_t exitCode = 0x103;  // STILL_ACTIVE
    bool exitCodeSet = false;
};

}  // namespace sim
