// A real application window on an emulated device that has the program's
// languages, pictures and themes and the device's image decoder installed.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/monitor_window.h"
#include "device_fixture.h"
#include "graphics/image_table.h"
#include "program_files.h"
#include "settings/language_list.h"
#include "settings/text_table.h"

namespace apptest {

inline const WCHAR kClassName[] = TEXT("Quib Monitor");

// The window procedure finds its object here, as the program's does.
inline MonitorWindow* g_monitor = nullptr;

inline LRESULT CALLBACK ForwardingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return 0;
    if (g_monitor)
        return g_monitor->WindowProc(window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

// A file of the program's folder in the device image.
inline std::string ImagePath(const std::string& relative)
{
    return std::string(QM_DEVICE_IMAGE) + "/Program Files/Quib Monitor/" + relative;
}

inline std::string ImageFile(const std::string& relative)
{
    std::ifstream in(ImagePath(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Width and height as the TGA file's header gives them.
inline SIZE TgaSize(const std::string& bytes)
{
    SIZE size = {0, 0};
    if (bytes.size() < 18)
        return size;
    auto word = [&](size_t at) {
        return (LONG)((unsigned char)bytes[at] | (unsigned char)bytes[at + 1] << 8);
    };
    size.cx = word(12);
    size.cy = word(14);
    return size;
}

inline RECT ClientRect(HWND window)
{
    RECT rect = {0, 0, 0, 0};
    GetClientRect(window, &rect);
    return rect;
}

inline std::u16string Text(const WCHAR* text) { return text ? text : u"(null)"; }

class MonitorWindowFixture : public testsupport::DeviceFixture {
protected:
    void SetUp() override
    {
        namespace fs = std::filesystem;
        using testsupport::ProgramFile;
        // The program as the simulator starts it, from its install folder.
        setenv("DEVSIM_PROGRAM", "\\Program Files\\Quib Monitor\\quibmonitor.exe", 1);
        DeviceFixture::SetUp();
        fs::create_directories(HostPath(ProgramFile("")));
        for (const char* folder : {"lang", "graphics", "themes"})
            fs::copy(ImagePath(folder), HostPath(ProgramFile(folder)), fs::copy_options::recursive);
        fs::create_directories(HostPath("Windows"));
        fs::copy_file(IMGDECMP_MODULE, HostPath("Windows/Imgdecmp.dll"));
        // With the agreement accepted the main page shows its figures at once.
        WriteSettings("theme=bluewave\r\neula=1");

        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = ForwardingProc;
        windowClass.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
        windowClass.lpszClassName = kClassName;
        // Classes belong to the process, which outlives each test's device.
        RegisterClassW(&windowClass);
    }
    void TearDown() override
    {
        Close();
        FreeTextTable();
        FreeLanguageList();
        unsetenv("DEVSIM_PROGRAM");
        DeviceFixture::TearDown();
    }

    void WriteSettings(const std::string& text) const
    {
        WriteHostFile(testsupport::ProgramFile("quibmonitor.ini"), text);
    }

    // As the entry point does it: the object exists before its window, so
    // that the window's first WM_SIZE computes the screen metrics. The
    // window stays hidden, so that no change of activation posts the
    // popup's quit on its own.
    MonitorWindow& Create(BOOL popup)
    {
        g_monitor = new MonitorWindow(NULL);
        window_ = CreateWindowExW(0, kClassName, kClassName, 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, NULL, NULL, NULL, NULL);
        EXPECT_NE(window_, nullptr);
        g_monitor->popup = popup;
        return *g_monitor;
    }
    void Attach()
    {
        ASSERT_NE(window_, nullptr);
        g_monitor->OnAttach(window_);
        g_monitor->ready = TRUE;
    }
    MonitorWindow& Start(BOOL popup)
    {
        MonitorWindow& window = Create(popup);
        Attach();
        return window;
    }
    // The pictures are freed too, so that the next device decodes its own.
    void Close()
    {
        if (g_monitor == nullptr)
            return;
        if (window_)
            DestroyWindow(window_);
        window_ = nullptr;
        delete g_monitor;
        g_monitor = nullptr;
        PurgeImages();
    }

    HWND window_ = nullptr;
};

}  // namespace apptest
