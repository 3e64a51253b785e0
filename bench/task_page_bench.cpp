// The task manager with 64 running tasks on an in-process device: building
// the task list, the task list page's full repaint through the back buffer,
// and one scroll step of its list by key.
//
// The tasks are top-level windows of this process; a task of another
// process costs two more round trips (its title's length and text come
// from the server instead of its own window procedure).
//
//   task_page_bench [--profile=qvga|vga] [benchmark flags]
//   task_page_bench --callgrind=repaint|step [--profile=...]
// The second form runs the one operation once, warmed, between
// CALLGRIND_START_INSTRUMENTATION and CALLGRIND_STOP_INSTRUMENTATION; run
// it under valgrind --tool=callgrind --instr-atstart=no.
#include <benchmark/benchmark.h>
#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/monitor_window.h"
#include "app/task_list_page.h"
#include "bench_device.h"
#include "server_connection.h"
#include "settings/string_table.h"
#include "tasks/task_list.h"
#include "ui/list_control.h"
#include "ui/page.h"

namespace {

const int kTaskCount = 64;
const WCHAR kTaskClass[] = TEXT("BenchTask");

std::string g_profile = "qvga";

void StartTasks()
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = kTaskClass;
    if (RegisterClassW(&windowClass) == 0)
        bench::Fail("the task class did not register");
    for (int i = 1; i <= kTaskCount; ++i) {
        WCHAR title[32];
        wsprintfW(title, TEXT("Task %02d"), i);
        if (CreateWindowExW(0, kTaskClass, title, WS_VISIBLE, 0, 0, 10, 10, NULL, NULL, NULL, NULL) == NULL)
            bench::Fail("a task window was not created");
    }
    // The program's window in front again, as after switching back to it.
    SetForegroundWindow(bench::Window());
    bench::Pump();
}

ListControl* ShowTaskPage()
{
    bench::Application()->ShowPage(TASK_LIST_PAGE_ID);
    bench::Pump();
    Page* page = bench::Application()->CurrentPage();
    TaskListPage* tasks = dynamic_cast<TaskListPage*>(page);
    if (tasks == NULL || tasks->Tasks() == NULL || tasks->Tasks()->rowCount != kTaskCount)
        bench::Fail("the task page does not list every task");
    ListControl* list = (ListControl*)page->FindControl(1);
    if (list == NULL || !list->scrollable)
        bench::Fail("the task list does not scroll");
    return list;
}

void BM_BuildTaskList(benchmark::State& state)
{
    StringTable table(2);
    unsigned long long calls = 0;
    for (auto _ : state) {
        table.Clear();
        unsigned long long before = platform::CallCount();
        BuildTaskList(&table);
        calls += platform::CallCount() - before;
    }
    if (table.rowCount != kTaskCount)
        state.SkipWithError("the list does not hold every task");
    state.counters["round_trips_per_task"] =
        benchmark::Counter((double)calls / (double)state.iterations() / kTaskCount);
}

void BM_TaskPageRepaint(benchmark::State& state)
{
    state.SetLabel(g_profile + " client " + bench::ClientSize());
    long before = bench::Paints();
    for (auto _ : state)
        bench::RepaintOnce();
    if (bench::Paints() - before != (long)state.iterations())
        state.SkipWithError("a repaint did not reach the window");
}

__attribute__((noinline)) void StepDown(ListControl* list)
{
    list->OnKey(WM_KEYDOWN, VK_DOWN, 0);
}

// A step repaints the list alone, straight through the back buffer: no
// WM_PAINT reaches the window.
void BM_ListScrollStep(benchmark::State& state, ListControl* list)
{
    long before = bench::Paints();
    for (auto _ : state)
        StepDown(list);
    bench::Pump();
    UpdateWindow(bench::Window());
    if (bench::Paints() != before)
        state.SkipWithError("a scroll step repainted the page");
}

int RunCallgrind(const std::string& what, ListControl* list)
{
    bool repaint = what == "repaint";
    if (!repaint && what != "step") {
        std::fprintf(stderr, "task_page_bench: --callgrind is repaint or step\n");
        return 1;
    }
    if (repaint)
        bench::RepaintOnce();
    else
        StepDown(list);
    CALLGRIND_START_INSTRUMENTATION;
    if (repaint)
        bench::RepaintOnce();
    else
        StepDown(list);
    CALLGRIND_STOP_INSTRUMENTATION;
    std::printf("one %s of the %s task page with %d tasks, client %s\n", what.c_str(), g_profile.c_str(),
                kTaskCount, bench::ClientSize().c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string callgrind;
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--profile=", 10) == 0)
            g_profile = argv[i] + 10;
        else if (std::strncmp(argv[i], "--callgrind=", 12) == 0)
            callgrind = argv[i] + 12;
        else
            rest.push_back(argv[i]);
    }
    if (g_profile != "qvga" && g_profile != "vga")
        bench::Fail("--profile is qvga or vga");
    int restCount = (int)rest.size();
    rest.push_back(NULL);
    if (callgrind.empty()) {
        benchmark::Initialize(&restCount, rest.data());
        if (benchmark::ReportUnrecognizedArguments(restCount, rest.data()))
            return 1;
    }

    bench::ConnectDevice(g_profile);
    bench::StartWindow();
    StartTasks();
    ListControl* list = ShowTaskPage();
    int result = 0;
    if (!callgrind.empty()) {
        result = RunCallgrind(callgrind, list);
    } else {
        benchmark::RegisterBenchmark("BM_BuildTaskList/64", BM_BuildTaskList)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("BM_TaskPageRepaint/" + g_profile).c_str(), BM_TaskPageRepaint)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("BM_ListScrollStep/" + g_profile).c_str(), BM_ListScrollStep, list)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
    bench::StopWindow();
    return result;
}
