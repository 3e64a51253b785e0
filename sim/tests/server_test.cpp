// The server's rules as programs meet them, driven over the protocol by
// stand-in clients: scheduling, the virtual clock, message order and
// cross-process sends.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <thread>
#include <utility>
#include <vector>

#include "ce/errors.h"
#include "harness_server.h"
#include "raw_client.h"
#include "server/server.h"

namespace {

using namespace servertest;

constexpr uint32_t kWmUser = 0x0400;
constexpr uint32_t kWmTimer = 0x0113;
constexpr uint32_t kWmActivate = 0x0006;
constexpr uint32_t kWmKeyDown = 0x0100;
constexpr uint32_t kWmSysKeyDown = 0x0104;
constexpr uint32_t kWmLButtonDown = 0x0201;
constexpr uint32_t kWmLButtonUp = 0x0202;

using ServerTest = testsupport::HarnessServerFixture;

TEST_F(ServerTest, SleepCostsNoRealTimeAndTheClockOnlyMovesWhileAllWait)
{
    StartTwo();
    first_->Hello();
    EXPECT_EQ(first_->TickCount(), 0u);
    // The second process has not run yet: it is ready, so time stands.
    auto second = std::async(std::launch::async, [this] {
        second_->Hello();
        return second_->TickCount();
    });
    auto started = std::chrono::steady_clock::now();
    WireWriter sleep;
    sleep.U32(5000);
    auto firstSleeps = std::async(std::launch::async, [&] { first_->Request(Op::Sleep, sleep); });
    EXPECT_EQ(second.get(), 0u);
    WireWriter longer;
    longer.U32(7000);
    auto secondSleeps = std::async(std::launch::async, [&] { second_->Request(Op::Sleep, longer); });
    firstSleeps.get();
    EXPECT_EQ(first_->TickCount(), 5000u);
    // While the first runs, the second cannot: it ends, and the second wakes.
    EXPECT_EQ(secondSleeps.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    first_->Close();
    secondSleeps.get();
    EXPECT_EQ(second_->TickCount(), 7000u);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(3));
}

TEST_F(ServerTest, PostedMessagesComeFirstThenTimersAndQuitAfterThePosted)
{
    StartTwo();
    first_->Hello();
    uint32_t hwnd = first_->CreateWindow(u"One");
    WireWriter timer;
    timer.U32(hwnd).U64(7).U32(100).U64(0);
    first_->Request(Op::SetTimer, timer);
    WireWriter quit;
    quit.I32(3);
    first_->Request(Op::PostQuit, quit);
    first_->Post(hwnd, kWmUser + 1);
    first_->Post(hwnd, kWmUser + 2);

    Received a = ReadWaitReply(first_->Request(Op::GetMessage, AnyMessage()));
    Received b = ReadWaitReply(first_->Request(Op::GetMessage, AnyMessage()));
    Received c = ReadWaitReply(first_->Request(Op::GetMessage, AnyMessage()));
    EXPECT_EQ(a.message, kWmUser + 1);
    EXPECT_EQ(b.message, kWmUser + 2);
    EXPECT_EQ(c.result, 0) << "WM_QUIT once the posted messages are gone";
    EXPECT_EQ(c.wParam, 3u);
    second_->Close();
}

TEST_F(ServerTest, TimerWakesAWaitingProcessAtItsDeadline)
{
    StartTwo();
    first_->Hello();
    uint32_t hwnd = first_->CreateWindow(u"One");
    WireWriter timer;
    timer.U32(hwnd).U64(7).U32(250).U64(0);
    first_->Request(Op::SetTimer, timer);
    second_->Close();
    Received tick = ReadWaitReply(first_->Request(Op::GetMessage, AnyMessage()));
    EXPECT_EQ(tick.message, kWmTimer);
    EXPECT_EQ(tick.wParam, 7u);
    EXPECT_EQ(first_->TickCount(), 250u);
}

TEST_F(ServerTest, CrossProcessSendWaitsForTheReceiverAndCarriesItsResult)
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
    auto sender = std::async(std::launch::async, [&] { return second_->Request(Op::SendMessage, send); });

    Received incoming = receiver.get();
    ASSERT_EQ(incoming.kind, static_cast<uint8_t>(sim::WaitReply::Incoming));
    EXPECT_EQ(incoming.message, kWmUser + 5);
    EXPECT_EQ(incoming.wParam, 42u);
    // The sender is still waiting while the receiver handles it.
    EXPECT_EQ(sender.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    WireWriter answer;
    answer.U64(incoming.sendId).I64(99);
    first_->Request(Op::SendReply, answer);
    auto receiverWaits = std::async(std::launch::async, [this] { first_->Request(Op::ContinueWait); });

    std::string inReply = sender.get();
    WireReader in(inReply);
    EXPECT_EQ(in.U8(), static_cast<uint8_t>(sim::WaitReply::Done));
    EXPECT_EQ(in.U8(), 1);
    EXPECT_EQ(in.I64(), 99);
    EXPECT_TRUE(Logged("xmsg from=" + std::to_string(second_->Pid()) + " to=" + std::to_string(target) +
                       " msg=0x405 wparam=0x2a lparam=0x0 kind=sent"));
    // With nobody left to send, the receiver's wait can never end.
    second_->Close();
    receiverWaits.wait();
}

TEST_F(ServerTest, AFloodedQueueRefusesTheFlooderWhileItsOwnerStillServes)
{
    StartTwo();
    first_->Hello();
    uint32_t target = first_->CreateWindow(u"Flooded");
    // The owner waits for a message the flood never carries.
    WireWriter other = GetMessageArgs(kWmUser + 100, kWmUser + 100);
    auto receiver =
        std::async(std::launch::async, [&] { return ReadWaitReply(first_->Request(Op::GetMessage, other)); });
    second_->Hello();
    uint32_t own = second_->CreateWindow(u"Flooder");
    for (uint32_t i = 0; i < 10000; ++i)
        ASSERT_EQ(second_->Post(target, kWmUser, i), sim::PostResult::Posted) << i;
    EXPECT_EQ(second_->Post(target, kWmUser + 100), sim::PostResult::QueueFull);
    EXPECT_EQ(second_->Post(own, kWmUser), sim::PostResult::Posted) << "the flooder's own queue is apart";
    EXPECT_EQ(second_->Post(0xDEAD, kWmUser), sim::PostResult::NoWindow);

    // A send is not queued: the flooded owner takes it at once.
    WireWriter send;
    send.U32(target).U32(kWmUser + 5).U64(1).I64(0).U32(0xFFFFFFFF);
    auto sender = std::async(std::launch::async, [&] { return second_->Request(Op::SendMessage, send); });
    Received incoming = receiver.get();
    ASSERT_EQ(incoming.kind, static_cast<uint8_t>(sim::WaitReply::Incoming));
    EXPECT_EQ(incoming.message, kWmUser + 5);
    WireWriter answer;
    answer.U64(incoming.sendId).I64(7);
    first_->Request(Op::SendReply, answer);
    auto receiverWaits = std::async(std::launch::async, [this] { first_->Request(Op::ContinueWait); });
    std::string reply = sender.get();
    WireReader in(reply);
    EXPECT_EQ(in.U8(), static_cast<uint8_t>(sim::WaitReply::Done));
    EXPECT_EQ(in.U8(), 1);
    EXPECT_EQ(in.I64(), 7);
    second_->Close();
    receiverWaits.wait();
}

TEST_F(ServerTest, SenderThatIsSentToMeanwhileHandlesThatFirst)
{
    StartTwo();
    first_->Hello();
    uint32_t firstWindow = first_->CreateWindow(u"A");
    WireWriter sendToSecond;
    auto second = std::async(std::launch::async, [this] {
        second_->Hello();
        second_->CreateWindow(u"B");
        // B waits for messages; A sends to it, and B, while handling it,
        // sends back to A, which is itself waiting in its send.
        Received incoming = ReadWaitReply(second_->Request(Op::GetMessage, AnyMessage()));
        WireWriter back;
        back.U32(incoming.wParam).U32(kWmUser + 2).U64(0).I64(0).U32(0xFFFFFFFF);
        std::string inReply = second_->Request(Op::SendMessage, back);
        WireReader in(inReply);
        in.U8();
        in.U8();
        int64_t answer = in.I64();
        WireWriter reply;
        reply.U64(incoming.sendId).I64(answer + 1);
        second_->Request(Op::SendReply, reply);
        // Only one process runs: B must stop for A to go on.
        second_->Close();
        return answer;
    });
    // A finds B's window once B has made it.
    uint32_t secondWindow = 0;
    while (secondWindow == 0) {
        WireWriter sleep;
        sleep.U32(10);
        first_->Request(Op::Sleep, sleep);
        WireWriter find;
        find.U8(0).Text(u"").U8(1).Text(u"B");
        std::string inReply = first_->Request(Op::FindWindow, find);
        WireReader in(inReply);
        secondWindow = in.U32();
    }
    WireWriter send;
    send.U32(secondWindow).U32(kWmUser + 1).U64(firstWindow).I64(0).U32(0xFFFFFFFF);
    Received nested = ReadWaitReply(first_->Request(Op::SendMessage, send));
    ASSERT_EQ(nested.kind, static_cast<uint8_t>(sim::WaitReply::Incoming));
    EXPECT_EQ(nested.message, kWmUser + 2);
    WireWriter reply;
    reply.U64(nested.sendId).I64(10);
    first_->Request(Op::SendReply, reply);
    std::string doneReply = first_->Request(Op::ContinueWait);
    WireReader done(doneReply);
    EXPECT_EQ(done.U8(), static_cast<uint8_t>(sim::WaitReply::Done));
    EXPECT_EQ(done.U8(), 1);
    EXPECT_EQ(done.I64(), 11);
    EXPECT_EQ(second.get(), 10);
}

TEST_F(ServerTest, ActivationTellsBothWindowsAndEndedProcessesLoseTheirWindows)
{
    StartTwo();
    first_->Hello();
    uint32_t one = first_->CreateWindow(u"One");
    WireWriter show;
    show.U32(one).U32(5);
    first_->Request(Op::ShowWindow, show);
    WireWriter validate;
    validate.U32(one).U8(0).I32(0).I32(0).I32(0).I32(0);
    first_->Request(Op::Validate, validate);
    std::promise<uint32_t> made;
    auto second = std::async(std::launch::async, [this, &made] {
        second_->Hello();
        uint32_t two = second_->CreateWindow(u"Two");
        WireWriter foreground;
        foreground.U32(two);
        second_->Request(Op::SetForeground, foreground);
        made.set_value(two);
        // Waiting lets the first process run.
        WireWriter sleep;
        sleep.U32(1000);
        second_->Request(Op::Sleep, sleep);
    });
    // One hears of its deactivation as a notification.
    Received deactivated = ReadWaitReply(first_->Request(Op::GetMessage, AnyMessage()));
    uint32_t two = made.get_future().get();
    EXPECT_EQ(deactivated.kind, static_cast<uint8_t>(sim::WaitReply::Incoming));
    EXPECT_EQ(deactivated.message, kWmActivate);
    EXPECT_EQ(deactivated.wParam, 0u);
    EXPECT_TRUE(Logged("activate hwnd=" + std::to_string(two) + " title=\"Two\""));

    // The second process ends: its window goes and One is active again.
    auto activated = std::async(std::launch::async, [this] {
        Received r;
        do {
            r = ReadWaitReply(first_->Request(Op::ContinueWait));
        } while (r.message != kWmActivate);
        return r;
    });
    second.get();
    second_->Close();
    Received back = activated.get();
    EXPECT_EQ(back.wParam, 1u);
    EXPECT_TRUE(Logged("window-destroy hwnd=" + std::to_string(two)));
    EXPECT_TRUE(Logged("process-exit pid=" + std::to_string(second_->Pid())));
}

TEST_F(ServerTest, ProgramsThatCannotStartOrEndBeforeConnectingAreReported)
{
    std::string socketPath = root_ + "/device";
    std::string error;
    ASSERT_TRUE(server_->Listen(socketPath, error)) << error;
    sim::Pid pid = 0;
    EXPECT_EQ(server_->StartProcess(u"\\Windows\\none.exe", u"", pid), static_cast<uint32_t>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(server_->StartProcess(u"\\Nowhere\\none.exe", u"", pid), static_cast<uint32_t>(ERROR_PATH_NOT_FOUND));

    std::string program = root_ + "/Windows/quits.exe";
    std::ofstream(program) << "#!/bin/sh\nexit 7\n";
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    ASSERT_EQ(server_->StartProcess(u"\\windows\\QUITS.exe", u"now", pid), 0u);
    server_->RunUntilIdle();
    EXPECT_TRUE(Logged("process-start pid=" + std::to_string(pid) + " path=\"\\\\windows\\\\QUITS.exe\" args=\"now\""));
    EXPECT_TRUE(Logged("process-exit pid=" + std::to_string(pid) + " code=7"));
    EXPECT_FALSE(server_->AnyProcessAlive());
}

struct StylusReply {
    bool down = false;
    int32_t x = 0;
    int32_t y = 0;
    uint64_t sequence = 0;
    uint32_t tick = 0;
};

StylusReply WaitStylus(RawClient& client, uint64_t seen, uint32_t timeout)
{
    WireWriter args;
    args.U64(seen).U32(timeout);
    std::string raw = client.Request(Op::StylusWait, args);
    WireReader in(raw);
    StylusReply r;
    r.down = in.U8() != 0;
    r.x = in.I32();
    r.y = in.I32();
    r.sequence = in.U64();
    r.tick = client.TickCount();
    return r;
}

TEST_F(ServerTest, StylusWaitEndsWhenTheStylusActsOrTheTimeIsUp)
{
    StartDriven();
    auto client = std::async(std::launch::async, [this] {
        first_->Hello();
        std::vector<StylusReply> seen;
        seen.push_back(WaitStylus(*first_, 0, 0));
        seen.push_back(WaitStylus(*first_, seen.back().sequence, 1000));
        seen.push_back(WaitStylus(*first_, seen.back().sequence, 300));
        seen.push_back(WaitStylus(*first_, seen.back().sequence, 1000));
        first_->Close();
        return seen;
    });
    server_->RunUntilIdle();
    server_->Stylus(kWmLButtonDown, sim::Point{10, 20});
    server_->RunUntilIdle();
    server_->RunFor(500);
    server_->Stylus(kWmLButtonUp, sim::Point{12, 21});
    server_->RunUntilIdle();
    std::vector<StylusReply> seen = client.get();
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_FALSE(seen[0].down) << "at once, before any touch";
    EXPECT_EQ(seen[0].tick, 0u);
    EXPECT_TRUE(seen[1].down) << "woken by the touch";
    EXPECT_EQ(seen[1].x, 10);
    EXPECT_EQ(seen[1].y, 20);
    EXPECT_EQ(seen[1].tick, 0u);
    EXPECT_NE(seen[1].sequence, seen[0].sequence);
    EXPECT_TRUE(seen[2].down) << "the time ran out on the device clock";
    EXPECT_EQ(seen[2].sequence, seen[1].sequence);
    EXPECT_EQ(seen[2].tick, 300u);
    EXPECT_FALSE(seen[3].down) << "woken by the release";
    EXPECT_EQ(seen[3].x, 12);
    EXPECT_EQ(seen[3].tick, 500u);
}

TEST_F(ServerTest, KeysGoToTheFocusWindowElseToTheActiveOneAsSystemKeys)
{
    StartDriven();
    auto client = std::async(std::launch::async, [this] {
        first_->Hello();
        uint32_t hwnd = first_->CreateWindow(u"One");
        WireWriter show;
        show.U32(hwnd).U32(5);
        first_->Request(Op::ShowWindow, show);
        WireWriter foreground;
        foreground.U32(hwnd);
        first_->Request(Op::SetForeground, foreground);
        WireWriter keys = GetMessageArgs(kWmKeyDown, kWmSysKeyDown + 4);
        std::vector<Received> got;
        got.push_back(ReadWaitReply(first_->Request(Op::GetMessage, keys)));
        WireWriter focus;
        focus.U32(hwnd);
        first_->Request(Op::SetFocus, focus);
        got.push_back(ReadWaitReply(first_->Request(Op::GetMessage, keys)));
        first_->Close();
        return std::pair{hwnd, got};
    });
    server_->RunUntilIdle();
    // Activation alone gives no focus: the key goes to the active window.
    server_->Key(0x26, true);
    server_->RunUntilIdle();
    server_->Key(0x28, true);
    server_->RunUntilIdle();
    auto [hwnd, got] = client.get();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].hwnd, hwnd);
    EXPECT_EQ(got[0].message, kWmSysKeyDown);
    EXPECT_EQ(got[0].wParam, 0x26u);
    EXPECT_EQ(got[1].hwnd, hwnd);
    EXPECT_EQ(got[1].message, kWmKeyDown);
    EXPECT_EQ(got[1].wParam, 0x28u);
}

}  // namespace

TEST_F(ServerTest, TheProcessReportShowsWhatEachProgramHeldAtItsLastGetMessage)
{
    StartDriven();
    auto client = std::async(std::launch::async, [this] {
        first_->Hello();
        WireWriter sleep;
        sleep.U32(100);
        first_->Request(Op::Sleep, sleep);
        uint32_t hwnd = first_->CreateWindow(u"One");
        WireWriter foreground;
        foreground.U32(hwnd);
        first_->Request(Op::SetForeground, foreground);
        WireWriter holding;
        holding.U32(0).U32(0).U32(0).U32(7).U32(3);
        Received key = ReadWaitReply(first_->Request(Op::GetMessage, holding));
        first_->Close();
        return key.message;
    });
    server_->RunUntilIdle();
    std::string pid = std::to_string(first_->Pid());
    EXPECT_EQ(server_->ProcessReport(), "process " + pid + " \"\\\\first.exe\" gdi -1 handles -1\n")
        << "nothing known before the first GetMessage";
    server_->RunFor(100);
    EXPECT_EQ(server_->ProcessReport(), "process " + pid + " \"\\\\first.exe\" gdi 7 handles 3\n");
    server_->Key(0x0D, true);
    server_->RunUntilIdle();
    EXPECT_EQ(client.get(), kWmSysKeyDown) << "to the active window, which has no focus";
    EXPECT_EQ(server_->ProcessReport(), "") << "an ended process is left out";
}
