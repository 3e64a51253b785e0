// Screen metrics, the work area, the input panel and cursors.
#include "aygshell.h"
#include "ce/errors.h"
#include "local_windows.h"
#include "server/wire_records.h"
#include "server_connection.h"

namespace platform {
namespace {

// The soft-key bar at the bottom of the work area, at 96 dpi.
constexpr LONG kMenuBarHeight = 26;

sim::ScreenInfo Screen()
{
    std::string reply = Call(sim::Op::Screen, sim::WireWriter());
    sim::WireReader in(reply);
    return sim::ReadScreen(in);
}

LONG Scaled(LONG pixels, int dpi) { return pixels * dpi / 96; }

HCURSOR g_cursor = nullptr;

}  // namespace
}  // namespace platform

using namespace platform;

int GetSystemMetrics(int nIndex)
{
    sim::ScreenInfo screen = Screen();
    switch (nIndex) {
    case SM_CXSCREEN: return screen.width;
    case SM_CYSCREEN: return screen.height;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return Scaled(13, screen.dpi);
    case SM_CYCAPTION:
    case SM_CYMENU: return Scaled(26, screen.dpi);
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return Scaled(2, screen.dpi);
    case SM_CXICON:
    case SM_CYICON: return Scaled(32, screen.dpi);
    case SM_CXSMICON:
    case SM_CYSMICON: return Scaled(16, screen.dpi);
    default: return 0;
    }
}

BOOL SystemParametersInfoW(UINT uiAction, UINT, PVOID pvParam, UINT)
{
    if (uiAction != SPI_GETWORKAREA || !pvParam) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    sim::ScreenInfo screen = Screen();
    *static_cast<RECT*>(pvParam) = RECT{screen.workLeft, screen.workTop, screen.workRight, screen.workBottom};
    return TRUE;
}

BOOL WINAPI SHSipInfo(UINT uiAction, UINT, PVOID pvParam, UINT)
{
    auto* info = static_cast<SIPINFO*>(pvParam);
    if (uiAction != SPI_GETSIPINFO || !info || info->cbSize != sizeof(SIPINFO)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    sim::ScreenInfo screen = Screen();
    // The input panel is down: what is visible is the work area above the
    // soft-key bar; the panel would sit where the bar is.
    LONG bar = Scaled(kMenuBarHeight, screen.dpi);
    info->fdwFlags = SIPF_OFF;
    info->rcVisibleDesktop = RECT{screen.workLeft, screen.workTop, screen.workRight, screen.workBottom - bar};
    info->rcSipRect = RECT{0, screen.workBottom - bar - Scaled(80, screen.dpi), screen.width, screen.workBottom - bar};
    info->dwImDataSize = 0;
    info->pvImData = nullptr;
    return TRUE;
}

HCURSOR LoadCursorW(HINSTANCE, LPCWSTR lpCursorName)
{
    if (lpCursorName != IDC_ARROW && lpCursorName != IDC_WAIT) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    // The system cursors are named by their ids.
    return reinterpret_cast<HCURSOR>(const_cast<LPWSTR>(lpCursorName));
}

HCURSOR SetCursor(HCURSOR hCursor)
{
    HCURSOR previous = g_cursor;
    g_cursor = hCursor;
    const char* shape = "none";
    if (hCursor == reinterpret_cast<HCURSOR>(const_cast<LPWSTR>(IDC_WAIT)))
        shape = "wait";
    else if (hCursor == reinterpret_cast<HCURSOR>(const_cast<LPWSTR>(IDC_ARROW)))
        shape = "arrow";
    sim::WireWriter args;
    args.Bytes(shape);
    Call(sim::Op::Cursor, args);
    return previous;
}
