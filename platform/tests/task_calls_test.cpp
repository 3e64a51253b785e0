// The calls a task manager makes on other programs, with stand-in tasks
// running as real processes on the test's device: the z-order walk, window
// queries, finding by title, activation, opening, ending and waiting for
// processes, bounded sends and the shell's close-applications call.
#include <gtest/gtest.h>

#include <algorithm>
#include <unistd.h>
#include <csignal>
#include <iterator>
#include <fstream>
#include <filesystem>
#include <string>
#include <vector>

#include "aygshell.h"
#include "device_fixture.h"
#include "text_convert.h"
#include "windows.h"

namespace {

std::vector<UINT> g_ownMessages;

LRESULT CALLBACK OwnProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    g_ownMessages.push_back(msg);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

struct Task {
    DWORD pid = 0;
    HANDLE process = nullptr;
    HWND window = nullptr;
};

class TaskCallsTest : public testsupport::DeviceFixture {
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        RunProgramsFromImage({"Windows/task.exe", "Windows/shell.exe"});
        g_ownMessages.clear();
        WNDCLASSW wc = {};
        wc.lpfnWndProc = OwnProc;
        wc.lpszClassName = u"Own";
        RegisterClassW(&wc);
    }
    void TearDown() override
    {
        for (const Task& task : tasks_)
            CloseHandle(task.process);
        DeviceFixture::TearDown();
    }

    HWND MakeOwnWindow(LPCWSTR title)
    {
        return CreateWindowExW(0, u"Own", title, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    }

    // Starts a program and lets it run until it has shown the window with
    // that title; a new window comes out on top, where FindWindowW looks
    // first.
    Task Start(LPCWSTR program, std::u16string commandLine, LPCWSTR title)
    {
        Task task;
        PROCESS_INFORMATION info = {};
        EXPECT_TRUE(CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   nullptr, &info));
        task.pid = info.dwProcessId;
        task.process = info.hProcess;
        for (int tries = 0; tries < 100 && !task.window; ++tries) {
            // Sleeping lets the others run, at no cost on the device clock.
            Sleep(10);
            HWND found = FindWindowW(nullptr, title);
            DWORD owner = 0;
            GetWindowThreadProcessId(found, &owner);
            if (found && owner == task.pid)
                task.window = found;
        }
        EXPECT_NE(task.window, nullptr) << "no window titled " << platform::Utf8FromUtf16(title);
        tasks_.push_back(task);
        return task;
    }
    Task StartTask(const std::u16string& options, const std::u16string& title)
    {
        return Start(u"\\Windows\\task.exe", options + title, title.c_str());
    }

    // Top-level windows in z-order, as a task list walks them.
    std::vector<HWND> ZOrder(HWND from)
    {
        std::vector<HWND> order;
        for (HWND hwnd = GetWindow(from, GW_HWNDFIRST); hwnd; hwnd = GetWindow(hwnd, GW_HWNDNEXT))
            order.push_back(hwnd);
        return order;
    }

    std::vector<std::string> CrossMessages() const { return Events("xmsg"); }

    // Kills the host process of a program of this device from outside it,
    // as a crash would end it.
    bool KillHostProcess(DWORD devicePid) const
    {
        const std::string pid = "DEVSIM_PID=" + std::to_string(devicePid);
        const std::string root = "DEVSIM_ROOT=" + Root();
        for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
            std::ifstream in(entry.path() / "environ", std::ios::binary);
            std::string environment((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            std::string padded = std::string(1, '\0') + environment;
            if (padded.find(std::string(1, '\0') + pid + '\0') == std::string::npos ||
                padded.find(std::string(1, '\0') + root + '\0') == std::string::npos)
                continue;
            pid_t host = (pid_t)atoi(entry.path().filename().c_str());
            if (host > 0 && kill(host, SIGKILL) == 0)
                return true;
        }
        return false;
    }

    std::vector<Task> tasks_;
};

std::string Hex(DWORD value)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    do {
        text.insert(text.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value);
    return "0x" + text;
}

std::string PostedClose(DWORD from, HWND to)
{
    return "xmsg from=" + std::to_string(from) + " to=" + std::to_string(reinterpret_cast<uintptr_t>(to)) +
           " msg=" + Hex(WM_CLOSE) + " wparam=0x0 lparam=0x0 kind=posted";
}

TEST_F(TaskCallsTest, TheZOrderWalkHoldsEveryProgramsTopLevelWindowsAndFindWindowTakesTheTopmost)
{
    HWND own = MakeOwnWindow(u"Own window");
    Task alpha = StartTask(u"", u"Alpha");
    Task olderSame = StartTask(u"", u"Same");
    Task parent = StartTask(u"--child ", u"Parent");
    Task newerSame = StartTask(u"--ignore-close ", u"Same");

    // Each new window went on top; the test's own is at the bottom of them.
    std::vector<HWND> expected = {newerSame.window, parent.window, olderSame.window, alpha.window, own};
    std::vector<HWND> order = ZOrder(newerSame.window);
    ASSERT_GE(order.size(), expected.size());
    EXPECT_EQ(std::vector<HWND>(order.begin(), order.begin() + expected.size()), expected);
    EXPECT_EQ(ZOrder(own), order) << "the walk starts at the top from any top-level window";

    // Two windows of one title: the one higher in the z-order is found.
    EXPECT_EQ(FindWindowW(nullptr, u"Same"), newerSame.window);
    ASSERT_TRUE(SetForegroundWindow(olderSame.window));
    EXPECT_EQ(FindWindowW(nullptr, u"Same"), olderSame.window);
    EXPECT_EQ(FindWindowW(nullptr, u"sAME"), olderSame.window) << "without regard to case";
    EXPECT_EQ(FindWindowW(u"DevsimTask", u"Alpha"), alpha.window);

    // The child is visible and titled, but no top-level window: the walk
    // and FindWindowW pass it by, GetParent names its parent.
    HWND child = GetWindow(parent.window, GW_CHILD);
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_EQ(GetParent(child), parent.window);
    EXPECT_EQ(GetParent(parent.window), nullptr);
    WCHAR text[64];
    EXPECT_EQ(GetWindowTextW(child, text, 64), 12);
    EXPECT_EQ(std::u16string(text), u"Parent child");
    EXPECT_EQ(std::count(order.begin(), order.end(), child), 0);
    EXPECT_EQ(FindWindowW(nullptr, u"Parent child"), nullptr);

    // An ended program's windows are gone for every query.
    DWORD pid = 0;
    EXPECT_EQ(GetWindowThreadProcessId(alpha.window, &pid), alpha.pid);
    EXPECT_EQ(pid, alpha.pid);
    ASSERT_TRUE(TerminateProcess(alpha.process, 0));
    EXPECT_FALSE(IsWindow(alpha.window));
    EXPECT_FALSE(IsWindowVisible(alpha.window));
    EXPECT_EQ(GetWindowTextLengthW(alpha.window), 0);
    pid = 12345;
    EXPECT_EQ(GetWindowThreadProcessId(alpha.window, &pid), 0u);
    EXPECT_EQ(pid, 12345u);
    EXPECT_EQ(FindWindowW(nullptr, u"Alpha"), nullptr);
}

TEST_F(TaskCallsTest, AnotherProgramsTitleIsReadWholeOrCutToTheBuffer)
{
    const std::u16string seventy = u"A title of seventy characters, which is longer than a task list keeps.";
    ASSERT_EQ(seventy.size(), 70u);
    struct Case {
        std::u16string title;
        int length;
        std::u16string read;  // into a 64-character buffer
    };
    const Case cases[] = {
        {u"Notes", 5, u"Notes"},
        {seventy, 70, seventy.substr(0, 63)},
        {u"Caf\u00e9 \u2713 \u03a9mega", 12, u"Caf\u00e9 \u2713 \u03a9mega"},
        {u"Programs ", 9, u"Programs "},
    };
    for (const Case& c : cases) {
        Task task = StartTask(u"", c.title);
        ASSERT_NE(task.window, nullptr);
        WCHAR buffer[64];
        EXPECT_EQ(GetWindowTextLengthW(task.window), c.length);
        EXPECT_EQ(GetWindowTextW(task.window, buffer, 64), static_cast<int>(c.read.size()));
        EXPECT_EQ(std::u16string(buffer), c.read);
    }
    // A title cut short names no window.
    EXPECT_EQ(FindWindowW(nullptr, seventy.substr(0, 63).c_str()), nullptr);
    EXPECT_NE(FindWindowW(nullptr, seventy.c_str()), nullptr);
}

TEST_F(TaskCallsTest, TheActiveWindowIsTheCallersOnlyWhileItsOwnIsInFront)
{
    HWND own = MakeOwnWindow(u"Own window");
    Task other = StartTask(u"", u"Other");
    EXPECT_EQ(GetForegroundWindow(), other.window);
    EXPECT_EQ(GetActiveWindow(), nullptr) << "another program's window is in front";
    // With no active window the walk from it has nowhere to start.
    EXPECT_EQ(GetWindow(GetActiveWindow(), GW_HWNDFIRST), nullptr);

    ASSERT_TRUE(SetForegroundWindow(own));
    EXPECT_EQ(GetActiveWindow(), own);
    EXPECT_EQ(GetWindow(GetActiveWindow(), GW_HWNDFIRST), own);

    // Bringing another program's window to the front is logged as any
    // activation.
    ASSERT_TRUE(SetForegroundWindow(other.window));
    EXPECT_EQ(GetForegroundWindow(), other.window);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(Events("activate").back(),
              "activate hwnd=" + std::to_string(reinterpret_cast<uintptr_t>(other.window)) + " title=\"Other\"");
}

// A walk reads the windows once; whatever this program does next, and
// whatever the others do while it waits, the next question sees.
TEST_F(TaskCallsTest, AWalkNeverAnswersFromWhatHasChangedSince)
{
    HWND own = MakeOwnWindow(u"Own window");
    Task first = StartTask(u"", u"First");
    Task second = StartTask(u"", u"Second");
    ASSERT_TRUE(SetForegroundWindow(own));
    std::vector<HWND> before = ZOrder(own);
    ASSERT_GE(before.size(), 3u);
    EXPECT_EQ(before[0], own);
    EXPECT_TRUE(IsWindowVisible(first.window));

    // Changes made by this program.
    ASSERT_TRUE(SetForegroundWindow(first.window));
    EXPECT_EQ(GetWindow(own, GW_HWNDFIRST), first.window);
    ShowWindow(own, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(own));
    SetWindowTextW(own, u"Renamed");
    WCHAR title[64];
    GetWindowTextW(own, title, 64);
    EXPECT_EQ(std::u16string(title), u"Renamed");

    // A change by another program, made while this one waited.
    EXPECT_TRUE(IsWindow(second.window));
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, second.pid);
    ASSERT_NE(process, nullptr);
    ASSERT_TRUE(TerminateProcess(process, 0));
    WaitForSingleObject(process, 2000);
    CloseHandle(process);
    EXPECT_FALSE(IsWindow(second.window));
    std::vector<HWND> after = ZOrder(own);
    EXPECT_EQ(std::count(after.begin(), after.end(), second.window), 0);

    // A program that dies while this one runs, without a word to the device.
    ZOrder(own);
    EXPECT_TRUE(IsWindow(first.window));
    ASSERT_TRUE(KillHostProcess(first.pid));
    usleep(300000);
    EXPECT_FALSE(IsWindow(first.window));
}

TEST_F(TaskCallsTest, OpenProcessRefusesEndedAndProtectedProcesses)
{
    Task open = StartTask(u"", u"Open");
    Task guarded = StartTask(u"--protected ", u"Guarded");
    Task ended = StartTask(u"", u"Ended");
    ASSERT_TRUE(TerminateProcess(ended.process, 0));
    struct Case {
        const char* what;
        DWORD pid;
        DWORD error;  // 0: a handle is had
    };
    const Case cases[] = {
        {"running", open.pid, 0},
        {"protected", guarded.pid, ERROR_ACCESS_DENIED},
        {"ended", ended.pid, ERROR_INVALID_PARAMETER},
        {"never started", 999, ERROR_INVALID_PARAMETER},
        {"itself", GetCurrentProcessId(), 0},
    };
    for (const Case& c : cases) {
        SetLastError(0xDEAD);
        HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, c.pid);
        EXPECT_EQ(process != nullptr, c.error == 0) << c.what;
        EXPECT_EQ(GetLastError(), c.error ? c.error : 0xDEADu) << c.what;
        if (process)
            CloseHandle(process);
    }
    // The protected task is still there, and ends when terminated by a
    // handle it did not refuse: its creator's.
    EXPECT_TRUE(IsWindow(guarded.window));
    EXPECT_TRUE(TerminateProcess(guarded.process, 0));
    EXPECT_FALSE(IsWindow(guarded.window));
}

TEST_F(TaskCallsTest, AProcessWaitEndsWithTheProcessOrAfterItsTimeOnTheDeviceClock)
{
    Task stubborn = StartTask(u"--ignore-close --ignore-quit ", u"Stubborn");
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, stubborn.pid);
    ASSERT_NE(process, nullptr);
    PostMessageW(stubborn.window, WM_QUIT, 0, 0);
    DWORD before = GetTickCount();
    EXPECT_EQ(WaitForSingleObject(process, 2000), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(GetTickCount() - before, 2000u);
    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeProcess(process, &code));
    EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));

    before = GetTickCount();
    ASSERT_TRUE(TerminateProcess(process, 0));
    EXPECT_EQ(WaitForSingleObject(process, 2000), WAIT_OBJECT_0);
    EXPECT_EQ(GetTickCount() - before, 0u);
    ASSERT_TRUE(GetExitCodeProcess(process, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(IsWindow(stubborn.window));
    SetLastError(0);
    EXPECT_FALSE(TerminateProcess(process, 0)) << "it has ended";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    CloseHandle(process);
    EXPECT_EQ(WaitForSingleObject(process, 0), static_cast<DWORD>(WAIT_FAILED));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(TaskCallsTest, ABoundedSendToAHungProgramTimesOutAndTheProgramStillEnds)
{
    Task hung = StartTask(u"--hang ", u"Hung");
    Task willing = StartTask(u"", u"Willing");

    DWORD_PTR result = 0;
    DWORD before = GetTickCount();
    SetLastError(0);
    EXPECT_EQ(SendMessageTimeoutW(hung.window, WM_CLOSE, 0, 0, SMTO_NORMAL, 2000, &result), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT));
    EXPECT_EQ(GetTickCount() - before, 2000u);
    EXPECT_TRUE(PostMessageW(hung.window, WM_CLOSE, 0, 0));
    Sleep(1000);
    EXPECT_TRUE(IsWindow(hung.window)) << "nothing it is sent or posted is handled";

    // A program that answers does so at once, on the device clock.
    before = GetTickCount();
    EXPECT_NE(SendMessageTimeoutW(willing.window, WM_CLOSE, 0, 0, SMTO_NORMAL, 2000, &result), 0);
    EXPECT_EQ(GetTickCount() - before, 0u);
    EXPECT_FALSE(IsWindow(willing.window)) << "the send returns once the window has handled it";

    ASSERT_TRUE(TerminateProcess(hung.process, 0));
    EXPECT_EQ(WaitForSingleObject(hung.process, 2000), WAIT_OBJECT_0);
    EXPECT_FALSE(IsWindow(hung.window));
}

TEST_F(TaskCallsTest, CloseAppsPostsCloseToTheOtherApplicationsWindowsOnly)
{
    Start(u"\\Windows\\shell.exe", u"", u"Tray");
    Task willing = StartTask(u"", u"Willing");
    Task stubborn = StartTask(u"--ignore-close ", u"Stubborn");
    HWND own = MakeOwnWindow(u"Caller");
    std::vector<std::string> before = CrossMessages();

    HMODULE shell = LoadLibraryW(u"aygshell.dll");
    ASSERT_NE(shell, nullptr);
    auto closeApps = reinterpret_cast<BOOL(WINAPI*)(DWORD)>(GetProcAddress(shell, MAKEINTRESOURCE(10)));
    ASSERT_EQ(closeApps, &SHCloseApps);
    EXPECT_TRUE(closeApps(999999));
    EXPECT_EQ(Events("closeapps"), std::vector<std::string>{"closeapps bytes=999999"});
    std::vector<std::string> after = CrossMessages();
    std::vector<std::string> added(after.begin() + before.size(), after.end());
    DWORD self = GetCurrentProcessId();
    EXPECT_EQ(added, (std::vector<std::string>{PostedClose(self, stubborn.window), PostedClose(self, willing.window)}))
        << "in z-order; none to the shell's windows nor the caller's";
    EXPECT_TRUE(IsWindow(willing.window)) << "posted: the call does not wait for it";

    Sleep(100);
    EXPECT_FALSE(IsWindow(willing.window));
    EXPECT_EQ(WaitForSingleObject(willing.process, 0), WAIT_OBJECT_0);
    EXPECT_TRUE(IsWindow(stubborn.window));
    EXPECT_NE(FindWindowW(nullptr, u"Desktop"), nullptr);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    EXPECT_TRUE(IsWindow(own));
    EXPECT_EQ(std::count(g_ownMessages.begin(), g_ownMessages.end(), static_cast<UINT>(WM_CLOSE)), 0);
    FreeLibrary(shell);
}

}  // namespace

namespace {

// As on the device, a running program's file and a library some process
// has loaded are held: neither deleted nor renamed until let go.
TEST_F(TaskCallsTest, FilesThatRunningProcessesHoldCannotBeDeletedOrRenamed)
{
    std::filesystem::copy_file(RESOURCE_TEST_MODULE, HostPath("Windows/held.dll"));
    std::filesystem::copy_file(RESOURCE_TEST_MODULE, HostPath("Windows/own.dll"));
    Task holder = StartTask(u"--load \\Windows\\held.dll ", u"Holder");
    HMODULE own = LoadLibraryW(u"\\Windows\\own.dll");
    ASSERT_NE(own, nullptr);
    ASSERT_EQ(LoadLibraryW(u"own"), own);
    // The entry point ran once, at the first load, with the library's handle.
    auto* attachCount = reinterpret_cast<int*>(GetProcAddressW(own, u"module_attach_count"));
    auto* attachedHandle = reinterpret_cast<HINSTANCE*>(GetProcAddressW(own, u"module_attached_handle"));
    ASSERT_TRUE(attachCount && attachedHandle);
    EXPECT_EQ(*attachCount, 1);
    EXPECT_EQ(*attachedHandle, own);

    const struct {
        const char* what;
        LPCWSTR path;
    } held[] = {
        {"a running program", u"\\WINDOWS\\task.exe"},
        {"a library another process loaded", u"\\Windows\\held.dll"},
        {"a library of its own", u"\\windows\\OWN.dll"},
    };
    for (const auto& file : held) {
        SetLastError(0);
        EXPECT_FALSE(DeleteFileW(file.path)) << file.what;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION)) << file.what;
        SetLastError(0);
        EXPECT_FALSE(MoveFileW(file.path, u"\\Windows\\moved")) << file.what;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION)) << file.what;
    }

    // One of two references let go still holds it; the last one frees it.
    ASSERT_TRUE(FreeLibrary(own));
    EXPECT_FALSE(DeleteFileW(u"\\Windows\\own.dll"));
    ASSERT_TRUE(FreeLibrary(own));
    EXPECT_TRUE(MoveFileW(u"\\Windows\\own.dll", u"\\Windows\\moved.dll"));
    EXPECT_TRUE(DeleteFileW(u"\\Windows\\moved.dll"));

    // A process's program and libraries go free when it ends.
    ASSERT_TRUE(TerminateProcess(holder.process, 0));
    ASSERT_EQ(WaitForSingleObject(holder.process, 2000), WAIT_OBJECT_0);
    EXPECT_TRUE(DeleteFileW(u"\\Windows\\held.dll"));
    EXPECT_TRUE(DeleteFileW(u"\\Windows\\task.exe"));
    EXPECT_FALSE(HostFileExists("Windows/task.exe"));
}

}  // namespace
