// Uninstall_Init of the built library, loaded from the device as the
// installer loads it, against the shell and stand-in tasks running as real
// processes: which windows it closes and how, the questions it asks, and
// the time it takes on the device clock.
#include <gtest/gtest.h>

#include <ce_setup.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "device_fixture.h"
#include "text_convert.h"

namespace {

const WCHAR kTodayKey[] = TEXT("Software\\Microsoft\\Today\\Items\\\"QuibMonitor\"");
const char kMainQuestion[] =
    "msgbox pid=1 caption=\"Quib Monitor Install\" text=\"Quib Monitor is still running. Try again to close ?\" "
    "style=0x4";
const char kPopupQuestion[] =
    "msgbox pid=1 caption=\"Quib Monitor Install\" text=\"Quib Monitor Tasks is still running. Try again to close "
    "?\" style=0x4";
// A window of the program's class and title that no close request ends.
const char16_t kStubborn[] = u"--class-from-title --ignore-close --ignore-quit --protected ";
constexpr UINT_PTR kAnswerTimer = 1;

// The answers the questions get, in order; each may first do something.
struct Answer {
    int button;
    std::function<void()> before;
};
std::vector<Answer> g_answers;

LRESULT CALLBACK AnswerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_TIMER || wParam != kAnswerTimer)
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    KillTimer(hwnd, kAnswerTimer);
    HWND box = FindWindowW(u"Dialog", nullptr);
    EXPECT_NE(box, nullptr) << "no question is shown";
    if (!box || g_answers.empty())
        return 0;
    Answer answer = g_answers.front();
    g_answers.erase(g_answers.begin());
    if (answer.before)
        answer.before();
    PostMessageW(box, WM_KEYDOWN, answer.button == IDYES ? VK_RETURN : VK_ESCAPE, 0);
    // The next question comes in a loop of its own.
    SetTimer(hwnd, kAnswerTimer, 10, nullptr);
    return 0;
}

struct Task {
    DWORD pid = 0;
    HANDLE process = nullptr;
    HWND window = nullptr;
};

class UninstallTest : public testsupport::DeviceFixture {
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        RunProgramsFromImage({"Windows/task.exe", "Windows/shell.exe", "Program Files/Quib Monitor/devsetup.dll"});
        g_answers.clear();
        StartAndFind(u"\\Windows\\shell.exe", u"", u"DesktopExplorerWindow", nullptr);
        WNDCLASSW wc = {};
        wc.lpfnWndProc = AnswerProc;
        wc.lpszClassName = u"Answerer";
        RegisterClassW(&wc);
        answerer_ = CreateWindowExW(0, u"Answerer", u"Answerer", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        library_ = LoadLibraryW(u"\\Program Files\\Quib Monitor\\devsetup.dll");
        ASSERT_NE(library_, nullptr);
        uninstallInit_ = reinterpret_cast<pfnUNINSTALL_INIT>(GetProcAddressW(library_, szUNINSTALL_INIT));
        ASSERT_NE(uninstallInit_, nullptr);
        AddTodayKey();
    }
    void TearDown() override
    {
        for (const Task& task : tasks_)
            CloseHandle(task.process);
        FreeLibrary(library_);
        DeviceFixture::TearDown();
    }

    static void AddTodayKey()
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kTodayKey, 0, nullptr, 0, 0, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }

    Task StartAndFind(LPCWSTR program, std::u16string commandLine, LPCWSTR windowClass, LPCWSTR title)
    {
        Task task;
        PROCESS_INFORMATION info = {};
        EXPECT_TRUE(CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   nullptr, &info));
        task.pid = info.dwProcessId;
        task.process = info.hProcess;
        for (int tries = 0; tries < 100 && !task.window; ++tries) {
            Sleep(10);
            task.window = FindWindowW(windowClass, title);
        }
        EXPECT_NE(task.window, nullptr) << platform::Utf8FromUtf16(commandLine);
        tasks_.push_back(task);
        return task;
    }
    Task StartTask(const std::u16string& options, const std::u16string& title)
    {
        return StartAndFind(u"\\Windows\\task.exe", options + title, nullptr, title.c_str());
    }

    // Runs Uninstall_Init; the device time it took.
    DWORD RunUninstallInit(std::vector<Answer> answers = {})
    {
        g_answers = std::move(answers);
        SetTimer(answerer_, kAnswerTimer, 10, nullptr);
        DWORD before = GetTickCount();
        EXPECT_EQ(uninstallInit_(nullptr, u"\\Program Files\\Quib Monitor"), codeUNINSTALL_INIT_CONTINUE);
        KillTimer(answerer_, kAnswerTimer);
        EXPECT_TRUE(g_answers.empty()) << g_answers.size() << " answers not asked for";
        return GetTickCount() - before;
    }

    // The process-exit lines of these tasks, in the order they ended.
    std::vector<DWORD> EndOrder(const std::vector<Task>& tasks) const
    {
        std::vector<DWORD> order;
        for (const std::string& line : Events("process-exit")) {
            for (const Task& task : tasks) {
                if (line.find("pid=" + std::to_string(task.pid) + " ") != std::string::npos)
                    order.push_back(task.pid);
            }
        }
        return order;
    }

    size_t ReloadsSent() const
    {
        std::vector<std::string> sent = Events("xmsg");
        return std::count_if(sent.begin(), sent.end(), [](const std::string& line) {
            return line.find("msg=0x1a wparam=0xf2 lparam=0x0 kind=sent") != std::string::npos;
        });
    }

    HWND answerer_ = nullptr;
    HMODULE library_ = nullptr;
    pfnUNINSTALL_INIT uninstallInit_ = nullptr;
    std::vector<Task> tasks_;
};

TEST_F(UninstallTest, RemovesTheTodayItemAndClosesWhatRunsWithoutAQuestion)
{
    struct Case {
        const char* what;
        std::vector<std::pair<std::u16string, std::u16string>> tasks;  // options, title
        DWORD elapsed;  // 5 s, then per window 0.5 s a look and 0.5 s after the close, 2 s for an unanswered send
        std::vector<size_t> ends;  // the tasks that end, by index, in the order they end
    };
    const Case cases[] = {
        {"nothing runs", {}, 6000, {}},
        {"both windows, the popup's first",
         {{u"--class-from-title ", u"Quib Monitor Tasks"}, {u"--class-from-title ", u"Quib Monitor"}},
         7000,
         {1, 0}},
        {"only the popup", {{u"--class-from-title ", u"Quib Monitor Tasks"}}, 6500, {0}},
        {"a main window that never answers", {{u"--class-from-title --hang ", u"Quib Monitor"}}, 8500, {0}},
        {"the title alone is not the program's", {{u"", u"Quib Monitor"}}, 6000, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AddTodayKey();
        std::vector<Task> started;
        for (const auto& [options, title] : c.tasks)
            started.push_back(StartTask(options, title));
        size_t reloads = ReloadsSent();
        size_t questions = Events("msgbox").size();
        size_t deletions = Events("reg-delete").size();

        EXPECT_EQ(RunUninstallInit(), c.elapsed);
        EXPECT_EQ(Events("msgbox").size(), questions);
        EXPECT_EQ(ReloadsSent(), reloads + 1);
        ASSERT_EQ(Events("reg-delete").size(), deletions + 1);
        EXPECT_EQ(Events("reg-delete").back(),
                  R"(reg-delete key="HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Today\\Items\\\"QuibMonitor\"")");
        // The main window goes first, whatever order they came in.
        std::vector<DWORD> expectedOrder;
        for (size_t index : c.ends)
            expectedOrder.push_back(started[index].pid);
        EXPECT_EQ(EndOrder(started), expectedOrder);
        for (const Task& task : started) {
            TerminateProcess(task.process, 0);
            WaitForSingleObject(task.process, 2000);
        }
    }
}

TEST_F(UninstallTest, AWindowThatStaysIsAskedAboutAndYesStartsAgainFromTheTodayItem)
{
    struct Case {
        const char* what;
        std::u16string mainOptions;   // empty: no main window
        std::u16string popupOptions;  // empty: no popup window
        std::vector<int> answers;
        std::vector<std::string> questions;
        size_t reloads;
        bool mainStays;
        bool popupStays;
    };
    const Case cases[] = {
        {"both refuse: No at the first question ends it", kStubborn, kStubborn, {IDNO}, {kMainQuestion}, 1, true, true},
        {"the main window, Yes and then No", kStubborn, u"", {IDYES, IDNO}, {kMainQuestion, kMainQuestion}, 2, true,
         false},
        {"the popup refuses once the main window has gone",
         u"--class-from-title ",
         kStubborn,
         {IDNO},
         {kPopupQuestion},
         1,
         false,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AddTodayKey();
        Task main;
        Task popup;
        if (!c.mainOptions.empty())
            main = StartTask(c.mainOptions, u"Quib Monitor");
        if (!c.popupOptions.empty())
            popup = StartTask(c.popupOptions, u"Quib Monitor Tasks");
        size_t firstQuestion = Events("msgbox").size();
        size_t reloads = ReloadsSent();
        size_t deletions = Events("reg-delete").size();
        std::vector<Answer> answers;
        // The item comes back before a Yes, so that the new round's
        // deletion shows.
        for (int button : c.answers)
            answers.push_back({button, button == IDYES ? std::function<void()>(AddTodayKey) : nullptr});

        DWORD elapsed = RunUninstallInit(answers);
        std::vector<std::string> asked = Events("msgbox");
        asked.erase(asked.begin(), asked.begin() + static_cast<long>(firstQuestion));
        EXPECT_EQ(asked, c.questions);
        EXPECT_EQ(ReloadsSent(), reloads + c.reloads);
        EXPECT_EQ(Events("reg-delete").size(), deletions + c.reloads);
        EXPECT_EQ(main.window && IsWindow(main.window), c.mainStays);
        EXPECT_EQ(popup.window && IsWindow(popup.window), c.popupStays);
        // Each round: 5 s, then ten half-second attempts on the window that stays.
        EXPECT_GE(elapsed, c.reloads * 10000);
        EXPECT_LT(elapsed, c.reloads * 10000 + 1100);
        for (const Task& task : {main, popup}) {
            if (task.process) {
                TerminateProcess(task.process, 0);
                WaitForSingleObject(task.process, 2000);
            }
        }
    }
}

}  // namespace
