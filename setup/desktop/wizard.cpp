#include "setup/desktop/wizard.h"

#include "setup/desktop/agreement_page.h"
#include "setup/desktop/languages.h"
#include "setup/desktop/resource_ids.h"
#include "setup/desktop/welcome_page.h"
#include "setup/desktop/wizard_messages.h"

namespace {

struct PageDesc {
    int dialog;
    DLGPROC proc;
};

constexpr PageDesc kPages[] = {
    {IDD_WELCOME, WelcomePageProc},
    {IDD_AGREEMENT, AgreementPageProc},
};
constexpr int kPageCount = sizeof(kPages) / sizeof(kPages[0]);

// One wizard per process: one frame, at most one page window.
struct WizardState {
    HINSTANCE instance = nullptr;
    std::string title;
    int language = kEnglish;
    int current = 0;
    HWND page = nullptr;
};
WizardState g_wizard;

void ShowPage(HWND frame, int index)
{
    HWND page = CreateDialogParamA(g_wizard.instance, MAKEINTRESOURCEA(kPages[index].dialog), frame,
                                   kPages[index].proc, 0);
    if (!page)
        return;
    RECT client;
    GetClientRect(frame, &client);
    SetWindowPos(page, nullptr, client.left, client.top, client.right - client.left, client.bottom - client.top,
                 SWP_NOZORDER | SWP_SHOWWINDOW);
    if (g_wizard.page)
        DestroyWindow(g_wizard.page);
    g_wizard.page = page;
    g_wizard.current = index;
}

void HandleRequest(HWND frame, WPARAM request)
{
    switch (request) {
    case WIZARD_NEXT:
        if (g_wizard.current + 1 < kPageCount)
            ShowPage(frame, g_wizard.current + 1);
        break;
    case WIZARD_PREVIOUS:
        if (g_wizard.current > 0)
            ShowPage(frame, g_wizard.current - 1);
        break;
    case WIZARD_FINISH:
    case WIZARD_CANCEL:
        EndDialog(frame, static_cast<INT_PTR>(request));
        break;
    }
}

INT_PTR CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowTextA(frame, g_wizard.title.c_str());
        ShowPage(frame, 0);
        return TRUE;
    case WM_WIZARD_REQUEST:
        HandleRequest(frame, wParam);
        if (g_wizard.page)
            PostMessageW(g_wizard.page, message, wParam, lParam);
        return TRUE;
    case WM_COMMAND:
        // Return, Escape and the close box reach the frame; the page
        // decides what they mean.
        if (HIWORD(wParam) == 0 && g_wizard.page)
            PostMessageW(g_wizard.page, message, wParam, lParam);
        return TRUE;
    case WM_DESTROY:
        g_wizard.page = nullptr;
        return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR RunWizard(HINSTANCE instance, const std::string& title)
{
    g_wizard.instance = instance;
    g_wizard.title = title;
    g_wizard.current = 0;
    g_wizard.page = nullptr;
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_WIZARD), nullptr, FrameProc, 0);
}

int WizardLanguage()
{
    return g_wizard.language;
}

void SetWizardLanguage(int language)
{
    g_wizard.language = language;
}
