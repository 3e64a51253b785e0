// Message boxes in one process: a helper window's timer, due once the box
// waits for input, acts on the box from inside the box's own loop.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "device_fixture.h"
#include "message_box_buttons.h"
#include "message_box_layout.h"
#include "server_connection.h"
#include "windows.h"

namespace {

constexpr DWORD kSentinel = 0xdeadbeef;
constexpr UINT_PTR kActTimer = 1;

std::function<void(HWND box)> g_action;

LRESULT CALLBACK HelperProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_TIMER && wParam == kActTimer) {
        KillTimer(hwnd, kActTimer);
        HWND box = FindWindowW(u"Dialog", nullptr);
        EXPECT_NE(box, nullptr);
        if (box && g_action)
            g_action(box);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class MessageBoxTest : public testsupport::DeviceFixture {
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        WNDCLASSW wc = {};
        wc.lpfnWndProc = HelperProc;
        wc.lpszClassName = u"BoxHelper";
        RegisterClassW(&wc);
        helper_ = CreateWindowExW(0, u"BoxHelper", u"Helper", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(helper_, nullptr);
        SetForegroundWindow(helper_);
    }
    void TearDown() override
    {
        g_action = nullptr;
        DeviceFixture::TearDown();
    }

    // Shows a box that the action answers once the box's loop runs.
    int Show(UINT style, std::function<void(HWND)> action, HWND owner = nullptr)
    {
        Arm(std::move(action));
        return MessageBoxW(owner, u"text", u"c", style);
    }

    void Arm(std::function<void(HWND)> action)
    {
        g_action = std::move(action);
        SetTimer(helper_, kActTimer, 10, nullptr);
    }

    HWND helper_ = nullptr;
};

void PostKey(HWND box, WPARAM key) { PostMessageW(box, WM_KEYDOWN, key, 0); }

// The centre of a button, in the box's client coordinates.
LPARAM ButtonPoint(UINT style, size_t index)
{
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    platform::MessageBoxLayout layout =
        platform::LayOutMessageBox(work, 96, platform::MessageBoxButtons(style).size());
    const RECT& r = layout.buttons.at(index);
    return MAKELONG((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void Stroke(HWND box, LPARAM down, LPARAM up)
{
    PostMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, down);
    PostMessageW(box, WM_LBUTTONUP, 0, up);
}

TEST_F(MessageBoxTest, KeysAnswerTheDefaultAndTheCancellingButton)
{
    struct Case {
        UINT style;
        WPARAM key;
        int answer;
    };
    const Case cases[] = {
        {MB_OK, VK_RETURN, IDOK},
        {MB_OK, VK_ESCAPE, IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON2, VK_RETURN, IDCANCEL},
        {MB_OKCANCEL, VK_ESCAPE, IDCANCEL},
        {MB_YESNO, VK_RETURN, IDYES},
        {MB_YESNO | MB_DEFBUTTON3, VK_RETURN, IDYES},
        {MB_YESNO, VK_ESCAPE, IDNO},
        {MB_YESNOCANCEL | MB_DEFBUTTON2, VK_RETURN, IDNO},
        {MB_YESNOCANCEL, VK_ESCAPE, IDCANCEL},
        {MB_RETRYCANCEL, VK_RETURN, IDRETRY},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, VK_RETURN, IDIGNORE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        EXPECT_EQ(Show(c.style, [&](HWND box) { PostKey(box, c.key); }), c.answer);
    }
    // Abort/Retry/Ignore cannot be escaped; other keys do nothing either.
    EXPECT_EQ(Show(MB_ABORTRETRYIGNORE,
                   [](HWND box) {
                       PostKey(box, VK_ESCAPE);
                       PostKey(box, VK_LEFT);
                       PostKey(box, VK_RETURN);
                   }),
              IDABORT);
}

TEST_F(MessageBoxTest, AStrokeOnOneButtonAnswersWithIt)
{
    const UINT style = MB_YESNOCANCEL;
    for (size_t i = 0; i < 3; ++i) {
        LPARAM point = ButtonPoint(style, i);
        EXPECT_EQ(Show(style, [&](HWND box) { Stroke(box, point, point); }), platform::MessageBoxButtons(style)[i]);
    }
    // Down on Yes and up on No, or a tap on the text, answers nothing.
    LPARAM yes = ButtonPoint(style, 0), no = ButtonPoint(style, 1);
    EXPECT_EQ(Show(style,
                   [&](HWND box) {
                       Stroke(box, yes, no);
                       Stroke(box, MAKELONG(20, 40), MAKELONG(20, 40));
                       PostKey(box, VK_ESCAPE);
                   }),
              IDCANCEL);
}

TEST_F(MessageBoxTest, TheBoxIsATopmostActiveWindowCentredInTheWorkArea)
{
    HWND shown = nullptr;
    int answer = Show(MB_OKCANCEL, [&](HWND box) {
        shown = box;
        WCHAR title[16] = {};
        GetWindowTextW(box, title, 16);
        EXPECT_EQ(std::u16string(title), u"c");
        EXPECT_TRUE(GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_TRUE(IsWindowVisible(box));
        EXPECT_EQ(GetActiveWindow(), box);
        EXPECT_EQ(GetFocus(), box);
        EXPECT_EQ(GetWindow(box, GW_HWNDFIRST), box);
        RECT r, work;
        GetWindowRect(box, &r);
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        EXPECT_EQ(r.left - work.left, work.right - r.right);
        EXPECT_LE(std::abs((r.top - work.top) - (work.bottom - r.bottom)), 1);
        // Closing the box is cancelling it.
        PostMessageW(box, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(answer, IDCANCEL);
    EXPECT_FALSE(IsWindow(shown));
    EXPECT_EQ(GetActiveWindow(), helper_);
}

constexpr UINT kQueued = WM_APP + 1;
bool g_boxVisibleWhenQueuedRan = true;

LRESULT CALLBACK QueuedProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == kQueued) {
        HWND box = FindWindowW(u"Dialog", nullptr);
        g_boxVisibleWhenQueuedRan = !box || IsWindowVisible(box);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

TEST_F(MessageBoxTest, TheBoxAppearsOnceQueuedMessagesAreHandled)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = QueuedProc;
    wc.lpszClassName = u"QueuedHelper";
    RegisterClassW(&wc);
    HWND queued = CreateWindowExW(0, u"QueuedHelper", u"Queued", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(queued, nullptr);
    PostMessageW(queued, kQueued, 0, 0);
    EXPECT_EQ(Show(MB_OK, [](HWND box) { PostKey(box, VK_RETURN); }), IDOK);
    EXPECT_FALSE(g_boxVisibleWhenQueuedRan);
    DestroyWindow(queued);
}

TEST_F(MessageBoxTest, TheOwnerTakesNoInputWhileItsBoxIsUp)
{
    BOOL ownerEnabled = TRUE;
    EXPECT_EQ(Show(MB_OK,
                   [&](HWND box) {
                       ownerEnabled = IsWindowEnabled(helper_);
                       PostKey(box, VK_RETURN);
                   },
                   helper_),
              IDOK);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(helper_));

    // An owner that was disabled already stays so.
    EnableWindow(helper_, FALSE);
    EXPECT_EQ(Show(MB_OK, [](HWND box) { PostKey(box, VK_RETURN); }, helper_), IDOK);
    EXPECT_FALSE(IsWindowEnabled(helper_));
}

TEST_F(MessageBoxTest, ABoxDestroyedUnansweredGivesZero)
{
    EXPECT_EQ(Show(MB_YESNO, [](HWND box) { DestroyWindow(box); }), 0);
    EXPECT_EQ(FindWindowW(u"Dialog", nullptr), nullptr);
    EXPECT_EQ(Events("msgbox-answer").back(), "msgbox-answer pid=" + std::to_string(platform::CurrentPid()) + " result=0");
}

TEST_F(MessageBoxTest, APostedQuitEndsTheBoxAtOnceAndIsPostedAgain)
{
    size_t shows = Events("window-show").size();
    PostQuitMessage(3);
    EXPECT_EQ(MessageBoxW(nullptr, u"No Language File", u"Language", MB_OK), 0);
    EXPECT_EQ(FindWindowW(u"Dialog", nullptr), nullptr);
    std::string pid = std::to_string(platform::CurrentPid());
    EXPECT_EQ(Events("msgbox"), std::vector<std::string>{"msgbox pid=" + pid +
                                                          " caption=\"Language\" text=\"No Language File\" style=0x0"});
    EXPECT_EQ(Events("msgbox-answer"), std::vector<std::string>{"msgbox-answer pid=" + pid + " result=0"});
    // The box ended before it was ever shown or active.
    EXPECT_EQ(Events("window-show").size(), shows);
    EXPECT_EQ(GetActiveWindow(), helper_);

    // A second box meets the same quit; the program's loop then sees it.
    EXPECT_EQ(MessageBoxW(nullptr, u"again", u"Language", MB_OK), 0);
    MSG msg;
    EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), 0);
    EXPECT_EQ(msg.message, UINT(WM_QUIT));
    EXPECT_EQ(msg.wParam, WPARAM(3));
}

TEST_F(MessageBoxTest, ShownAndAnsweredBoxesAreLogged)
{
    EXPECT_EQ(Show(MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION,
                   [](HWND box) { PostKey(box, VK_RETURN); }),
              IDNO);
    std::string pid = std::to_string(platform::CurrentPid());
    EXPECT_EQ(Events("msgbox"),
              std::vector<std::string>{"msgbox pid=" + pid + " caption=\"c\" text=\"text\" style=0x124"});
    EXPECT_EQ(Events("msgbox-answer"), std::vector<std::string>{"msgbox-answer pid=" + pid + " result=7"});

    // No text and no caption: an empty text under the caption "Error".
    Arm([](HWND box) { PostKey(box, VK_RETURN); });
    EXPECT_EQ(MessageBoxW(nullptr, nullptr, nullptr, MB_OK), IDOK);
    Arm([](HWND box) { PostKey(box, VK_RETURN); });
    EXPECT_EQ(MessageBoxA(nullptr, "Price \x80 5", "Caf\xe9", MB_OKCANCEL), IDOK);
    std::vector<std::string> boxes = Events("msgbox");
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[1], "msgbox pid=" + pid + " caption=\"Error\" text=\"\" style=0x0");
    EXPECT_EQ(boxes[2], "msgbox pid=" + pid + " caption=\"Caf\xc3\xa9\" text=\"Price \xe2\x82\xac 5\" style=0x1");
}

TEST_F(MessageBoxTest, AnUnknownButtonSetShowsNoBox)
{
    SetLastError(kSentinel);
    EXPECT_EQ(MessageBoxW(nullptr, u"t", u"c", 0x6), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_MSGBOX_STYLE));
    SetLastError(kSentinel);
    EXPECT_EQ(MessageBoxA(nullptr, "t", "c", 0xF), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_MSGBOX_STYLE));
    EXPECT_TRUE(Events("msgbox").empty());
    EXPECT_EQ(FindWindowW(u"Dialog", nullptr), nullptr);
}

}  // namespace
