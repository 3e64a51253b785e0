// Shows a dialog from its own resources over a window of its own, so that
// scripts can tap and key it.
//   dialog.exe [TEMPLATE]
// TEMPLATE 500 (the default) is an options dialog with the caption OK button
// and two lines of text; 501 a centred form with the three text alignments,
// OK, Cancel and a disabled Help button. OK and Cancel end the dialog with their id, which is the
// exit code (255 for a malformed command line).
#include <windows.h>

#include "command_words.h"

namespace {

const WCHAR kHostClass[] = TEXT("DevsimDialogHost");
const unsigned long kOptions = 500;

INT_PTR CALLBACK DialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(hDlg, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default: return FALSE;
    }
}

HWND CreateHost(HINSTANCE instance)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.hbrBackground = (HBRUSH)GetStockObject(LTGRAY_BRUSH);
    wc.lpszClassName = kHostClass;
    if (!RegisterClassW(&wc))
        return NULL;
    HWND host = CreateWindowExW(0, kHostClass, TEXT("Dialog host"), WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, instance, NULL);
    if (host)
        SetForegroundWindow(host);
    return host;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nShowCmd)
{
    std::u16string_view rest = SkipBlanks(lpCmdLine ? lpCmdLine : TEXT(""));
    unsigned long id = kOptions;
    if (!rest.empty() && !TakeNumber(rest, id))
        return 255;
    HWND host = CreateHost(hInstance);
    if (!host)
        return 255;
    INT_PTR result = DialogBoxParamW(hInstance, MAKEINTRESOURCEW(id), host, DialogProc, 0);
    DestroyWindow(host);
    return (int)result;
}
