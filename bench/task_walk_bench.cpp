// A task list's walk over the device's top-level windows, as Quib Monitor
// enumerates its tasks (GetWindow from the active window, then IsWindow,
// IsWindowVisible, GetParent, GetWindowTextLengthW and GetWindowTextW for
// each), with 0, 16 and 64 stand-in tasks running as real processes beside
// it, every one waiting for messages. Per window it visits: sec_per_window,
// the walk's wall time, and cpu_per_window, the processor time of this
// process (the walker and the device server on its thread), which does not
// depend on what else the machine runs. Neither should grow with the number
// of programs.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "server/device.h"
#include "server_connection.h"
#include "windows.h"

namespace {

namespace fs = std::filesystem;

// One device for the whole run: tasks are only ever added, so each case
// tops the count up to what it needs.
struct Bench {
    std::string root;
    HWND own = nullptr;
    int tasks = 0;
};

Bench& Device()
{
    static Bench bench;
    if (!bench.root.empty())
        return bench;
    std::string pattern = (fs::temp_directory_path() / "qmwalk-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("task_walk_bench: mkdtemp");
        std::exit(2);
    }
    bench.root = pattern;
    fs::create_directories(bench.root + "/Windows");
    fs::create_symlink(fs::path(QM_DEVICE_IMAGE) / "Windows/task.exe", bench.root + "/Windows/task.exe");
    platform::ConnectInProcess(std::make_unique<sim::Device>(bench.root, *sim::BuiltInProfile("qvga")),
                               bench.root + ".socket");
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"Walker";
    RegisterClassW(&wc);
    bench.own = CreateWindowExW(0, u"Walker", u"Walker", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    std::atexit([] {
        platform::Disconnect();
        std::error_code ignored;
        fs::remove_all(Device().root, ignored);
    });
    return bench;
}

void StartTasks(Bench& bench, int count)
{
    for (; bench.tasks < count; ++bench.tasks) {
        std::u16string title = u"Task " + std::u16string(1, u'0' + bench.tasks / 10) +
                               std::u16string(1, u'0' + bench.tasks % 10);
        PROCESS_INFORMATION info = {};
        if (!CreateProcessW(u"\\Windows\\task.exe", title.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            nullptr, &info)) {
            std::fprintf(stderr, "task_walk_bench: cannot start task.exe\n");
            std::exit(2);
        }
        CloseHandle(info.hProcess);
        for (int tries = 0; tries < 100 && !FindWindowW(nullptr, title.c_str()); ++tries)
            Sleep(10);
    }
    // The walk starts at the walker's own window, as the task list's does.
    SetForegroundWindow(bench.own);
}

int Walk()
{
    int visited = 0;
    WCHAR title[64];
    for (HWND hwnd = GetWindow(GetActiveWindow(), GW_HWNDFIRST); hwnd; hwnd = GetWindow(hwnd, GW_HWNDNEXT)) {
        ++visited;
        if (IsWindow(hwnd) && IsWindowVisible(hwnd) && !GetParent(hwnd) && GetWindowTextLengthW(hwnd) != 0)
            benchmark::DoNotOptimize(GetWindowTextW(hwnd, title, 64));
    }
    return visited;
}

// Processor time of every thread of this process, in seconds.
double ProcessCpuSeconds()
{
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void BM_TaskWalk(benchmark::State& state)
{
    Bench& bench = Device();
    StartTasks(bench, static_cast<int>(state.range(0)));
    int visited = 0;
    double cpuBefore = ProcessCpuSeconds();
    for (auto _ : state)
        visited = Walk();
    double cpu = ProcessCpuSeconds() - cpuBefore;
    state.counters["windows"] = visited;
    state.counters["cpu_per_window"] = cpu / static_cast<double>(state.iterations() * visited);
    state.counters["sec_per_window"] = benchmark::Counter(
        static_cast<double>(visited), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_TaskWalk)->Arg(0)->Arg(16)->Arg(64)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
