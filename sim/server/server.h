// The device server: runs the emulated processes one at a time, owns the
// clock, and answers their platform requests.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "descriptor_watch.h"
#include "device.h"
#include "frame_reader.h"
#include "message_queue.h"
#include "open_menus.h"
#include "window_manager.h"
#include "process_table.h"
#include "protocol.h"
#include "wire.h"

namespace sim {

struct ServerOptions {
    // The clock follows real time instead of jumping while all wait.
    bool realtime = false;
    // The in-process test harness: a wait that nothing can ever end fails
    // instead of hanging the test.
    bool harness = false;
    // A desktop's paired device (its root folder), which the programs of
    // the device link (the application manager) reach; empty for none.
    std::string pairedRoot;
};

class Server {
public:
    Server(Device& device, ServerOptions options);
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Accepts programs on a Unix socket at the given path.
    bool Listen(const std::string& socketPath, std::string& error);
    // A program already connected over fd (the in-process harness).
    Pid AttachClient(int fd, std::u16string path);

    // Starts the host program at a CE path, its WinMain to get the show
    // command; answers a Win32 error code.
    uint32_t StartProcess(const std::u16string& path, const std::u16string& args, Pid& pid, int showCommand = 5);
    // Ends a process as TerminateProcess does.
    void Terminate(Pid pid, uint32_t exitCode);
    void TerminateAll();

    // Runs processes until every one waits.
    void RunUntilIdle();
    // Lets the given device time pass, running whatever wakes meanwhile.
    void RunFor(uint64_t milliseconds);
    // The harness thread's loop: serves until every attached client has
    // ended, then ends the programs started meanwhile.
    void ServeHarness();

    // The device's user, as the script or the interactive window acts.
    // Stylus messages go to the capture window or the window under the
    // point; keys to the focus window, else the active one.
    void Stylus(uint32_t message, Point screenPoint);
    void Key(uint8_t virtualKey, bool down);
    // Turns the screen to the profile form ("portrait", "landscape",
    // "square"); false for an unknown form.
    bool Rotate(const std::string& form);
    // Publishes changed battery, card or locale figures.
    void StatusChanged();
    WindowManager& Windows() { return windows_; }
    // The programs' open popup menus.
    const OpenMenus& Menus() const { return openMenus_; }

    uint64_t Now() const { return now_; }
    Device& GetDevice() { return device_; }
    bool AnyProcessAlive() const;
    // One line per running process: device pid, program, the GDI objects
    // (DCs among them) and handles it held when it last asked for a message
    // (-1 before that), and its host's resident memory.
    std::string ProcessReport() const;
    const Process* FindProcess(Pid pid) const;
    // The host file a device path names, by the platform's own mapping.
    bool MapFile(const std::u16string& devicePath, std::string& hostPath) const;
    // A running process's program, or a library one has loaded: the device
    // keeps it from being deleted or renamed.
    bool FileInUse(const std::string& hostPath) const;

private:
    friend class RequestContext;

    void LogEvent(const std::string& line) { device_.LogEvent(line); }
    void SetNow(uint64_t now);
    void SyncRealClock();
    uint64_t NextDeadline() const;
    void WakeWaiters();
    bool TryWake(Process& process);
    void Schedule();
    void Pump(int timeoutMs);
    void AcceptConnection();
    void ReadFrom(Process& process);
    // Handles the frames that have arrived while the process may ask.
    void TakeFrames(Process& process);
    // The connection ended: the process is gone (or has broken off mid-frame).
    void Disconnected(Process& process);
    // A peer that breaks the protocol is logged and ended.
    void Drop(Process& process, const char* reason);
    // Real time: the running process gives way to the others at its turn.
    void Preempt(Process& process);
    bool OtherRunnable(Pid pid, bool countSpinning) const;
    void ReadHello(int fd);
    // A connection's first frame; false when it is no Hello of a program
    // waiting to connect.
    bool HandleHello(int fd, const std::string& frame);
    void Handle(Process& process, const std::string& frame);
    void Reply(Process& process, const WireWriter& reply);
    // Tells the programs' DCs, through the screen header, that windows
    // changed since they last looked.
    void PublishLayout();
    void Park(Process& process, const WaitState& wait);
    void MakeReady(Process& process, std::string reply);
    // Lets the process run: with its prepared reply, or with the answer
    // to its Hello.
    void RunPrepared(Process& process);
    void Welcome(Process& process);
    void ProcessEnded(Process& process, uint32_t exitCode);
    void FailStalledWaits();
    bool AnyAttachedAlive() const;
    Process* Running();

    // Messages a change calls for: those to the caller's own windows travel
    // back in the reply, in order, for it to deliver at once; those to other
    // processes' windows are queued there as notifications.
    struct Effects {
        std::vector<Message> own;
    };
    // BeginPaint's reply after the update: the window as WindowInfo answers
    // and the rectangles of its client area that show, so that a repaint
    // costs one round trip.
    void WritePaintTarget(WireWriter& out, Hwnd hwnd) const;
    void Notify(Pid caller, Effects* effects, Hwnd hwnd, uint32_t message, uint64_t wParam, int64_t lParam);
    void NotifyActivation(Pid caller, Effects* effects, const Activation& activation);
    void WriteEffects(WireWriter& out, const Effects& effects);
    void LogActivation(const Activation& activation);
    // The window that takes a soft key instead of the focus window, or 0.
    Hwnd SoftKeyTarget(uint8_t virtualKey) const;
    // The task bar repaints with the new active window's title.
    void RefreshTaskBar();
    void LogCrossMessage(Pid from, Hwnd hwnd, uint32_t message, uint64_t wParam, int64_t lParam, const char* kind);
    MessageQueue& QueueOf(Pid pid);
    bool TryWakeMessageWait(Process& process, WireWriter& reply);
    void WriteStylusState(WireWriter& reply) const;
    void EndSendsFrom(Pid pid);
    void CloseApps(Process& caller, uint32_t bytes);

    // Request handlers by area; each writes the reply or parks the caller.
    void HandleSession(Process& caller, Op op, WireReader& in, WireWriter& out);
    void HandleRegistry(Process& caller, Op op, WireReader& in, WireWriter& out);
    bool HandleProcesses(Process& caller, Op op, WireReader& in, WireWriter& out);
    void HandleWindows(Process& caller, Op op, WireReader& in, WireWriter& out);
    bool HandleMessages(Process& caller, Op op, WireReader& in, WireWriter& out);

    Device& device_;
    ServerOptions options_;
    WindowManager windows_;
    OpenMenus openMenus_;
    // Replies to cross-process sends, by ticket, until the sender takes them.
    std::map<uint64_t, int64_t> sendResults_;
    uint64_t nextSendId_ = 1;
    // A process with no window system peer (pid 0) stands for the user.
    MessageQueue userQueue_{0};
    DescriptorWatch watch_;
    int listenFd_ = -1;
    std::string socketPath_;
    std::map<Pid, Process> processes_;
    std::map<int, FrameReader> unidentified_;  // connected, no Hello yet
    Pid nextPid_ = 1;
    uint64_t publishedLayout_ = 0;
    Pid running_ = 0;
    Pid lastRun_ = 0;
    uint64_t now_ = 0;
    uint64_t realStartMs_ = 0;
    // The touch panel as the user left it; the sequence counts its changes.
    bool stylusDown_ = false;
    Point stylusPoint_;
    uint64_t stylusSequence_ = 0;
};

}  // namespace sim
