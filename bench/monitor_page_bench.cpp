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
#include <unistd.h>
#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/monitor_page.h"
#include "app/monitor_window.h"
#include "graphics/skin_image.h"
#include "server/device.h"
#include "server_connection.h"
#include "settings/language_list.h"
#include "settings/text_table.h"

namespace {

const char kProgramPath[] = "\\Program Files\\Quib Monitor\\quibmonitor.exe";
const WCHAR kClassName[] = TEXT("Quib Monitor");

MonitorWindow* g_application = NULL;
HWND g_window = NULL;
std::string g_root;
std::string g_profile = "qvga";
// WM_PAINT messages the window has handled, to prove each repaint ran.
long g_paints = 0;

LRESULT CALLBACK BenchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT)
        ++g_paints;
    if (g_application != NULL)
        return g_application->WindowProc(window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

void Fail(const std::string& why)
{
    std::fprintf(stderr, "monitor_page_bench: %s\n", why.c_str());
    std::exit(2);
}

void Pump()
{
    MSG message;
    while (PeekMessageW(&message, NULL, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            Fail("the program posted a quit during setup");
        DispatchMessageW(&message);
    }
}

// A device root from the device image, with the agreement already
// accepted so that the page shows its figures.
void ConnectDevice()
{
    std::optional<sim::DeviceProfile> profile = sim::BuiltInProfile(g_profile);
    if (!profile)
        Fail("no profile " + g_profile);
    std::string pattern = (std::filesystem::temp_directory_path() / "qmbench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        Fail("mkdtemp failed");
    g_root = pattern;
    std::filesystem::copy(QM_DEVICE_IMAGE, g_root, std::filesystem::copy_options::recursive);
    std::ofstream(g_root + "/Program Files/Quib Monitor/quibmonitor.ini", std::ios::app) << "\r\neula=1\r\n";
    // The program directory comes from the running program's device path.
    setenv("DEVSIM_PROGRAM", kProgramPath, 1);
    platform::ConnectInProcess(std::make_unique<sim::Device>(g_root, *profile));
}

// The window as the program's entry point makes it.
void StartWindow()
{
    WNDCLASSW windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = BenchWindowProc;
    windowClass.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    windowClass.lpszClassName = kClassName;
    if (RegisterClassW(&windowClass) == 0)
        Fail("the window class did not register");
    g_application = new MonitorWindow(NULL);
    g_window = CreateWindowExW(0, kClassName, kClassName, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, NULL, NULL);
    if (g_window == NULL)
        Fail("the window was not created");
    g_application->OnAttach(g_window);
    g_application->ready = TRUE;
    ShowWindow(g_window, SW_SHOW);
    UpdateWindow(g_window);
    Pump();

    if (g_application->CurrentPageId() != MONITOR_PAGE_ID || g_application->CurrentPage() == NULL)
        Fail("the main page is not shown");
    // Without it the repaint would be a white fill, not the picture copy.
    const SkinImage* background = g_application->Background();
    if (background == NULL || background->bitmap == NULL)
        Fail("the theme background did not load");
}

void StopWindow()
{
    DestroyWindow(g_window);
    delete g_application;
    g_application = NULL;
    FreeTextTable();
    FreeLanguageList();
    platform::Disconnect();
    std::error_code ignored;
    std::filesystem::remove_all(g_root, ignored);
}

std::string ClientSize()
{
    RECT client;
    GetClientRect(g_window, &client);
    return std::to_string(client.right - client.left) + "x" + std::to_string(client.bottom - client.top);
}

// The whole client area, painted as a WM_PAINT from the update region.
__attribute__((noinline)) void RepaintOnce()
{
    InvalidateRect(g_window, NULL, FALSE);
    UpdateWindow(g_window);
}

void BM_FullRepaint(benchmark::State& state)
{
    state.SetLabel(g_profile + " client " + ClientSize());
    long before = g_paints;
    for (auto _ : state)
        RepaintOnce();
    if (g_paints - before != (long)state.iterations())
        state.SkipWithError("a repaint did not reach the window");
}

void BM_UpdateFigures(benchmark::State& state)
{
    MonitorPage* page = MonitorPage::Create(g_application);
    if (page != g_application->CurrentPage()) {
        state.SkipWithError("the page instance is not the window's");
        return;
    }
    state.SetLabel(g_profile);
    for (auto _ : state)
        page->UpdateFigures();
    // What the updates invalidated is painted here, outside the timing.
    UpdateWindow(g_window);
}

int RunCallgrindRepaint()
{
    RepaintOnce();
    long before = g_paints;
    CALLGRIND_START_INSTRUMENTATION;
    RepaintOnce();
    CALLGRIND_STOP_INSTRUMENTATION;
    if (g_paints - before != 1) {
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
        Fail("--profile is qvga or vga");
    int restCount = (int)rest.size();
    rest.push_back(NULL);
    if (!callgrind) {
        benchmark::Initialize(&restCount, rest.data());
        if (benchmark::ReportUnrecognizedArguments(restCount, rest.data()))
            return 1;
    }

    ConnectDevice();
    StartWindow();
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
    StopWindow();
    return result;
}
