// Programs that misbehave, and the device that goes on serving the others:
// a program killed mid-request or mid-send, one that writes broken frames,
// one that computes for ever in real time.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <climits>
#include <filesystem>
#include <future>
#include <thread>
#include <vector>

#include "harness_server.h"
#include "raw_client.h"
#include "server/script.h"
#include "server/script_runner.h"
#include "server/server.h"

namespace {

using namespace servertest;

constexpr uint32_t kWmUser = 0x0400;
constexpr uint32_t kSwpNoZOrder = 0x0004;

// A host process that takes a client's connection over: it writes the
// given bytes, reads one reply if asked to, tells the test it has, and
// then waits to be killed.
class TakenOverClient {
public:
    TakenOverClient(int fd, const std::string& bytes, bool readReply)
    {
        int done[2];
        EXPECT_EQ(pipe(done), 0);
        child_ = fork();
        if (child_ == 0)
            Run(fd, bytes, readReply, done[1]);
        close(done[1]);
        doneFd_ = done[0];
    }
    ~TakenOverClient()
    {
        Kill();
        close(doneFd_);
    }

    // True when the child did what it was given before it waits.
    bool WaitUntilDone()
    {
        char byte = 0;
        return read(doneFd_, &byte, 1) == 1;
    }
    void Kill()
    {
        if (child_ <= 0)
            return;
        kill(child_, SIGKILL);
        int status = 0;
        waitpid(child_, &status, 0);
        child_ = 0;
    }

private:
    // Only system calls here: the test's other threads may hold locks the
    // forked copy of them would never release.
    [[noreturn]] static void Run(int fd, const std::string& bytes, bool readReply, int doneFd)
    {
        for (int other = 3; other < 1024; ++other) {
            if (other != fd && other != doneFd)
                close(other);
        }
        for (size_t at = 0; at < bytes.size();) {
            ssize_t written = write(fd, bytes.data() + at, bytes.size() - at);
            if (written <= 0)
                _exit(1);
            at += static_cast<size_t>(written);
        }
        static char reply[65536];
        if (readReply && read(fd, reply, sizeof reply) <= 0)
            _exit(1);
        char byte = 1;
        if (write(doneFd, &byte, 1) != 1)
            _exit(1);
        for (;;)
            pause();
    }

    pid_t child_ = 0;
    int doneFd_ = -1;
};

class ServerFaultTest : public testsupport::HarnessServerFixture {
protected:
    // The second process is served as ever: it starts and makes a window.
    void ExpectSecondServed()
    {
        second_->Hello();
        EXPECT_NE(second_->CreateWindow(u"Survivor"), 0u);
    }
};

TEST_F(ServerFaultTest, AProcessKilledMidRequestEndsAndTheOthersGoOn)
{
    WireWriter processState;
    processState.U32(1);
    std::string whole = RequestBytes(static_cast<uint16_t>(Op::ProcessState), processState);
    struct Case {
        const char* name;
        std::string bytes;
        bool truncated;  // killed with a frame half written
    };
    const std::vector<Case> cases = {
        {"within the length", whole.substr(0, 2), true},
        {"within the arguments", whole.substr(0, whole.size() - 1), true},
        {"waiting for a message", RequestBytes(static_cast<uint16_t>(Op::GetMessage), AnyMessage()), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewServer(false);
        StartTwo();
        first_->Hello();
        uint32_t window = first_->CreateWindow(u"Doomed");
        std::string pid = std::to_string(first_->Pid());
        TakenOverClient host(first_->Fd(), c.bytes, false);
        first_->Close();
        ASSERT_TRUE(host.WaitUntilDone());
        host.Kill();
        ExpectSecondServed();
        // The device serves until every process has ended, the killed one too.
        Stop();
        EXPECT_TRUE(Logged("window-destroy hwnd=" + std::to_string(window)));
        EXPECT_TRUE(Logged("process-exit pid=" + pid + " code=0"));
        EXPECT_EQ(Logged("protocol-error pid=" + pid + " reason=truncated"), c.truncated);
    }
}

TEST_F(ServerFaultTest, AReceiverKilledWhileHandlingASendLeavesTheSenderWithZero)
{
    StartTwo();
    first_->Hello();
    uint32_t target = first_->CreateWindow(u"Receiver");
    // The receiver's host takes the sent message and dies with it.
    TakenOverClient receiver(first_->Fd(), RequestBytes(static_cast<uint16_t>(Op::GetMessage), AnyMessage()), true);
    first_->Close();
    second_->Hello();
    WireWriter send;
    send.U32(target).U32(kWmUser + 5).U64(42).I64(0).U32(0xFFFFFFFF);
    auto sender = std::async(std::launch::async, [&] { return second_->Request(Op::SendMessage, send); });
    ASSERT_TRUE(receiver.WaitUntilDone());
    EXPECT_EQ(sender.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout)
        << "the sender waits while the receiver handles it";
    receiver.Kill();

    std::string reply = sender.get();
    WireReader in(reply);
    EXPECT_EQ(in.U8(), static_cast<uint8_t>(sim::WaitReply::Done));
    in.U8();
    EXPECT_EQ(in.I64(), 0) << "SendMessage returns 0";
    EXPECT_FALSE(in.Failed());
    EXPECT_TRUE(Logged("process-exit pid=" + std::to_string(first_->Pid())));
    EXPECT_NE(second_->CreateWindow(u"Survivor"), 0u) << "the sender goes on";
    second_->Close();
}

TEST_F(ServerFaultTest, ASenderKilledMidSendLeavesTheReceiverServing)
{
    StartTwo();
    first_->Hello();
    uint32_t target = first_->CreateWindow(u"Receiver");
    auto receiver = std::async(std::launch::async, [this] {
        return ReadWaitReply(first_->Request(Op::GetMessage, AnyMessage()));
    });
    second_->Hello();
    WireWriter send;
    send.U32(target).U32(kWmUser + 5).U64(42).I64(0).U32(0xFFFFFFFF);
    TakenOverClient sender(second_->Fd(), RequestBytes(static_cast<uint16_t>(Op::SendMessage), send), false);
    second_->Close();
    ASSERT_TRUE(sender.WaitUntilDone());
    Received incoming = receiver.get();
    ASSERT_EQ(incoming.kind, static_cast<uint8_t>(sim::WaitReply::Incoming));
    sender.Kill();

    // The answer finds nobody to take it; the receiver goes on.
    WireWriter answer;
    answer.U64(incoming.sendId).I64(99);
    first_->Request(Op::SendReply, answer);
    EXPECT_NE(first_->CreateWindow(u"After"), 0u);
    std::string senderPid = std::to_string(second_->Pid());
    Stop();
    EXPECT_TRUE(Logged("process-exit pid=" + senderPid + " code=0"));
    EXPECT_FALSE(Logged("protocol-error"));
}

TEST_F(ServerFaultTest, APeerThatBreaksTheProtocolIsDroppedAndLogged)
{
    WireWriter tooLong;
    tooLong.U32(sim::kMaxFrameBytes + 1).U16(static_cast<uint16_t>(Op::TickCount));
    std::string truncated = RequestBytes(static_cast<uint16_t>(Op::SetWindowText), WireWriter().U32(1).Text(u"abc"));
    truncated.resize(truncated.size() - 3);
    struct Case {
        const char* name;
        std::string bytes;
        bool closeAfter;     // the peer hangs up once it has written
        bool fromSecond;     // written by the process that is not running
        const char* reason;
        uint32_t exitCode;
    };
    std::string tickCount = RequestBytes(static_cast<uint16_t>(Op::TickCount));
    std::string hello = RequestBytes(static_cast<uint16_t>(Op::Hello), WireWriter().U32(0));
    constexpr uint32_t kFault = 0xC0000005;
    const std::vector<Case> cases = {
        {"no such request", RequestBytes(0xFFFF), false, false, "unknown-request", kFault},
        {"an empty frame", WireWriter().U32(0).Data(), false, false, "unknown-request", kFault},
        {"an odd byte for the operation", WireWriter().U32(1).U8(91).Data(), false, false, "unknown-request", kFault},
        {"arguments that run short", RequestBytes(static_cast<uint16_t>(Op::ProcessState), WireWriter().U16(1)),
         false, false, "short-request", kFault},
        {"text longer than its frame",
         RequestBytes(static_cast<uint16_t>(Op::SetWindowText), WireWriter().U32(1).U32(99)), false, false,
         "short-request", kFault},
        {"a length past the largest frame", tooLong.Data(), false, false, "too-long", kFault},
        {"a frame cut off by hanging up", truncated, true, false, "truncated", 0},
        {"asking before its hello", tickCount, false, true, "no-hello", kFault},
        {"asking out of turn", hello + tickCount, false, true, "out-of-turn", kFault},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewServer(false);
        StartTwo();
        first_->Hello();
        RawClient& culprit = c.fromSecond ? *second_ : *first_;
        RawClient& other = c.fromSecond ? *first_ : *second_;
        ASSERT_TRUE(culprit.Write(c.bytes));
        std::string reply;
        if (c.closeAfter)
            culprit.Close();
        else
            EXPECT_FALSE(culprit.ReadReply(reply)) << "the server hangs up instead of answering";
        if (!c.fromSecond)
            other.Hello();
        EXPECT_NE(other.CreateWindow(u"Survivor"), 0u);
        std::string pid = std::to_string(culprit.Pid());
        Stop();
        EXPECT_TRUE(Logged("protocol-error pid=" + pid + " reason=" + c.reason));
        EXPECT_TRUE(Logged("process-exit pid=" + pid + " code=" + std::to_string(c.exitCode)));
    }
}

TEST_F(ServerFaultTest, CoordinatesPastGdisRangeAreHeldToIt)
{
    first_ = std::make_unique<RawClient>(*server_, u"\\first.exe");
    std::promise<uint32_t> moved;
    auto client = std::async(std::launch::async, [this, &moved] {
        first_->Hello();
        uint32_t hwnd = first_->CreateWindow(u"Far");
        WireWriter move;
        move.U32(hwnd).U32(0).I32(INT32_MIN + 1).I32(-5).I32(INT32_MAX).I32(INT32_MAX).U32(kSwpNoZOrder);
        first_->Request(Op::MoveWindow, move);
        moved.set_value(hwnd);
        WireWriter sleep;
        sleep.U32(1000);
        first_->Request(Op::Sleep, sleep);
        first_->Close();
    });
    server_->RunUntilIdle();
    uint32_t hwnd = moved.get_future().get();
    const sim::Window* window = server_->Windows().Get(hwnd);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->rect, (sim::Rect{-sim::kMaxCoordinate, -5, sim::kMaxCoordinate, sim::kMaxCoordinate}));
    server_->RunFor(1000);
    client.get();
    server_->RunUntilIdle();
}

// Real time: three processes that never wait. The stand-in task with
// --spin makes its window, then computes for ever without a platform call;
// a client polls PeekMessage in a loop; another stops in the middle of a
// request's frame.
class NeverWaitingTest : public ServerFaultTest {
protected:
    void SetUp() override
    {
        ServerFaultTest::SetUp();
        std::filesystem::create_directories(root_ + "/Windows");
        std::filesystem::create_symlink(std::filesystem::path(QM_DEVICE_IMAGE) / "Windows/task.exe",
                                        root_ + "/Windows/task.exe");
        NewServer(true);
        std::string error;
        ASSERT_TRUE(server_->Listen(root_ + "/device", error)) << error;
        ASSERT_EQ(server_->StartProcess(u"\\Windows\\task.exe", u"--spin Spinner", spinner_), 0u);
        first_ = std::make_unique<RawClient>(*server_, u"\\poller.exe");
        second_ = std::make_unique<RawClient>(*server_, u"\\other.exe");
        stalled_ = std::make_unique<RawClient>(*server_, u"\\stalled.exe");
        poller_ = std::thread([this] {
            first_->Hello();
            WireWriter peek = AnyMessage();
            peek.U8(1);
            while (!stopPolling_) {
                first_->Request(Op::PeekMessage, peek);
                ++polls_;
            }
            pollerStopped_ = true;
        });
    }
    void TearDown() override
    {
        stopPolling_ = true;
        // The poller's last request is answered before it stops.
        RunUntil([this] { return pollerStopped_.load(); });
        if (poller_.joinable())
            poller_.join();
        stalled_.reset();
        ServerFaultTest::TearDown();
    }
    // Lets the device run in steps, as the interactive window does between
    // frames, until the condition holds or the steps run out.
    template <typename Condition>
    bool RunUntil(Condition condition)
    {
        for (int step = 0; step < 500 && !condition(); ++step)
            server_->RunFor(20);
        return condition();
    }
    template <typename T>
    static bool Ready(const std::future<T>& future)
    {
        return future.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    }
    sim::Hwnd SpinnerWindow() { return server_->Windows().Find(std::nullopt, u"Spinner"); }

    sim::Pid spinner_ = 0;
    std::unique_ptr<RawClient> stalled_;
    std::thread poller_;
    std::atomic<bool> stopPolling_{false};
    std::atomic<bool> pollerStopped_{false};
    std::atomic<int> polls_{0};
};

TEST_F(NeverWaitingTest, TheOthersAreServedAndKillEndsTheSpinner)
{
    std::string request = RequestBytes(static_cast<uint16_t>(Op::TickCount));
    auto stalls = std::async(std::launch::async, [&] {
        stalled_->Hello();
        return stalled_->Write(request.substr(0, 3));
    });
    auto other = std::async(std::launch::async, [this] {
        second_->Hello();
        uint32_t hwnd = second_->CreateWindow(u"Other");
        WireWriter sleep;
        sleep.U32(200);
        second_->Request(Op::Sleep, sleep);
        return hwnd;
    });
    ASSERT_TRUE(RunUntil([&] { return SpinnerWindow() != 0 && Ready(other) && Ready(stalls); }))
        << "every program gets the device while three never wait";
    EXPECT_NE(other.get(), 0u);
    EXPECT_TRUE(stalls.get());
    const sim::Window* window = server_->Windows().Get(SpinnerWindow());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->pid, spinner_);

    // The script's kill, between the device's steps.
    sim::Script script;
    std::vector<std::string> errors;
    ASSERT_TRUE(sim::ParseScript("wait 100\nkill Spinner\nwait 100\n", script, errors));
    sim::ScriptRunner runner(*server_, sim::ScriptRunnerOptions());
    EXPECT_TRUE(runner.Run(script)) << runner.Failure();
    EXPECT_TRUE(Logged("process-exit pid=" + std::to_string(spinner_) + " code=0"));
    EXPECT_EQ(SpinnerWindow(), 0u);
    ASSERT_NE(server_->FindProcess(spinner_), nullptr);
    EXPECT_EQ(server_->FindProcess(spinner_)->state, sim::ProcessState::Ended);

    // The poller is served on, and the stalled frame, once whole, answered.
    int polled = polls_;
    auto finishes = std::async(std::launch::async, [&] {
        std::string reply;
        return stalled_->Write(request.substr(3)) && stalled_->ReadReply(reply);
    });
    EXPECT_TRUE(RunUntil([&] { return Ready(finishes) && polls_ > polled; }));
    EXPECT_TRUE(finishes.get());
    EXPECT_FALSE(Logged("protocol-error"));
}

}  // namespace
