// The predefined dialog class and its window procedure, DefDlgProcW: the
// dialog procedure first, then the default handling of what it left.
#include <map>
#include <memory>

#include "ce/gdi.h"
#include "dialog_manager.h"
#include "local_windows.h"
#include "window_info.h"

namespace platform {
namespace {

constexpr char16_t kDialogClass[] = u"Dialog";
// DWL_MSGRESULT, DWL_DLGPROC and DWL_USER. A dialog procedure does not fit
// 32 bits on this host: DWL_DLGPROC reads 0, the manager keeps the procedure.
constexpr int kDialogExtraBytes = 12;

std::map<HWND, std::unique_ptr<DialogState>>& Dialogs()
{
    static std::map<HWND, std::unique_ptr<DialogState>> dialogs;
    return dialogs;
}

// Messages whose answer is the dialog procedure's own result rather than
// DWL_MSGRESULT.
bool AnswersDirectly(UINT msg)
{
    return msg == WM_INITDIALOG || msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN || msg == WM_CTLCOLORDLG;
}

void OnActivate(HWND hwnd, DialogState& dialog, WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != hwnd && IsDialogOrInside(hwnd, focus))
            dialog.savedFocus = focus;
        return;
    }
    if (dialog.savedFocus && IsDialogOrInside(hwnd, dialog.savedFocus) && GetActiveWindow() == hwnd)
        SetFocus(dialog.savedFocus);
    else
        DefWindowProcW(hwnd, WM_ACTIVATE, wParam, lParam);
}

void OnClose(HWND hwnd)
{
    HWND cancel = GetDlgItem(hwnd, IDCANCEL);
    if (!cancel || IsWindowEnabled(cancel))
        PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
}

// The default push button changes its look with the default id.
void SetDefaultId(HWND hwnd, DialogState& dialog, WORD id)
{
    if (HWND old = dialog.defaultId ? GetDlgItem(hwnd, dialog.defaultId) : nullptr)
        SendMessageW(old, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    dialog.defaultId = id;
    if (HWND now = id ? GetDlgItem(hwnd, id) : nullptr)
        SendMessageW(now, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

LRESULT DefaultHandling(HWND hwnd, DialogState* dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!dialog)
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_CLOSE: OnClose(hwnd); return 0;
    case WM_ACTIVATE: OnActivate(hwnd, *dialog, wParam, lParam); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(dialog->font);
    case DM_GETDEFID: return dialog->defaultId ? MAKELONG(dialog->defaultId, DC_HASDEFID) : 0;
    case DM_SETDEFID: SetDefaultId(hwnd, *dialog, LOWORD(wParam)); return TRUE;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

void Forget(HWND hwnd)
{
    auto it = Dialogs().find(hwnd);
    if (it == Dialogs().end())
        return;
    if (it->second->font)
        DeleteObject(it->second->font);
    Dialogs().erase(it);
}

}  // namespace

bool IsDialogOrInside(HWND dialog, HWND hwnd)
{
    for (; hwnd && hwnd != dialog; hwnd = GetParent(hwnd)) {
        if (!(GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD))
            return false;
    }
    return hwnd && hwnd == dialog;
}

DialogState* FindDialog(HWND hwnd)
{
    auto it = Dialogs().find(hwnd);
    return it == Dialogs().end() ? nullptr : it->second.get();
}

DialogState& AddDialog(HWND hwnd)
{
    auto& slot = Dialogs()[hwnd];
    slot = std::make_unique<DialogState>();
    return *slot;
}

void AttachDialogProc(HWND hwnd, DLGPROC proc) { AddDialog(hwnd).proc = proc; }

void RegisterDialogClass()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefDlgProcW;
    wc.cbWndExtra = kDialogExtraBytes;
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = kDialogClass;
    RegisterClassW(&wc);
}

}  // namespace platform

using namespace platform;

LRESULT DefDlgProcW(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    DialogState* dialog = FindDialog(hDlg);
    LRESULT result = 0;
    bool handled = false;
    if (dialog && dialog->proc) {
        SetWindowLongW(hDlg, DWL_MSGRESULT, 0);
        INT_PTR answer = dialog->proc(hDlg, Msg, wParam, lParam);
        // The procedure may have destroyed the dialog.
        dialog = FindDialog(hDlg);
        handled = answer != 0;
        if (handled)
            result = AnswersDirectly(Msg) ? answer : (dialog ? GetWindowLongW(hDlg, DWL_MSGRESULT) : 0);
    }
    if (!handled)
        result = DefaultHandling(hDlg, dialog, Msg, wParam, lParam);
    if (Msg == WM_DESTROY)
        Forget(hDlg);
    return result;
}
