// Modal dialogs: DialogBox runs the dialog's own message loop, with its
// owner disabled, until EndDialog gives the result.
#include <optional>
#include <string>

#include "ce/errors.h"
#include "ce/user.h"
#include "device_services.h"
#include "dialog_manager.h"
#include "server_connection.h"

namespace platform {
namespace {

// As with message boxes, the dialog appears once the messages already queued
// are handled, whatever its template's WS_VISIBLE says. A quit retrieved
// here ends the dialog and is posted again for the program's own loop.
void RunModalLoop(HWND hwnd)
{
    MSG msg;
    bool shown = IsWindowVisible(hwnd) != FALSE;
    for (;;) {
        DialogState* dialog = FindDialog(hwnd);
        if (!dialog || dialog->ended)
            return;
        if (!shown && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            ShowWindow(hwnd, SW_SHOW);
            SetForegroundWindow(hwnd);
            shown = true;
            continue;
        }
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (got < 0)
            return;
        if (!IsDialogMessageW(hwnd, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

// Returns -1 when the dialog cannot be made and 0 when the parent is not a
// window, as DialogBox documents; a dialog destroyed before EndDialog gives
// 0 too.
INT_PTR RunModal(HINSTANCE module, const std::optional<DialogTemplate>& t, HWND parent, DLGPROC proc, LPARAM param,
                 const std::string& logId)
{
    if (parent && !IsWindow(parent)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (!t)
        return -1;
    HWND owner = DialogOwnerOf(parent);
    HWND hwnd = CreateDialogFromTemplate(module, *t, parent, proc, param, logId);
    if (!hwnd)
        return -1;
    bool ownerDisabled = owner && !(t->style & WS_CHILD) && !EnableWindow(owner, FALSE);
    if (DialogState* dialog = FindDialog(hwnd); dialog && ownerDisabled)
        dialog->disabledOwner = owner;
    RunModalLoop(hwnd);
    DialogState* dialog = FindDialog(hwnd);
    INT_PTR result = dialog && dialog->ended ? dialog->result : 0;
    if (ownerDisabled && !IsWindowEnabled(owner))
        EnableWindow(owner, TRUE);
    if (IsWindow(hwnd))
        DestroyWindow(hwnd);
    return result;
}

}  // namespace
}  // namespace platform

using namespace platform;

INT_PTR DialogBoxParamW(HINSTANCE hInstance, LPCWSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                        LPARAM dwInitParam)
{
    return RunModal(hInstance, LoadDialogTemplate(hInstance, lpTemplateName), hWndParent, lpDialogFunc,
                    dwInitParam, DialogLogId(lpTemplateName));
}

INT_PTR DialogBoxIndirectParamW(HINSTANCE hInstance, LPCDLGTEMPLATEW hDialogTemplate, HWND hWndParent,
                                DLGPROC lpDialogFunc, LPARAM dwInitParam)
{
    return RunModal(hInstance, ReadIndirectTemplate(hDialogTemplate), hWndParent, lpDialogFunc, dwInitParam,
                    DialogLogId(nullptr));
}

// The owner is enabled again before the dialog hides, so that activation
// passes back to it.
BOOL EndDialog(HWND hDlg, INT_PTR nResult)
{
    DialogState* dialog = FindDialog(hDlg);
    if (!dialog) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (!dialog->ended)
        Server().LogEvent("dialog-end id=" + dialog->logId + " result=" + std::to_string(nResult));
    dialog->ended = true;
    dialog->result = nResult;
    if (dialog->disabledOwner)
        EnableWindow(dialog->disabledOwner, TRUE);
    dialog->disabledOwner = nullptr;
    ShowWindow(hDlg, SW_HIDE);
    // Wakes the loop when EndDialog came from a message sent by another
    // process while the loop waited.
    PostMessageW(hDlg, WM_NULL, 0, 0);
    return TRUE;
}
