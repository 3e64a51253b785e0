#include "bench_device.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

#include "app/monitor_window.h"
#include "graphics/skin_image.h"
#include "server/device.h"
#include "server_connection.h"
#include "settings/language_list.h"
#include "settings/text_table.h"

namespace bench {
namespace {

const char kProgramPath[] = "\\Program Files\\Quib Monitor\\quibmonitor.exe";
const WCHAR kClassName[] = TEXT("Quib Monitor");

MonitorWindow* g_application = NULL;
HWND g_window = NULL;
std::string g_root;
long g_paints = 0;

LRESULT CALLBACK BenchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT)
        ++g_paints;
    if (g_application != NULL)
        return g_application->WindowProc(window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void Fail(const std::string& why)
{
    std::fprintf(stderr, "bench: %s\n", why.c_str());
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

void ConnectDevice(const std::string& profileName)
{
    std::optional<sim::DeviceProfile> profile = sim::BuiltInProfile(profileName);
    if (!profile)
        Fail("no profile " + profileName);
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
    DisconnectDevice();
}

void DisconnectDevice()
{
    platform::Disconnect();
    std::error_code ignored;
    std::filesystem::remove_all(g_root, ignored);
}

MonitorWindow* Application() { return g_application; }

HWND Window() { return g_window; }

long Paints() { return g_paints; }

std::string ClientSize()
{
    RECT client;
    GetClientRect(g_window, &client);
    return std::to_string(client.right - client.left) + "x" + std::to_string(client.bottom - client.top);
}

__attribute__((noinline)) void RepaintOnce()
{
    InvalidateRect(g_window, NULL, FALSE);
    UpdateWindow(g_window);
}

}  // namespace bench
