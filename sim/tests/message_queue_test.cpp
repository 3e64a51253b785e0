#include "server/message_queue.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ce/windowing.h"

namespace {

using sim::Hwnd;
using sim::Message;
using sim::MessageFilter;
using sim::MessageQueue;

constexpr sim::Rect kScreen{0, 0, 240, 320};
constexpr sim::Rect kWorkArea{0, 26, 240, 320};
constexpr sim::Pid kApp = 2;

Message Msg(Hwnd hwnd, uint32_t message, uint64_t wParam)
{
    Message made;
    made.hwnd = hwnd;
    made.message = message;
    made.wParam = wParam;
    return made;
}

struct Expected {
    Hwnd hwnd;
    uint32_t message;
    uint64_t wParam;
};

// A process with a main window and a child, both painted.
struct Fixture {
    sim::WindowManager windows{kScreen, kWorkArea};
    MessageQueue queue{kApp};
    Hwnd main = 0;
    Hwnd child = 0;

    Fixture()
    {
        sim::CreateParams params;
        params.style = WS_VISIBLE;
        params.width = 100;
        params.height = 100;
        main = windows.Create(kApp, params);
        params.style = WS_CHILD | WS_VISIBLE;
        params.parent = main;
        child = windows.Create(kApp, params);
        windows.Validate(main, std::nullopt);
        windows.Validate(child, std::nullopt);
    }

    std::optional<Message> Next(const MessageFilter& filter, bool remove, uint64_t now)
    {
        return queue.Next(filter, remove, now, windows);
    }

    // Takes messages until none is left, validating each WM_PAINT window.
    std::vector<Expected> Drain(const MessageFilter& filter, uint64_t now)
    {
        std::vector<Expected> seen;
        while (auto message = Next(filter, true, now)) {
            seen.push_back({message->hwnd, message->message, message->wParam});
            if (message->message == WM_PAINT)
                windows.Validate(message->hwnd, std::nullopt);
        }
        return seen;
    }
};

std::string Describe(const std::vector<Expected>& sequence)
{
    std::string text;
    for (const Expected& entry : sequence) {
        char line[64];
        std::snprintf(line, sizeof line, " {0x%x 0x%x %llu}", entry.hwnd, entry.message,
                      static_cast<unsigned long long>(entry.wParam));
        text += line;
    }
    return text;
}

testing::AssertionResult SameSequence(const std::vector<Expected>& seen, const std::vector<Expected>& expected)
{
    std::string seenText = Describe(seen);
    std::string expectedText = Describe(expected);
    if (seenText == expectedText)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "got" << seenText << "\nexpected" << expectedText;
}

TEST(MessageQueue, RetrievalOrderIsPostedInputQuitPaintTimer)
{
    Fixture f;
    f.queue.SetTimer(f.main, 5, 100, 0, 0);
    f.windows.Invalidate(f.child, std::nullopt, true);
    f.queue.PostInput(Msg(f.main, WM_LBUTTONDOWN, 1));
    f.queue.PostQuit(3);
    f.queue.Post(Msg(f.main, WM_USER, 1));
    f.queue.PostInput(Msg(f.child, WM_KEYDOWN, VK_RETURN));
    f.queue.Post(Msg(0, WM_USER + 1, 2));
    f.windows.Invalidate(f.main, sim::Rect{0, 0, 1, 1}, false);

    EXPECT_TRUE(SameSequence(f.Drain({}, 100), {
                                         {f.main, WM_USER, 1},
                                         {0, WM_USER + 1, 2},
                                         {f.main, WM_LBUTTONDOWN, 1},
                                         {f.child, WM_KEYDOWN, VK_RETURN},
                                         {0, WM_QUIT, 3},
                                         {f.main, WM_PAINT, 0},
                                         {f.child, WM_PAINT, 0},
                                         {f.main, WM_TIMER, 5},
                                     }));
    EXPECT_FALSE(f.queue.QuitPending());
}

TEST(MessageQueue, PeekWithoutRemoveLeavesMessages)
{
    Fixture f;
    Message posted = Msg(f.main, WM_USER, 7);
    posted.lParam = -1;
    posted.time = 42;
    posted.pt = {3, 4};
    f.queue.Post(posted);
    std::optional<Message> peeked = f.Next({}, false, 0);
    ASSERT_TRUE(peeked);
    EXPECT_EQ(peeked->lParam, -1);
    EXPECT_EQ(peeked->time, 42u);
    EXPECT_EQ(peeked->pt, (sim::Point{3, 4}));
    ASSERT_TRUE(f.Next({}, true, 0));
    EXPECT_FALSE(f.Next({}, false, 0));

    f.queue.PostQuit(0);
    EXPECT_EQ(f.Next({}, false, 0)->message, static_cast<uint32_t>(WM_QUIT));
    EXPECT_TRUE(f.queue.QuitPending());
    EXPECT_EQ(f.Next({}, true, 0)->message, static_cast<uint32_t>(WM_QUIT));
    EXPECT_FALSE(f.Next({}, true, 0));

    // WM_PAINT stays until the window is validated, removed or not.
    f.windows.Invalidate(f.main, std::nullopt, true);
    EXPECT_EQ(f.Next({}, true, 0)->message, static_cast<uint32_t>(WM_PAINT));
    EXPECT_EQ(f.Next({}, true, 0)->message, static_cast<uint32_t>(WM_PAINT));
    f.windows.TakeUpdate(f.main);
    EXPECT_EQ(f.Next({}, true, 0)->hwnd, f.child);  // painted over by its parent, so invalid too
    f.windows.TakeUpdate(f.child);
    EXPECT_FALSE(f.Next({}, true, 0));

    // A peeked timer does not start its next interval.
    f.queue.SetTimer(f.main, 1, 50, 0, 0);
    EXPECT_EQ(f.Next({}, false, 60)->message, static_cast<uint32_t>(WM_TIMER));
    EXPECT_EQ(f.Next({}, true, 60)->message, static_cast<uint32_t>(WM_TIMER));
    EXPECT_FALSE(f.Next({}, true, 60));
}

TEST(MessageQueue, FiltersSelectByWindowAndRange)
{
    Fixture f;
    sim::CreateParams params;
    params.style = WS_VISIBLE;
    params.width = 10;
    params.height = 10;
    Hwnd other = f.windows.Create(kApp, params);
    f.windows.Validate(other, std::nullopt);
    f.queue.Post(Msg(other, WM_USER, 1));
    f.queue.Post(Msg(0, WM_USER, 2));
    f.queue.Post(Msg(f.child, WM_COMMAND, 3));
    f.queue.PostInput(Msg(f.main, WM_KEYDOWN, 4));
    f.queue.SetTimer(0, 0, 10, 0, 0);
    f.queue.PostQuit(0);

    // A window filter takes the window and its descendants, never thread
    // messages; the quit request passes every filter.
    EXPECT_TRUE(SameSequence(f.Drain({f.main}, 0),
                             {{f.child, WM_COMMAND, 3}, {f.main, WM_KEYDOWN, 4}, {0, WM_QUIT, 0}}));
    EXPECT_FALSE(f.Next({f.child}, false, 0));

    f.windows.Invalidate(f.child, std::nullopt, false);
    f.windows.Invalidate(other, std::nullopt, false);
    EXPECT_EQ(f.Next({f.main}, false, 0)->hwnd, f.child);
    EXPECT_EQ(f.Next({f.main, WM_PAINT, WM_PAINT}, false, 0)->hwnd, f.child);
    EXPECT_FALSE(f.Next({f.main, WM_TIMER, WM_TIMER}, false, 20));  // the thread timer is due
    f.windows.Validate(f.child, std::nullopt);

    EXPECT_TRUE(SameSequence(f.Drain({sim::kThreadMessagesOnly, WM_USER, WM_USER}, 20), {{0, WM_USER, 2}}));
    EXPECT_TRUE(SameSequence(f.Drain({sim::kThreadMessagesOnly}, 20), {{0, WM_TIMER, 1}}));
    EXPECT_TRUE(SameSequence(f.Drain({}, 20), {{other, WM_USER, 1}, {other, WM_PAINT, 0}}));
}

TEST(MessageQueue, QuitComesOutWhateverTheFilter)
{
    const MessageFilter filters[] = {
        {0, WM_KEYDOWN, WM_CHAR},
        {0, WM_QUIT, WM_QUIT},
        {0, WM_USER, WM_USER},
    };
    for (const MessageFilter& filter : filters) {
        Fixture f;
        f.queue.PostQuit(7);
        f.queue.Post(Msg(f.main, WM_USER, 1));
        // Posted messages that pass the filter still come first.
        std::vector<Expected> expected;
        if (filter.first == WM_USER)
            expected.push_back({f.main, WM_USER, 1});
        expected.push_back({0, WM_QUIT, 7});
        EXPECT_TRUE(SameSequence(f.Drain(filter, 0), expected)) << filter.first;
        EXPECT_FALSE(f.queue.QuitPending());
    }
    Fixture f;
    f.queue.PostQuit(8);
    EXPECT_EQ(f.Next({f.child, WM_PAINT, WM_PAINT}, false, 0)->message, static_cast<uint32_t>(WM_QUIT));
    EXPECT_EQ(f.Next({sim::kThreadMessagesOnly, WM_TIMER, WM_TIMER}, true, 0)->wParam, 8u);
    EXPECT_FALSE(f.Next({}, true, 0));
}

TEST(MessageQueue, TimersCoalesceAndRestartWhenTaken)
{
    Fixture f;
    EXPECT_EQ(f.queue.NextDeadline(), std::nullopt);
    EXPECT_EQ(f.queue.SetTimer(f.main, 9, 100, 0x1234, 1000), 9u);
    EXPECT_EQ(f.queue.NextDeadline(), std::optional<uint64_t>(1100));
    EXPECT_FALSE(f.Next({}, true, 1099));

    // Three intervals late still gives one WM_TIMER, then a full interval.
    std::optional<Message> timer = f.Next({}, true, 1350);
    ASSERT_TRUE(timer);
    EXPECT_EQ(timer->hwnd, f.main);
    EXPECT_EQ(timer->wParam, 9u);
    EXPECT_EQ(timer->lParam, 0x1234);
    EXPECT_EQ(timer->time, 1350u);
    EXPECT_FALSE(f.Next({}, true, 1350));
    EXPECT_EQ(f.queue.NextDeadline(), std::optional<uint64_t>(1450));

    // The same window and id replaces the timer; the earliest deadline leads.
    EXPECT_EQ(f.queue.SetTimer(f.main, 9, 500, 0, 1400), 9u);
    f.queue.SetTimer(f.child, 9, 30, 0, 1400);
    EXPECT_EQ(f.queue.NextDeadline(), std::optional<uint64_t>(1430));
    EXPECT_TRUE(SameSequence(f.Drain({}, 1900), {{f.child, WM_TIMER, 9}, {f.main, WM_TIMER, 9}}));
    EXPECT_TRUE(f.queue.KillTimer(f.child, 9));
    EXPECT_FALSE(f.queue.KillTimer(f.child, 9));
    EXPECT_EQ(f.queue.NextDeadline(), std::optional<uint64_t>(2400));

    // Thread timers get fresh ids unless they name one of their own.
    uint64_t first = f.queue.SetTimer(0, 9, 10, 0, 0);
    uint64_t second = f.queue.SetTimer(0, 9, 10, 0, 0);
    EXPECT_NE(first, second);
    EXPECT_NE(first, 0u);
    EXPECT_EQ(f.queue.SetTimer(0, second, 20, 0, 0), second);

    // Intervals below the minimum are raised to it.
    f.queue.SetTimer(f.child, 1, 0, 0, 5000);
    EXPECT_FALSE(f.Next({f.child}, true, 5009));
    EXPECT_TRUE(f.Next({f.child}, true, 5010));
}

TEST(MessageQueue, DestroyedWindowsLoseTheirMessagesAndTimers)
{
    Fixture f;
    f.queue.Post(Msg(f.child, WM_USER, 1));
    f.queue.Post(Msg(f.main, WM_USER, 2));
    f.queue.PostInput(Msg(f.child, WM_LBUTTONUP, 3));
    f.queue.SetTimer(f.child, 1, 10, 0, 0);
    f.queue.PushSent({77, 1, true, Msg(f.child, WM_USER, 4)});

    f.queue.DropWindow(f.child);
    EXPECT_TRUE(SameSequence(f.Drain({}, 100), {{f.main, WM_USER, 2}}));
    EXPECT_EQ(f.queue.NextDeadline(), std::nullopt);
    ASSERT_TRUE(f.queue.HasSent());
    EXPECT_EQ(f.queue.TakeSent()->id, 77u);
}

TEST(MessageQueue, SentMessagesComeOutInArrivalOrder)
{
    MessageQueue queue(kApp);
    EXPECT_FALSE(queue.TakeSent());
    queue.PushSent({1, 3, true, Msg(0x10004, WM_USER, 1)});
    queue.PushSent({2, 4, false, Msg(0x10004, WM_ACTIVATE, WA_ACTIVE)});
    std::optional<sim::SentMessage> sent = queue.TakeSent();
    ASSERT_TRUE(sent);
    EXPECT_EQ(sent->id, 1u);
    EXPECT_EQ(sent->sender, 3u);
    EXPECT_TRUE(sent->waiting);
    sent = queue.TakeSent();
    ASSERT_TRUE(sent);
    EXPECT_FALSE(sent->waiting);
    EXPECT_EQ(sent->message.message, static_cast<uint32_t>(WM_ACTIVATE));
    EXPECT_FALSE(queue.HasSent());
}

}  // namespace
