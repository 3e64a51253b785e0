// A dialog's controls by id, tab order, and dialog-unit conversions.
#include <vector>

#include "ce/errors.h"
#include "ce/gdi.h"
#include "dialog_manager.h"
#include "server/wire_records.h"
#include "server_connection.h"

namespace platform {
namespace {

std::vector<HWND> ChildrenOf(HWND hwnd)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

bool IsTabStop(HWND hwnd)
{
    DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
    return (style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

int ScreenDpi()
{
    std::string reply = Call(sim::Op::Screen, sim::WireWriter());
    sim::WireReader in(reply);
    return sim::ReadScreen(in).dpi;
}

}  // namespace
}  // namespace platform

using namespace platform;

HWND GetDlgItem(HWND hDlg, int nIDDlgItem)
{
    if (!IsWindow(hDlg)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    for (HWND child : ChildrenOf(hDlg)) {
        if (GetWindowLongW(child, GWL_ID) == nIDDlgItem)
            return child;
    }
    SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
    return nullptr;
}

int GetDlgCtrlID(HWND hWnd)
{
    if (!(GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD))
        return 0;
    return GetWindowLongW(hWnd, GWL_ID);
}

// The next tab stop after hCtl (before it with bPrevious), wrapping round;
// the first (last) one for a null hCtl, hCtl itself when there is no other.
HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious)
{
    std::vector<HWND> children = ChildrenOf(hDlg);
    int count = static_cast<int>(children.size());
    int at = bPrevious ? count : -1;
    for (int i = 0; i < count; ++i) {
        if (children[static_cast<size_t>(i)] == hCtl)
            at = i;
    }
    int step = bPrevious ? -1 : 1;
    for (int n = 1; n <= count; ++n) {
        HWND candidate = children[static_cast<size_t>(((at + n * step) % count + count) % count)];
        if (IsTabStop(candidate))
            return candidate;
    }
    return hCtl;
}

BOOL SetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPCWSTR lpString)
{
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    return item ? SetWindowTextW(item, lpString) : FALSE;
}

UINT GetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPWSTR lpString, int cchMax)
{
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    if (!item) {
        if (lpString && cchMax > 0)
            lpString[0] = 0;
        return 0;
    }
    return static_cast<UINT>(GetWindowTextW(item, lpString, cchMax));
}

LRESULT SendDlgItemMessageW(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    return item ? SendMessageW(item, Msg, wParam, lParam) : 0;
}

// The system font's base units: those of dialogs without DS_SETFONT.
LONG GetDialogBaseUnits(void)
{
    HFONT font = CreateDialogFont(std::nullopt, ScreenDpi());
    DialogBaseUnits base = BaseUnitsOf(font);
    DeleteObject(font);
    return MAKELONG(base.x, base.y);
}

BOOL MapDialogRect(HWND hDlg, LPRECT lpRect)
{
    const DialogState* dialog = FindDialog(hDlg);
    if (!dialog || !lpRect) {
        SetLastError(dialog ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    lpRect->left = HorizontalPixels(lpRect->left, dialog->base);
    lpRect->right = HorizontalPixels(lpRect->right, dialog->base);
    lpRect->top = VerticalPixels(lpRect->top, dialog->base);
    lpRect->bottom = VerticalPixels(lpRect->bottom, dialog->base);
    return TRUE;
}
