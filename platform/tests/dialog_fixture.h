// The dialog tests' device: an owner window whose timer, due once a modal
// dialog waits for input, acts on the dialog from inside the dialog's own
// loop; and a dialog procedure that ends the dialog with the id of the
// command it gets.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "device_fixture.h"
#include "dialog_test_resources.h"
#include "windows.h"

namespace dialogtest {

constexpr DWORD kSentinel = 0xdeadbeef;
constexpr UINT kSetsResult = WM_APP;     // answered through DWL_MSGRESULT
constexpr UINT kLeftAlone = WM_APP + 1;  // the procedure returns FALSE
constexpr LONG kMessageResult = 77;

struct ProcState {
    HWND dialog = nullptr;
    LPARAM initParam = 0;
    HWND initFocus = nullptr;  // the WM_INITDIALOG wParam
    INT_PTR initAnswer = TRUE;
    HBRUSH centreBrush = nullptr;  // WM_CTLCOLORSTATIC answer for IDC_CENTRE
    std::vector<WPARAM> commands;
    int stylusDowns = 0;
};

inline ProcState g_proc;
inline std::function<void(HWND dialog)> g_action;

inline INT_PTR CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        g_proc.dialog = hwnd;
        g_proc.initFocus = reinterpret_cast<HWND>(wParam);
        g_proc.initParam = lParam;
        return g_proc.initAnswer;
    case WM_COMMAND:
        g_proc.commands.push_back(wParam);
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDC_MORE)
            EndDialog(hwnd, LOWORD(wParam));
        return TRUE;
    case WM_LBUTTONDOWN: ++g_proc.stylusDowns; return TRUE;
    case WM_CTLCOLORSTATIC:
        if (!g_proc.centreBrush || GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) != IDC_CENTRE)
            return FALSE;
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<INT_PTR>(g_proc.centreBrush);
    case kSetsResult: SetWindowLongW(hwnd, DWL_MSGRESULT, kMessageResult); return TRUE;
    default: return FALSE;
    }
}

inline LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_TIMER) {
        KillTimer(hwnd, wParam);
        EXPECT_NE(g_proc.dialog, nullptr);
        if (g_proc.dialog && g_action)
            g_action(g_proc.dialog);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class DialogTest : public testsupport::DeviceFixture {
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        g_proc = ProcState();
        WNDCLASSW wc = {};
        wc.lpfnWndProc = OwnerProc;
        wc.lpszClassName = u"DialogOwner";
        RegisterClassW(&wc);
        owner_ = CreateWindowExW(0, u"DialogOwner", u"Owner", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(owner_, nullptr);
        SetForegroundWindow(owner_);
    }
    void TearDown() override
    {
        g_action = nullptr;
        DeviceFixture::TearDown();
    }

    // Runs the dialog modally; the action acts on it once its loop waits.
    INT_PTR Run(int id, std::function<void(HWND)> action)
    {
        g_proc.commands.clear();
        g_action = std::move(action);
        SetTimer(owner_, 1, 10, nullptr);
        return DialogBoxParamW(nullptr, MAKEINTRESOURCEW(id), owner_, RecordingProc, 0);
    }

    HWND owner_ = nullptr;
};

inline void PostKey(HWND hwnd, WPARAM key, bool down = true)
{
    PostMessageW(hwnd, down ? WM_KEYDOWN : WM_KEYUP, key, down ? 1 : 0xC0000001);
}

inline void Tap(HWND hwnd, POINT point)
{
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

}  // namespace dialogtest
