// Windows and messages as one program sees them on its own device.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "device_fixture.h"
#include "shellapi.h"
#include "windows.h"

namespace {

std::vector<UINT> g_seen;
// Messages whose wParam matters, with it.
std::vector<std::pair<UINT, WPARAM>> g_state;
bool g_refuseCreate = false;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CREATE || msg == WM_SIZE || msg == WM_MOVE || msg == WM_DESTROY || msg == WM_ACTIVATE ||
        msg == WM_TIMER || msg == WM_USER || msg == WM_PAINT)
        g_seen.push_back(msg);
    if (msg == WM_ENABLE || msg == WM_KILLFOCUS || msg == WM_CANCELMODE)
        g_state.emplace_back(msg, wParam);
    if (msg == WM_CREATE && g_refuseCreate)
        return -1;
    if (msg == WM_USER)
        return static_cast<LRESULT>(wParam * 2);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// A control that keeps its own text, as an edit control does.
std::u16string g_ownText;

LRESULT CALLBACK OwnTextProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SETTEXT:
        g_ownText = reinterpret_cast<LPCWSTR>(lParam);
        return TRUE;
    case WM_GETTEXT: {
        auto* buffer = reinterpret_cast<LPWSTR>(lParam);
        size_t count = std::min(g_ownText.size(), static_cast<size_t>(wParam) - 1);
        std::copy_n(g_ownText.begin(), count, buffer);
        buffer[count] = 0;
        return static_cast<LRESULT>(count);
    }
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(g_ownText.size());
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

class WindowsTest : public testsupport::DeviceFixture {
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        g_seen.clear();
        g_state.clear();
        g_refuseCreate = false;
        WNDCLASSW wc = {};
        wc.lpfnWndProc = RecordingProc;
        wc.lpszClassName = u"Recording";
        // Classes belong to the process, which outlives each test's device.
        RegisterClassW(&wc);
        wc.lpfnWndProc = OwnTextProc;
        wc.lpszClassName = u"OwnText";
        RegisterClassW(&wc);
        g_ownText.clear();
    }
    HWND Make(LPCWSTR title, DWORD style = WS_VISIBLE, HWND parent = nullptr)
    {
        return CreateWindowExW(0, u"Recording", title, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, parent, nullptr, nullptr, nullptr);
    }
    // Handles what is queued, without waiting.
    void Pump()
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                break;
            DispatchMessageW(&msg);
        }
    }
};

TEST_F(WindowsTest, CreationSendsCreateSizeMoveAndActivatesAVisibleWindow)
{
    HWND hwnd = Make(u"Main");
    ASSERT_NE(hwnd, nullptr);
    std::vector<UINT> expected = {WM_CREATE, WM_SIZE, WM_MOVE, WM_ACTIVATE};
    EXPECT_EQ(g_seen, expected);
    EXPECT_EQ(GetActiveWindow(), hwnd);
    EXPECT_EQ(FindWindowW(u"recording", u"MAIN"), hwnd) << "whole names without regard to case";
    EXPECT_EQ(FindWindowW(nullptr, u"Mai"), nullptr);

    // CW_USEDEFAULT places a top-level window on the work area.
    RECT rect;
    ASSERT_TRUE(GetWindowRect(hwnd, &rect));
    RECT work;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(rect.top, work.top);
    EXPECT_EQ(rect.bottom, work.bottom);
    EXPECT_EQ(work.top, 26);

    g_refuseCreate = true;
    EXPECT_EQ(Make(u"Refused"), nullptr);
    EXPECT_EQ(FindWindowW(nullptr, u"Refused"), nullptr);
    EXPECT_EQ(CreateWindowExW(0, u"NoSuchClass", u"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
}

TEST_F(WindowsTest, CloseDestroysTheWindowAndItsChildrenWithDestroyEach)
{
    HWND parent = Make(u"Parent");
    HWND child = Make(u"Child", WS_CHILD | WS_VISIBLE, parent);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetParent(child), parent);
    g_seen.clear();
    SendMessageW(parent, WM_CLOSE, 0, 0);
    EXPECT_EQ(g_seen, (std::vector<UINT>{WM_DESTROY, WM_DESTROY}));
    EXPECT_FALSE(IsWindow(parent));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(Events("window-destroy").size(), 2u);

    // The close box's command ends in WM_CLOSE (the low four bits are the
    // system's own); other commands close nothing.
    HWND boxed = Make(u"Boxed");
    SendMessageW(boxed, WM_SYSCOMMAND, 0xF020, 0);  // SC_MINIMIZE
    EXPECT_TRUE(IsWindow(boxed));
    SendMessageW(boxed, WM_SYSCOMMAND, SC_CLOSE | 2, 0);
    EXPECT_FALSE(IsWindow(boxed));
}

TEST_F(WindowsTest, ChildrenStackInCreationOrderAsGetWindowWalksThem)
{
    HWND parent = Make(u"Parent");
    EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
    std::vector<HWND> children;
    for (int i = 0; i < 4; ++i)
        children.push_back(CreateWindowExW(0, u"Recording", u"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, parent,
                                           nullptr, nullptr, nullptr));

    // The first child created is on top: dialog controls tab in this order.
    std::vector<HWND> down;
    for (HWND hwnd = GetWindow(parent, GW_CHILD); hwnd; hwnd = GetWindow(hwnd, GW_HWNDNEXT))
        down.push_back(hwnd);
    EXPECT_EQ(down, children);
    std::vector<HWND> up;
    for (HWND hwnd = GetWindow(children[0], GW_HWNDLAST); hwnd; hwnd = GetWindow(hwnd, GW_HWNDPREV))
        up.insert(up.begin(), hwnd);
    EXPECT_EQ(up, children);
    EXPECT_EQ(GetWindow(children[3], GW_HWNDFIRST), children[0]);

    // The top child takes a point where children overlap.
    RECT rect;
    GetWindowRect(parent, &rect);
    EXPECT_EQ(WindowFromPoint(POINT{rect.left + 1, rect.top + 1}), children[0]);
}

TEST_F(WindowsTest, FocusOnAWindowOfAnotherTopLevelActivatesItFirst)
{
    HWND first = Make(u"First");
    HWND child = Make(u"Child", WS_CHILD | WS_VISIBLE, first);
    HWND second = Make(u"Second");
    ASSERT_EQ(GetActiveWindow(), second);
    // Activation gives the top level the focus on the way.
    EXPECT_EQ(SetFocus(child), first);
    EXPECT_EQ(GetActiveWindow(), first);
    EXPECT_EQ(GetFocus(), child);
}

LRESULT CALLBACK OwnActivationProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_ACTIVATE)
        return 0;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

TEST_F(WindowsTest, FocusOnActivationComesFromTheDefaultWindowProcedure)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = OwnActivationProc;
    wc.lpszClassName = u"OwnActivation";
    RegisterClassW(&wc);
    HWND plain = Make(u"Plain");
    EXPECT_EQ(GetFocus(), plain);
    HWND own = CreateWindowExW(0, u"OwnActivation", u"Own", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    ASSERT_EQ(GetActiveWindow(), own);
    EXPECT_EQ(GetFocus(), nullptr) << "its WM_ACTIVATE never reached DefWindowProc";
    EXPECT_TRUE(SetForegroundWindow(plain));
    EXPECT_EQ(GetFocus(), plain);
    // Minimised, or becoming inactive: no focus.
    SetFocus(nullptr);
    DefWindowProcW(plain, WM_ACTIVATE, MAKELONG(WA_ACTIVE, 1), 0);
    DefWindowProcW(plain, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(GetFocus(), nullptr);
    DefWindowProcW(plain, WM_ACTIVATE, WA_CLICKACTIVE, 0);
    EXPECT_EQ(GetFocus(), plain);
    // A late activation notice for a window no longer active changes nothing.
    ASSERT_TRUE(SetForegroundWindow(own));
    DefWindowProcW(plain, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(GetActiveWindow(), own);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(WindowsTest, EnableWindowTellsTheWindowWhenItsStateChanges)
{
    HWND main = Make(u"Main");
    HWND button = CreateWindowExW(0, u"Recording", u"", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, main, nullptr,
                                  nullptr, nullptr);
    ASSERT_EQ(SetFocus(button), main);
    SetCapture(button);
    g_state.clear();

    // The result says whether the window was disabled before.
    EXPECT_FALSE(EnableWindow(button, FALSE));
    EXPECT_TRUE(EnableWindow(button, FALSE));
    EXPECT_EQ(GetFocus(), nullptr) << "a disabled window loses the focus";
    EXPECT_EQ(GetCapture(), nullptr) << "DefWindowProc gives up the capture on WM_CANCELMODE";
    EXPECT_TRUE(EnableWindow(button, TRUE));
    EXPECT_FALSE(EnableWindow(button, TRUE));
    std::vector<std::pair<UINT, WPARAM>> expected = {
        {WM_CANCELMODE, 0}, {WM_KILLFOCUS, 0}, {WM_ENABLE, FALSE}, {WM_ENABLE, TRUE}};
    EXPECT_EQ(g_state, expected);
    EXPECT_FALSE(EnableWindow(nullptr, TRUE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(WindowsTest, WindowLongsReachTheClassExtraBytes)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.cbWndExtra = 12;
    wc.lpszClassName = u"Extra";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, u"Extra", u"", WS_VISIBLE, 0, 26, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND child = CreateWindowExW(0, u"Extra", u"", WS_CHILD, 0, 0, 5, 5, hwnd, reinterpret_cast<HMENU>(42),
                                 nullptr, nullptr);

    // Zero at first, then bytes at any offset from 0 to cbWndExtra - 4.
    EXPECT_EQ(GetWindowLongW(hwnd, 8), 0);
    EXPECT_EQ(SetWindowLongW(hwnd, 0, 0x11223344), 0);
    EXPECT_EQ(SetWindowLongW(hwnd, 8, -2), 0);
    EXPECT_EQ(SetWindowLongW(hwnd, 0, 5), 0x11223344);
    EXPECT_EQ(GetWindowLongW(hwnd, 0), 5);
    EXPECT_EQ(GetWindowLongW(hwnd, 6), static_cast<LONG>(0xFFFE0000));
    EXPECT_EQ(GetWindowLongW(child, 8), 0) << "every window has bytes of its own";

    EXPECT_EQ(SetWindowLongW(hwnd, GWL_USERDATA, 9), 0);
    EXPECT_EQ(GetWindowLongW(hwnd, GWL_USERDATA), 9);
    EXPECT_EQ(GetWindowLongW(child, GWL_ID), 42);
    EXPECT_EQ(GetWindowLongW(child, GWL_STYLE), WS_CHILD);

    for (int index : {9, 12, 100, -2, GWL_WNDPROC}) {
        SetLastError(0);
        EXPECT_EQ(GetWindowLongW(hwnd, index), 0) << index;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX)) << index;
        SetLastError(0);
        EXPECT_EQ(SetWindowLongW(hwnd, index, 1), 0) << index;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX)) << index;
    }
    SetLastError(0);
    EXPECT_EQ(GetWindowLongW(Make(u"No extra bytes"), 0), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
    EXPECT_EQ(GetWindowLongW(nullptr, GWL_STYLE), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));

    wc.cbWndExtra = -1;
    wc.lpszClassName = u"NegativeExtra";
    EXPECT_EQ(RegisterClassW(&wc), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(WindowsTest, OwnSendsAreCallsPostsQueueAndTimersTickOnTheDeviceClock)
{
    HWND hwnd = Make(u"Main");
    g_seen.clear();
    EXPECT_EQ(SendMessageW(hwnd, WM_USER, 21, 0), 42);
    EXPECT_EQ(g_seen, std::vector<UINT>{WM_USER});
    ASSERT_TRUE(PostMessageW(hwnd, WM_USER, 1, 0));
    EXPECT_EQ(g_seen.size(), 1u) << "a posted message waits for the loop";

    ASSERT_EQ(SetTimer(hwnd, 5, 1000, nullptr), 5u);
    DWORD start = GetTickCount();
    MSG msg;
    int timers = 0;
    while (timers < 2 && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER)
            ++timers;
        DispatchMessageW(&msg);
    }
    EXPECT_EQ(GetTickCount() - start, 2000u);
    EXPECT_TRUE(KillTimer(hwnd, 5));
    EXPECT_FALSE(KillTimer(hwnd, 5));
    PostQuitMessage(4);
    ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), 0);
    EXPECT_EQ(msg.wParam, 4u);
}

TEST_F(WindowsTest, AFullQueueRefusesPostsUntilTheLoopTakesOne)
{
    HWND hwnd = Make(u"Main");
    Pump();
    for (UINT i = 0; i < 10000; ++i)
        ASSERT_TRUE(PostMessageW(hwnd, WM_USER, i, 0)) << i;
    SetLastError(0);
    EXPECT_FALSE(PostMessageW(hwnd, WM_USER, 10000, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_QUOTA));
    EXPECT_FALSE(PostMessageW(nullptr, WM_USER, 0, 0)) << "thread messages share the queue";
    // Sends do not queue, so they still go through.
    EXPECT_EQ(SendMessageW(hwnd, WM_USER, 21, 0), 42);

    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, hwnd, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u) << "the oldest comes first";
    EXPECT_TRUE(PostMessageW(hwnd, WM_USER, 10001, 0));
    EXPECT_FALSE(PostMessageW(hwnd, WM_USER, 10002, 0));
    WPARAM last = 0;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        last = msg.wParam;
    EXPECT_EQ(last, 10001u);
}

TEST_F(WindowsTest, APendingQuitPassesEveryMessageFilter)
{
    HWND hwnd = Make(u"Main");
    Pump();
    PostQuitMessage(3);
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_KEYDOWN, WM_CHAR, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(GetMessageW(&msg, hwnd, WM_TIMER, WM_TIMER), 0);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) << "taken once";
}

TEST_F(WindowsTest, PaintComesFromTheUpdateAreaUntilBeginPaintTakesIt)
{
    HWND hwnd = Make(u"Main");
    Pump();
    g_seen.clear();
    RECT area = {10, 10, 20, 20};
    InvalidateRect(hwnd, &area, FALSE);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(hwnd, &update, FALSE));
    EXPECT_EQ(update.left, 10);
    UpdateWindow(hwnd);
    EXPECT_EQ(g_seen, std::vector<UINT>{WM_PAINT});
    EXPECT_FALSE(GetUpdateRect(hwnd, &update, FALSE)) << "DefWindowProc painted it";
}

TEST_F(WindowsTest, WindowTextGoesThroughTheWindowProcedure)
{
    // DefWindowProc keeps the text where FindWindow and the task bar see it.
    HWND plain = Make(u"Plain");
    ASSERT_TRUE(SetWindowTextW(plain, u"Renamed"));
    EXPECT_EQ(FindWindowW(nullptr, u"Renamed"), plain);
    WCHAR text[16];
    EXPECT_EQ(SendMessageW(plain, WM_GETTEXT, 4, reinterpret_cast<LPARAM>(text)), 3);
    EXPECT_EQ(std::u16string(text), u"Ren");
    EXPECT_EQ(SendMessageW(plain, WM_GETTEXTLENGTH, 0, 0), 7);
    ASSERT_TRUE(SendMessageW(plain, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"Sent")));
    EXPECT_EQ(GetWindowTextW(plain, text, 16), 4);
    EXPECT_EQ(std::u16string(text), u"Sent");

    // A procedure that answers the text messages itself is asked instead.
    HWND own = CreateWindowExW(0, u"OwnText", u"Start", WS_VISIBLE, 0, 26, 50, 50, nullptr, nullptr, nullptr,
                               nullptr);
    ASSERT_TRUE(SetWindowTextW(own, u"Typed"));
    EXPECT_EQ(g_ownText, u"Typed");
    EXPECT_EQ(GetWindowTextW(own, text, 16), 5);
    EXPECT_EQ(std::u16string(text), u"Typed");
    EXPECT_EQ(GetWindowTextLengthW(own), 5);
    EXPECT_EQ(FindWindowW(nullptr, u"Start"), own) << "the stored title stays";

    EXPECT_FALSE(SetWindowTextW(nullptr, u"x"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(GetWindowTextW(nullptr, text, 16), 0);
    EXPECT_EQ(text[0], 0);
}

TEST_F(WindowsTest, TextPointsAndProcessesAnswerAsDocumented)
{
    HWND hwnd = Make(u"A long title");
    WCHAR text[5];
    EXPECT_EQ(GetWindowTextW(hwnd, text, 5), 4);
    EXPECT_EQ(std::u16string(text), u"A lo");
    EXPECT_EQ(GetWindowTextLengthW(hwnd), 12);
    POINT point = {1, 2};
    ClientToScreen(hwnd, &point);
    RECT rect;
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(point.y, rect.top + 2);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    EXPECT_EQ(pid, GetCurrentProcessId());

    SHELLEXECUTEINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpFile = u"\\Windows\\missing.exe";
    EXPECT_FALSE(ShellExecuteEx(&info));
    EXPECT_EQ(reinterpret_cast<uintptr_t>(info.hInstApp), static_cast<uintptr_t>(SE_ERR_FNF));
    EXPECT_EQ(info.hProcess, nullptr);
    EXPECT_EQ(Events("shellexecute").back(),
              "shellexecute pid=" + std::to_string(pid) + " file=\"\\\\Windows\\\\missing.exe\" params=\"\" ok=0");
    DWORD before = GetTickCount();
    SYSTEMTIME start;
    GetLocalTime(&start);
    Sleep(5000);
    EXPECT_EQ(GetTickCount() - before, 5000u);

    // The wall clock starts at the profile's boot time and runs with the device.
    SYSTEMTIME later;
    GetLocalTime(&later);
    EXPECT_EQ(start.wYear, 2007);
    EXPECT_EQ(start.wMonth, 6);
    EXPECT_EQ(start.wDay, 1);
    EXPECT_EQ(start.wDayOfWeek, 5);  // a Friday
    EXPECT_EQ(start.wHour, 9);
    EXPECT_EQ((later.wMinute * 60 + later.wSecond) * 1000 + later.wMilliseconds -
                  ((start.wMinute * 60 + start.wSecond) * 1000 + start.wMilliseconds),
              5000);
}

}  // namespace
