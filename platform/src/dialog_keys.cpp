// IsDialogMessageW: the keyboard interface of dialogs. TAB and SHIFT+TAB
// move between tab stops, RETURN clicks the focused or the default push
// button (IDOK without one), ESCAPE clicks IDCANCEL; everything else meant
// for the dialog is dispatched.
#include "ce/crt.h"
#include "dialog_manager.h"

namespace platform {
namespace {

bool IsPushButton(HWND hwnd)
{
    WCHAR name[16] = {};
    if (!hwnd || !GetClassNameW(hwnd, name, 16) || _wcsicmp(name, u"BUTTON") != 0)
        return false;
    DWORD type = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)) & 0x0F;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

int ReturnCommand(HWND dialog)
{
    HWND focus = GetFocus();
    if (IsPushButton(focus) && IsDialogOrInside(dialog, focus))
        return GetDlgCtrlID(focus);
    LRESULT defaultId = SendMessageW(dialog, DM_GETDEFID, 0, 0);
    return HIWORD(defaultId) == DC_HASDEFID ? LOWORD(defaultId) : IDOK;
}

// A disabled button of that id clicks nothing.
void Click(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    if (control && !IsWindowEnabled(control))
        return;
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

bool HandleKey(HWND dialog, WPARAM key)
{
    switch (key) {
    case VK_TAB: {
        HWND next = GetNextDlgTabItem(dialog, GetFocus(), GetKeyState(VK_SHIFT) < 0);
        if (next)
            SetFocus(next);
        return true;
    }
    case VK_RETURN: Click(dialog, ReturnCommand(dialog)); return true;
    case VK_ESCAPE: Click(dialog, IDCANCEL); return true;
    default: return false;
    }
}

}  // namespace
}  // namespace platform

using namespace platform;

BOOL IsDialogMessageW(HWND hDlg, LPMSG lpMsg)
{
    if (!hDlg || !lpMsg || !IsDialogOrInside(hDlg, lpMsg->hwnd))
        return FALSE;
    if (lpMsg->message == WM_KEYDOWN && HandleKey(hDlg, lpMsg->wParam))
        return TRUE;
    // The characters of the keys handled above are not wanted either.
    if (lpMsg->message == WM_CHAR &&
        (lpMsg->wParam == VK_TAB || lpMsg->wParam == VK_RETURN || lpMsg->wParam == VK_ESCAPE))
        return TRUE;
    TranslateMessage(lpMsg);
    DispatchMessageW(lpMsg);
    return TRUE;
}
