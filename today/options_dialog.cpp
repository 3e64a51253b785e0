#include "today/item_window.h"

#define OPTIONS_OK 1

// The dialog shows fixed text only and changes no setting, so it needs no
// item: it runs whether or not the item window exists.
INT_PTR CALLBACK CustomItemOptionsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return 1;
    case WM_COMMAND:
        if (LOWORD(wParam) != OPTIONS_OK)
            return 0;
        EndDialog(dialog, 1);
        return 1;
    default:
        return DefWindowProcW(dialog, message, wParam, lParam);
    }
}
