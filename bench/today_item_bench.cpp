// One frame of the Today item (WM_PAINT through its off-screen bitmap: the
// host's background, the highlight, the figures sampled afresh and the
// pictures read for the frame) for every display in both row forms, with
// the library loaded from the device image as the shell loads it.
//
// The library's screen metrics keep their VGA flag while it is loaded, so
// one run measures one screen form:
//   today_item_bench [--profile=qvga|vga] [benchmark flags]
//
//   today_item_bench --callgrind --rows=single|double --display=N [--profile=...]
// paints that display once to warm the caches, then once more between
// CALLGRIND_START_INSTRUMENTATION and CALLGRIND_STOP_INSTRUMENTATION; run it
// under valgrind --tool=callgrind --instr-atstart=no.
#include <benchmark/benchmark.h>
#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <todaycmn.h>
#include <windows.h>

#include "bench_device.h"
#include "settings/settings_store.h"

namespace {

const WCHAR kHostClass[] = TEXT("BenchTodayHost");

std::string g_profile = "qvga";
HMODULE g_library = NULL;
HWND g_host = NULL;
HWND g_item = NULL;
long g_frames = 0;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case TODAYM_GETCOLOR:
        return wParam == TODAYCOLOR_HIGHLIGHT ? RGB(0, 0, 160) : RGB(0, 0, 0);
    case TODAYM_DRAWWATERMARK: {
        // Every frame asks for the background once.
        ++g_frames;
        const TODAYDRAWWATERMARKINFO* info = (const TODAYDRAWWATERMARKINFO*)lParam;
        FillRect(info->hdc, &info->rc, (HBRUSH)GetStockObject(WHITE_BRUSH));
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void StartHost()
{
    WriteRegString(SETTINGS_SUBKEY, TEXT("InstPath"), TEXT("\\Program Files\\Quib Monitor\\"));
    g_library = LoadLibraryW(TEXT("\\Windows\\QuibMonitorToday.dll"));
    if (g_library == NULL)
        bench::Fail("the library did not load from the device image");
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = HostProc;
    windowClass.lpszClassName = kHostClass;
    RegisterClassW(&windowClass);
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    g_host = CreateWindowExW(0, kHostClass, TEXT("Desktop"), WS_VISIBLE, 0, 0, work.right, work.bottom, NULL, NULL,
                             NULL, NULL);
    if (g_host == NULL)
        bench::Fail("the host window was not created");
}

void StopHost()
{
    DestroyWindow(g_host);
    FreeLibrary(g_library);
    bench::DisconnectDevice();
}

// A new item in the row form, stepped to the display, its pictures loaded
// and placed at the height it reports.
void ShowDisplay(bool single, int display)
{
    if (g_item)
        DestroyWindow(g_item);
    WriteRegString(SETTINGS_SUBKEY, TEXT("HomeRow"), single ? TEXT("1") : TEXT("0"));
    auto initialize = (PFNCUSTOMINITIALIZEITEM)GetProcAddressW(g_library, MAKEINTRESOURCEW(ORDINAL_INITIALIZEITEM));
    TODAYLISTITEM record = {};
    record.fEnabled = TRUE;
    record.hinstDLL = g_library;
    g_item = initialize ? initialize(&record, g_host) : NULL;
    if (g_item == NULL)
        bench::Fail("ordinal 240 gave no item window");
    SendMessageW(g_item, WM_TIMER, 51, 0);
    for (int step = 0; step < 7 && ReadRegInt(TEXT("HomeMode"), TEXT("0"), SETTINGS_SUBKEY) != display; ++step)
        SendMessageW(g_item, WM_TODAYCUSTOM_USERNAVIGATION, 0x27, 0);
    if (ReadRegInt(TEXT("HomeMode"), TEXT("0"), SETTINGS_SUBKEY) != display)
        bench::Fail("the display was not reached");
    SendMessageW(g_item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, 0, (LPARAM)&record);
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    MoveWindow(g_item, 0, 0, work.right, (int)record.cyp, TRUE);
    bench::Pump();
}

__attribute__((noinline)) void PaintFrame()
{
    InvalidateRect(g_item, NULL, FALSE);
    UpdateWindow(g_item);
}

void BM_Frame(benchmark::State& state, bool single, int display)
{
    // Mode 0 starts there without a step, so "HomeMode" is written first.
    WriteRegInt(TEXT("HomeMode"), 0, SETTINGS_SUBKEY);
    ShowDisplay(single, display);
    RECT client;
    GetClientRect(g_item, &client);
    state.SetLabel(g_profile + (single ? " single " : " double ") + std::to_string(client.right) + "x" +
                   std::to_string(client.bottom));
    long before = g_frames;
    for (auto _ : state)
        PaintFrame();
    if (g_frames - before != (long)state.iterations())
        state.SkipWithError("a frame did not reach the host");
}

int RunCallgrindFrame(bool single, int display)
{
    WriteRegInt(TEXT("HomeMode"), 0, SETTINGS_SUBKEY);
    ShowDisplay(single, display);
    PaintFrame();
    long before = g_frames;
    CALLGRIND_START_INSTRUMENTATION;
    PaintFrame();
    CALLGRIND_STOP_INSTRUMENTATION;
    if (g_frames - before != 1) {
        std::fprintf(stderr, "today_item_bench: the frame did not reach the host\n");
        return 1;
    }
    std::printf("one %s frame of display %d, %s\n", single ? "single-row" : "double-row", display, g_profile.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    bool callgrind = false;
    bool single = true;
    int display = 0;
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--profile=", 10) == 0)
            g_profile = argv[i] + 10;
        else if (std::strcmp(argv[i], "--callgrind") == 0)
            callgrind = true;
        else if (std::strncmp(argv[i], "--rows=", 7) == 0)
            single = std::strcmp(argv[i] + 7, "double") != 0;
        else if (std::strncmp(argv[i], "--display=", 10) == 0)
            display = std::atoi(argv[i] + 10);
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
    StartHost();
    int result = 0;
    if (callgrind) {
        result = RunCallgrindFrame(single, display);
    } else {
        // Single row: 0 main battery, 1 backup, 2 program memory, 3 storage
        // memory, 4 card, 6 running tasks; the double row shows two at once.
        std::vector<std::pair<int, int>> displays = {{1, 0}, {1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 6},
                                                     {0, 0}, {0, 2}, {0, 4}, {0, 6}};
        for (const auto& d : displays) {
            std::string name = "BM_Frame/" + g_profile + (d.first ? "/single/" : "/double/") + std::to_string(d.second);
            bool rows = d.first != 0;
            int mode = d.second;
            benchmark::RegisterBenchmark(name.c_str(), [rows, mode](benchmark::State& state) {
                BM_Frame(state, rows, mode);
            })->Unit(benchmark::kMicrosecond);
        }
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
    StopHost();
    return result;
}
