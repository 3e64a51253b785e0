// The server's view of the emulated processes.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "frame_reader.h"
#include "message_queue.h"

namespace sim {

constexpr uint64_t kNoDeadline = UINT64_MAX;

enum class WaitKind { GetMessage, Sleep, WaitProcess, SendMessage, Stylus };

// What a waiting process waits for.
struct WaitState {
    WaitKind kind = WaitKind::Sleep;
    uint64_t deadline = kNoDeadline;
    MessageFilter filter;  // GetMessage
    Pid target = 0;        // WaitProcess
    uint64_t sendId = 0;   // SendMessage
    uint64_t stylusSeen = 0;  // Stylus: the stylus sequence the caller knows
};

enum class ProcessState {
    Starting,  // spawned, not yet connected or not yet run
    Ready,     // may run; its reply is prepared
    Running,   // the one process that runs
    Preempted, // its time slice ran out while it ran; it runs on at its turn
    Waiting,   // parked in a blocking call
    Ended,
};

struct Process {
    Pid pid = 0;
    pid_t hostPid = 0;  // 0 for the in-process test harness
    std::u16string path;
    std::u16string args;
    int fd = -1;
    FrameReader input;  // what has arrived on fd and is not yet handled
    ProcessState state = ProcessState::Starting;
    bool connected = false;
    WaitState wait;
    // Real time: when it last got the device, and whether it has kept the
    // device for a whole time slice since it last waited.
    uint64_t sliceStartMs = 0;
    bool spinning = false;
    std::string reply;  // sent when a Ready process is run
    std::unique_ptr<MessageQueue> queue;
    uint32_t exitCode = 0x103;  // STILL_ACTIVE
    bool exitCodeSet = false;
    // Joined over a descriptor the harness handed in, not spawned.
    bool attached = false;
    // OpenProcess by another process fails with ERROR_ACCESS_DENIED.
    bool denyOpen = false;
    // The host files the process holds while it runs: its program (none
    // for the harness) and the libraries it has loaded, one entry per
    // library however often it was loaded.
    std::string programFile;
    std::multiset<std::string> libraryFiles;
    // What it held when it last asked for a message; -1 until then.
    int gdiObjects = -1;
    int handles = -1;
};

}  // namespace sim
