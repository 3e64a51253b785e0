#include "setup/desktop/agreement_page.h"

#include "setup/desktop/page_texts.h"
#include "setup/desktop/resource_ids.h"
#include "setup/desktop/wizard_messages.h"

namespace {

void RefreshTexts(HWND page)
{
    SetPageText(page, IDC_PAGE_TEXT, AGREEMENT_TEXT);
    SetMessageText(page, IDC_BACK, IDS_BACK);
    SetMessageText(page, IDOK, IDS_FINISH);
    SetMessageText(page, IDCANCEL, IDS_CANCEL);
    SetMessageText(page, IDC_ACCEPT, IDS_ACCEPT);
    SetMessageText(page, IDC_DECLINE, IDS_DECLINE);
}

void Request(HWND page, WPARAM request)
{
    PostMessageW(GetParent(page), WM_WIZARD_REQUEST, request, 0);
}

void OnCommand(HWND page, int id, int code)
{
    if (id == IDC_PAGE_TEXT) {
        // The dialog manager selects an edit's whole text as it takes the
        // focus; posted, this runs after it.
        if (code == EN_SETFOCUS)
            PostMessageW(GetDlgItem(page, IDC_PAGE_TEXT), EM_SETSEL, static_cast<WPARAM>(-1), 0);
        return;
    }
    if (code != BN_CLICKED)
        return;
    switch (id) {
    case IDC_ACCEPT:
        EnableWindow(GetDlgItem(page, IDOK), TRUE);
        break;
    case IDC_DECLINE:
        EnableWindow(GetDlgItem(page, IDOK), FALSE);
        break;
    case IDOK:
        Request(page, WIZARD_FINISH);
        break;
    case IDCANCEL:
        Request(page, WIZARD_CANCEL);
        break;
    case IDC_BACK:
        Request(page, WIZARD_PREVIOUS);
        break;
    }
}

}  // namespace

INT_PTR CALLBACK AgreementPageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        EnableWindow(GetDlgItem(page, IDOK), FALSE);
        SendDlgItemMessageW(page, IDC_DECLINE, BM_SETCHECK, BST_CHECKED, 0);
        SendMessageW(page, WM_REFRESH_TEXTS, 0, 0);
        return TRUE;
    case WM_REFRESH_TEXTS:
        RefreshTexts(page);
        return TRUE;
    case WM_COMMAND:
        OnCommand(page, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    return FALSE;
}
