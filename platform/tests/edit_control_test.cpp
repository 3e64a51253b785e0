// The built-in "EDIT" window with the agreement page's styles, as a program
// drives it: its text, its lines and its scrolling by keys and stylus.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device_fixture.h"
#include "windows.h"

namespace {

constexpr DWORD kAgreementStyle = 0x50201844;

class EditControl : public testsupport::DeviceFixture {
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.lpszClassName = u"EditHost";
        RegisterClassW(&wc);
        host_ = CreateWindowExW(0, u"EditHost", u"Host", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(host_, nullptr);
        edit_ = CreateWindowExW(0, u"edit", u"", kAgreementStyle, 5, 5, 230, 200, host_, nullptr, nullptr, nullptr);
        ASSERT_NE(edit_, nullptr) << "the class is there without registering it";
    }
    LRESULT Top() { return SendMessageW(edit_, EM_GETFIRSTVISIBLELINE, 0, 0); }
    void Tap(LONG x, LONG y)
    {
        SendMessageW(edit_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELONG(x, y));
        SendMessageW(edit_, WM_LBUTTONUP, 0, MAKELONG(x, y));
    }

    HWND host_ = nullptr;
    HWND edit_ = nullptr;
};

TEST_F(EditControl, KeepsItsTextAndWrapsItIntoLines)
{
    std::u16string text;
    for (int i = 0; i < 100; ++i)
        text += u"Line " + std::u16string(1, static_cast<char16_t>(u'0' + i % 10)) + u"\r\n";
    EXPECT_EQ(SendMessageW(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())), TRUE);
    EXPECT_EQ(SendMessageW(edit_, WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(text.size()));
    WCHAR head[8];
    EXPECT_EQ(SendMessageW(edit_, WM_GETTEXT, 8, reinterpret_cast<LPARAM>(head)), 7);
    EXPECT_EQ(std::u16string(head), text.substr(0, 7));
    EXPECT_EQ(GetWindowTextLengthW(edit_), static_cast<int>(text.size()));
    EXPECT_EQ(SendMessageW(edit_, EM_GETLINECOUNT, 0, 0), 101) << "100 lines and the empty one after the last break";

    std::u16string words;
    for (int i = 0; i < 60; ++i)
        words += u"word ";
    SetWindowTextW(edit_, words.c_str());
    LRESULT wrapped = SendMessageW(edit_, EM_GETLINECOUNT, 0, 0);
    EXPECT_GT(wrapped, 5);
    // Narrower, the same text takes more lines.
    MoveWindow(edit_, 5, 5, 120, 200, FALSE);
    EXPECT_GT(SendMessageW(edit_, EM_GETLINECOUNT, 0, 0), wrapped);
}

TEST_F(EditControl, ScrollsByKeysWhenFocusedAndByTheStylusOnItsBar)
{
    std::u16string text;
    for (int i = 0; i < 100; ++i)
        text += u"line\r\n";
    SetWindowTextW(edit_, text.c_str());
    SetFocus(edit_);
    ASSERT_EQ(GetFocus(), edit_);
    SendMessageW(edit_, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(Top(), 0) << "already at the top";
    SendMessageW(edit_, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(edit_, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(Top(), 2);

    // The bar is the right-hand strip: arrows at its ends, the track between.
    RECT client;
    GetClientRect(edit_, &client);
    LONG bar = client.right - GetSystemMetrics(SM_CXVSCROLL) / 2;
    Tap(bar, 2);
    EXPECT_EQ(Top(), 1) << "upper arrow";
    Tap(bar, client.bottom - 2);
    EXPECT_EQ(Top(), 2) << "lower arrow";
    Tap(bar, client.bottom - GetSystemMetrics(SM_CXVSCROLL) - 2);
    LRESULT paged = Top();
    EXPECT_GT(paged, 10) << "the track below the thumb pages down";

    // Dragging the thumb, which sits under the upper arrow at the top, to
    // the bottom shows the last page.
    SendMessageW(edit_, EM_LINESCROLL, 0, -1000);
    ASSERT_EQ(Top(), 0);
    LONG thumbY = GetSystemMetrics(SM_CXVSCROLL) + 1;
    SendMessageW(edit_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELONG(bar, thumbY));
    EXPECT_EQ(Top(), 0) << "a press on the thumb does not scroll";
    EXPECT_EQ(GetCapture(), edit_);
    SendMessageW(edit_, WM_MOUSEMOVE, MK_LBUTTON, MAKELONG(bar, client.bottom + 50));
    SendMessageW(edit_, WM_LBUTTONUP, 0, MAKELONG(bar, client.bottom + 50));
    EXPECT_EQ(GetCapture(), nullptr);
    LRESULT last = Top();
    EXPECT_GT(last, paged);
    SendMessageW(edit_, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(Top(), last) << "the end of the range";
    // Paging moved a page from line 2; the last page ends with line 101.
    EXPECT_EQ(last, 101 - (paged - 2)) << "the last line shows";

    SetWindowTextW(edit_, u"short");
    EXPECT_EQ(Top(), 0) << "a new text shows from its start";
}

std::vector<WPARAM> g_hostCommands;

LRESULT CALLBACK RecordingHost(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND)
        g_hostCommands.push_back(wParam);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

TEST_F(EditControl, KeepsASelectionAndTellsItsParentOfTheFocus)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = RecordingHost;
    wc.lpszClassName = u"RecordingHost";
    RegisterClassW(&wc);
    HWND host = CreateWindowExW(0, u"RecordingHost", u"Recording", WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr,
                                nullptr, nullptr);
    HWND edit = CreateWindowExW(0, u"EDIT", u"", kAgreementStyle, 5, 5, 150, 100, host,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(6)), nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, u"Twelve chars");
    g_hostCommands.clear();
    SetFocus(edit);
    SetFocus(host);
    EXPECT_EQ(g_hostCommands, (std::vector<WPARAM>{MAKEWPARAM(6, EN_SETFOCUS), MAKEWPARAM(6, EN_KILLFOCUS)}));

    struct Case {
        WPARAM start;
        LPARAM end;
        DWORD selectedStart;
        DWORD selectedEnd;
    };
    const Case cases[] = {
        {0, -1, 0, 12},                      // all of it
        {8, 3, 3, 8},                        // either way round
        {2, 400, 2, 12},                     // cut to the text
        {static_cast<WPARAM>(-1), 0, 12, 12},  // none, the caret at the old end
    };
    SendMessageW(edit, EM_SETSEL, 0, -1);
    for (const Case& c : cases) {
        SendMessageW(edit, EM_SETSEL, c.start, c.end);
        DWORD start = 99, end = 99;
        LRESULT both = SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, c.selectedStart) << c.start << "," << c.end;
        EXPECT_EQ(end, c.selectedEnd) << c.start << "," << c.end;
        EXPECT_EQ(both, MAKELONG(c.selectedStart, c.selectedEnd));
    }
    DestroyWindow(host);
}

}  // namespace
