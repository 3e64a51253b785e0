// The desktop's application manager (ActiveSync's CEAPPMGR.EXE):
//   CEAPPMGR.EXE "C:\FOLDER\APP.ini"
// reads the application-manager INI file ([CEAppManager] Component = NAME;
// [NAME] CabFiles = CAB[,CAB...], beside the INI), logs
// `appmgr ini="..." component="..." cabs="..."`, and hands every cabinet to
// the paired device, whose shell installs what waits in its
// \Windows\AppMgr\Install at its next boot. Its window lists the application
// until it is closed. A missing or malformed INI, a missing cabinet or no
// paired device: a message, nothing handed over. The exit code is 0 when
// the cabinets went, 1 otherwise.
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "appmgr_ini.h"
#include "command_words.h"
#include "device_file.h"
#include "device_services.h"
#include "server/event_log.h"
#include "text_convert.h"

namespace {

const WCHAR kCaption[] = TEXT("Add/Remove Programs");
const WCHAR kWindowClass[] = TEXT("CeAppMgr");
// INI files and cabinets larger than this are not read whole.
constexpr DWORD kMaxFileBytes = 64u << 20;

int Refuse(const std::u16string& text)
{
    MessageBoxW(NULL, text.c_str(), kCaption, MB_OK | MB_ICONEXCLAMATION);
    return 1;
}

struct Request {
    std::string component;
    std::string description;
    std::vector<std::string> cabinets;
};

std::u16string g_listed;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(dc, &client, (HBRUSH)GetStockObject(WHITE_BRUSH));
        InflateRect(&client, -8, -8);
        DrawTextW(dc, g_listed.c_str(), -1, &client, DT_LEFT | DT_TOP | DT_WORDBREAK);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

void ShowList(HINSTANCE instance, const Request& request)
{
    g_listed = platform::Utf16FromUtf8(request.component) + u" (" + platform::Utf16FromUtf8(request.description) +
               u") will be installed on the device at its next connection.";
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kWindowClass;
    RegisterClassW(&wc);
    CreateWindowExW(0, kWindowClass, kCaption, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 160, 150, 480, 160, NULL, NULL,
                    instance, NULL);
    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nShowCmd)
{
    std::u16string ini = UnquotedArgument(lpCmdLine ? lpCmdLine : TEXT(""));
    std::optional<std::string> text = ini.empty() ? std::nullopt : ReadDeviceFile(ini, kMaxFileBytes);
    if (!text)
        return Refuse(u"The application manager cannot read \"" + ini + u"\".");
    Request request;
    request.component = IniValue(*text, "CEAppManager", "Component").value_or("");
    std::optional<std::string> cabs = IniValue(*text, request.component, "CabFiles");
    request.description = IniValue(*text, request.component, "Description").value_or(request.component);
    if (request.component.empty() || !cabs || CabinetNames(*cabs).empty())
        return Refuse(u"\"" + ini + u"\" is not an application manager file: it names no component with cabinets.");
    request.cabinets = CabinetNames(*cabs);
    platform::Server().LogEvent("appmgr ini=" + sim::QuoteLogText(ini) + " component=" +
                                sim::QuoteLogText(platform::Utf16FromUtf8(request.component)) +
                                " cabs=" + sim::QuoteLogText(platform::Utf16FromUtf8(*cabs)));

    // Every cabinet is read before any is handed over.
    std::u16string folder = ini.substr(0, ini.find_last_of(u"\\/") + 1);
    std::vector<std::string> contents;
    for (const std::string& name : request.cabinets) {
        std::optional<std::string> bytes = ReadDeviceFile(folder + platform::Utf16FromUtf8(name), kMaxFileBytes);
        if (!bytes)
            return Refuse(u"The cabinet " + platform::Utf16FromUtf8(name) + u" of " +
                          platform::Utf16FromUtf8(request.component) + u" is missing.");
        contents.push_back(std::move(*bytes));
    }
    // The device link: the paired device's folder for what it installs next.
    const char* paired = std::getenv("DEVSIM_PAIRED_ROOT");
    if (!paired || !*paired)
        return Refuse(u"No Pocket PC is paired with this computer.");
    std::filesystem::path pending = std::filesystem::path(paired) / "Windows" / "AppMgr" / "Install";
    std::error_code ec;
    std::filesystem::create_directories(pending, ec);
    for (size_t i = 0; i < request.cabinets.size(); ++i) {
        std::filesystem::path target = pending / std::filesystem::path(request.cabinets[i]).filename();
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        out.write(contents[i].data(), (std::streamsize)contents[i].size());
        if (!out)
            return Refuse(u"The cabinet " + platform::Utf16FromUtf8(request.cabinets[i]) +
                          u" could not be handed to the device.");
        platform::Server().LogEvent("appmgr-send cab=" + sim::QuoteLogText(platform::Utf16FromUtf8(request.cabinets[i])));
    }
    ShowList(hInstance, request);
    return 0;
}
