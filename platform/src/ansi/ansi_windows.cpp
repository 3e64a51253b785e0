// The window and dialog calls of desktop programs with 8-bit text.
#include "ansi/ansi_text.h"
#include "ce/dialogs.h"

using platform::AnsiArgument;
using platform::AnsiName;

BOOL SetWindowTextA(HWND hWnd, LPCSTR lpString)
{
    AnsiArgument text(lpString);
    return SetWindowTextW(hWnd, text.get());
}

BOOL SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString)
{
    AnsiArgument text(lpString);
    return SetDlgItemTextW(hDlg, nIDDlgItem, text.get());
}

INT_PTR DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                        LPARAM dwInitParam)
{
    AnsiName name(lpTemplateName);
    return DialogBoxParamW(hInstance, name.get(), hWndParent, lpDialogFunc, dwInitParam);
}

HWND CreateDialogParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                        LPARAM dwInitParam)
{
    AnsiName name(lpTemplateName);
    return CreateDialogParamW(hInstance, name.get(), hWndParent, lpDialogFunc, dwInitParam);
}
