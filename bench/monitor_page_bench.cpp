// The main monitor page on a real window of an in-process device: one full
// repaint (WM_PAINT for the whole client area through the back buffer:
// background, then every control) and one UpdateFigures on the live page.
//
// The screen metrics keep their VGA flag for the life of a process, so one
// run measures one screen form, chosen on the command line:
//   monitor_page_bench [--profile=qvga|vga] [benchmark flags]
// qvga (240x320) is the default; vga is 480x640 at 192 dpi.
//
//   monitor_page_bench --callgrind [--profile=...]
// sets the page up, repaints once to warm the caches, then repaints once
// more between CALLGRIND_START_INSTRUMENTATION and
// CALLGRIND_STOP_INSTRUMENTATION and exits; run it under
// valgrind --tool=callgrind --instr-atstart=no.
#include <benchmark/benchmark.h>
#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/monitor_page.h"
#include "app/monitor_window.h"
#include "bench_device.h"
#include "server_connection.h"

namespace {

using bench::Application;
using bench::ClientSize;
using bench::Paints;
using bench::RepaintOnce;

std::string g_profile = "qvga";

void BM_FullRepaint(benchmark::State& state)
{
    state.SetLabel(g_profile + " client " + ClientSize());
    long before = Paints();
    unsigned long long calls = platform::CallCount();
    for (auto _ : state)
        RepaintOnce();
    if (Paints() - before != (long)state.iterations())
        state.SkipWithError("a repaint did not reach the window");
    // InvalidateRect and UpdateWindow's question included.
    state.counters["round_trips"] =
        benchmark::Counter((double)(platform::CallCount() - calls) / (double)state.iterations());
}

void BM_UpdateFigures(benchmark::State& state)
{
    MonitorPage* page = MonitorPage::Create(Application());
    if (page != Application()->CurrentPage()) {
        state.SkipWithError("the page instance is not the window's");
        return;
    }
    state.SetLabel(g_profile);
    for (auto _ : state)
        page->UpdateFigures();
    // What the updates invalidated is painted here, outside the timing.
    UpdateWindow(bench::Window());
}

int RunCallgrindRepaint()
{
    RepaintOnce();
    long before = Paints();
    CALLGRIND_START_INSTRUMENTATION;
    RepaintOnce();
    CALLGRIND_STOP_INSTRUMENTATION;
    if (Paints() - before != 1) {
        std::fprintf(stderr, "monitor_page_bench: the repaint did not reach the window\n");
        return 1;
    }
    std::printf("one repaint of the %s page, client %s\n", g_profile.c_str(), ClientSize().c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    // Our own flags are taken out before Google Benchmark reads the rest.
    bool callgrind = false;
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--profile=", 10) == 0)
            g_profile = argv[i] + 10;
        else if (std::strcmp(argv[i], "--callgrind") == 0)
            callgrind = true;
        else
            rest.push_back(argv[i]);
    }
    if (g_profile != "qvga" && g_profile != "vga")
        bench::Fail("--profile is qvga or vga");
    int restCount = (int)rest.size();
    rest.push_back(NULL);
    if (!callgrind) {
        benchmark::Initialize(&restCount, rest.data());
        if (benchmark::ReportUnrecognizedArguments(restCount, rest.data()))
            return 1;
    }

    bench::ConnectDevice(g_profile);
    bench::StartWindow();
    int result = 0;
    if (callgrind) {
        result = RunCallgrindRepaint();
    } else {
        benchmark::RegisterBenchmark(("BM_FullRepaint/" + g_profile).c_str(), BM_FullRepaint)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("BM_UpdateFigures/" + g_profile).c_str(), BM_UpdateFigures)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
    bench::StopWindow();
    return result;
}
