// Modal dialogs: their loop, the owner, results, keys, the caption OK button,
// the event log and the documented failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "window_frame.h"
#include "dialog_fixture.h"

namespace {

using namespace dialogtest;

TEST_F(DialogTest, AModalDialogRunsUntilEndDialogWithItsOwnerDisabled)
{
    BOOL ownerEnabled = TRUE;
    HWND active = nullptr;
    HWND shown = nullptr;
    g_proc.initAnswer = TRUE;
    g_action = [&](HWND dialog) {
        shown = dialog;
        ownerEnabled = IsWindowEnabled(owner_);
        active = GetActiveWindow();
        EndDialog(dialog, 42);
    };
    SetTimer(owner_, 1, 10, nullptr);
    EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(IDD_FORM), owner_, RecordingProc, 1234), 42);
    EXPECT_EQ(g_proc.initParam, 1234);
    // The template has no WS_VISIBLE: the loop shows and activates it anyway.
    EXPECT_EQ(active, shown);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_FALSE(IsWindow(shown));
    EXPECT_EQ(GetActiveWindow(), owner_);
    EXPECT_EQ(Events("dialog-create"), std::vector<std::string>{"dialog-create id=501 caption=\"Form\""});
    EXPECT_EQ(Events("dialog-end"), std::vector<std::string>{"dialog-end id=501 result=42"});

    // A dialog destroyed before EndDialog gives 0, and the owner comes back.
    EXPECT_EQ(Run(IDD_FORM, [](HWND dialog) { DestroyWindow(dialog); }), 0);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_EQ(Events("dialog-end").size(), 1u);
}

TEST_F(DialogTest, KeysMoveBetweenTabStopsAndClickTheButtons)
{
    struct Key {
        WPARAM key;
        bool shift;
    };
    struct Case {
        const char* name;
        std::vector<Key> keys;
        INT_PTR result;
    };
    // OK (the default push button), Cancel and More are the tab stops; the
    // label is not one, nor is the disabled button.
    const Case cases[] = {
        {"RETURN clicks the default button", {{VK_RETURN, false}}, IDOK},
        {"ESCAPE clicks Cancel", {{VK_ESCAPE, false}}, IDCANCEL},
        {"RETURN clicks the focused push button", {{VK_TAB, false}, {VK_RETURN, false}}, IDCANCEL},
        {"TAB passes the label", {{VK_TAB, false}, {VK_TAB, false}, {VK_RETURN, false}}, IDC_MORE},
        {"TAB wraps round", {{VK_TAB, false}, {VK_TAB, false}, {VK_TAB, false}, {VK_RETURN, false}}, IDOK},
        {"SHIFT+TAB goes back round", {{VK_TAB, true}, {VK_RETURN, false}}, IDC_MORE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND initialFocus = nullptr;
        int initialId = 0;
        INT_PTR result = Run(IDD_FORM, [&](HWND dialog) {
            initialFocus = GetFocus();
            initialId = GetDlgCtrlID(initialFocus);
            for (const Key& k : c.keys) {
                if (k.shift)
                    PostKey(GetFocus(), VK_SHIFT);
                PostKey(GetFocus(), k.key);
                if (k.shift)
                    PostKey(GetFocus(), VK_SHIFT, false);
                // Each key is handled before the next goes to the new focus.
                MSG msg;
                while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                    if (!IsDialogMessageW(dialog, &msg))
                        DispatchMessageW(&msg);
                }
            }
        });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(initialFocus, g_proc.initFocus);
        EXPECT_EQ(initialId, IDOK);
        EXPECT_EQ(g_proc.commands.back(), MAKEWPARAM(c.result, BN_CLICKED));
    }
    // Closing the dialog clicks Cancel.
    EXPECT_EQ(Run(IDD_FORM, [](HWND dialog) { PostMessageW(dialog, WM_CLOSE, 0, 0); }), IDCANCEL);
    // A procedure that answers FALSE to WM_INITDIALOG keeps the focus its own.
    g_proc.initAnswer = FALSE;
    HWND focus = nullptr;
    Run(IDD_FORM, [&](HWND dialog) {
        focus = GetFocus();
        EndDialog(dialog, 0);
    });
    EXPECT_EQ(focus, g_proc.dialog);
}

// An options procedure as plug-ins write them: everything it does not handle
// goes to DefWindowProcW, whose result it returns.
INT_PTR CALLBACK PassingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG: g_proc.dialog = hwnd; return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) != IDOK)
            return FALSE;
        EndDialog(hwnd, IDOK);
        return TRUE;
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

// The caption lies outside the client area: the stylus reaches it as the
// non-client press that the server sends there, then captured moves.
void PressCaption(HWND dialog, POINT windowPoint, POINT liftedAt)
{
    RECT window;
    GetWindowRect(dialog, &window);
    POINT screen = {window.left + windowPoint.x, window.top + windowPoint.y};
    PostMessageW(dialog, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
    POINT lifted = {window.left + liftedAt.x, window.top + liftedAt.y};
    ScreenToClient(dialog, &lifted);
    PostMessageW(dialog, WM_LBUTTONUP, 0, MAKELPARAM(lifted.x, lifted.y));
}

TEST_F(DialogTest, TheCaptionOkButtonSendsIdok)
{
    RECT ok = {};
    RECT client = {};
    RECT window = {};
    auto tapOk = [&](HWND dialog) {
        GetClientRect(dialog, &client);
        GetWindowRect(dialog, &window);
        ok = platform::CaptionOkButton(window.right - window.left, 96);
        POINT middle = {(ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2};
        PressCaption(dialog, middle, middle);
    };
    EXPECT_EQ(Run(IDD_CAPTION_OK, tapOk), IDOK);
    EXPECT_EQ(g_proc.commands, std::vector<WPARAM>{MAKEWPARAM(IDOK, BN_CLICKED)});
    EXPECT_EQ(g_proc.stylusDowns, 0);
    EXPECT_GT(ok.left, 0);
    // The template's size is the client area's; the caption and the border
    // come around it.
    EXPECT_EQ(window.bottom - window.top, client.bottom + platform::CaptionHeight(96) + 1);
    EXPECT_EQ(window.right - window.left, client.right + 2);

    // A stroke that leaves the button, or a press on the title, sends
    // nothing and never reaches the dialog procedure; a tap in the client
    // area does.
    INT_PTR result = Run(IDD_CAPTION_OK, [&](HWND dialog) {
        PressCaption(dialog, POINT{ok.left + 2, ok.top + 2}, POINT{ok.left - 20, ok.top + 2});
        PressCaption(dialog, POINT{4, 4}, POINT{4, 4});
        Tap(dialog, POINT{4, 40});
        PostKey(dialog, VK_ESCAPE);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(g_proc.commands, std::vector<WPARAM>{MAKEWPARAM(IDCANCEL, BN_CLICKED)});
    EXPECT_EQ(g_proc.stylusDowns, 1);

    // A procedure that passes the rest to DefWindowProcW is ended the same way.
    g_action = tapOk;
    SetTimer(owner_, 1, 10, nullptr);
    EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(IDD_CAPTION_OK), owner_, PassingProc, 0), IDOK);

    // A form without WS_EX_CAPTIONOKBTN has no button there.
    result = Run(IDD_FORM, [&](HWND dialog) {
        RECT form;
        GetWindowRect(dialog, &form);
        RECT none = platform::CaptionOkButton(form.right - form.left, 96);
        POINT middle = {(none.left + none.right) / 2, (none.top + none.bottom) / 2};
        PressCaption(dialog, middle, middle);
        PostKey(GetFocus(), VK_ESCAPE);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(DialogTest, FailuresAnswerAsDocumented)
{
    struct Case {
        const char* name;
        LPCWSTR templateName;
        HWND parent;
        INT_PTR result;
        DWORD error;
    };
    const Case cases[] = {
        {"missing template", MAKEINTRESOURCEW(999), nullptr, -1, ERROR_RESOURCE_NAME_NOT_FOUND},
        {"truncated header", MAKEINTRESOURCEW(IDD_TRUNCATED), nullptr, -1, ERROR_INVALID_DATA},
        {"items beyond the data", MAKEINTRESOURCEW(IDD_COUNT_BEYOND), nullptr, -1, ERROR_INVALID_DATA},
        {"parent not a window", MAKEINTRESOURCEW(IDD_FORM), reinterpret_cast<HWND>(0x7777), 0,
         ERROR_INVALID_WINDOW_HANDLE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetLastError(kSentinel);
        EXPECT_EQ(DialogBoxParamW(nullptr, c.templateName, c.parent, RecordingProc, 0), c.result);
        EXPECT_EQ(GetLastError(), c.error);
        SetLastError(kSentinel);
        EXPECT_EQ(CreateDialogParamW(nullptr, c.templateName, c.parent, RecordingProc, 0), nullptr);
        EXPECT_EQ(GetLastError(), c.error);
    }
    EXPECT_TRUE(Events("dialog-create").empty());
    SetLastError(kSentinel);
    EXPECT_FALSE(EndDialog(owner_, 1));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

}  // namespace
