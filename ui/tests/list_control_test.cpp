// The list control on a real window of the emulated device: keys and
// their wrap, paging into view, stylus on the rows and on the scroll bar,
// the scroll-bar geometry and the drawn list.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "device_fixture.h"
#include "graphics/dib24.h"
#include "graphics/screen_metrics.h"
#include "ui/control_desc.h"
#include "ui/control_factory.h"
#include "ui/drawing_primitives.h"
#include "ui/list_control.h"
#include "ui/page.h"
#include "ui/skin_window.h"

namespace {

// Logs what the list tells its page; OnListEdge and OnControlAction
// answer as set.
class ListPage : public Page {
public:
    explicit ListPage(SkinWindow* window) : Page(window) {}

    void OnControlChanged(Control*) override { log += "changed "; }
    BOOL OnControlAction(Control*) override
    {
        log += "action ";
        return actionTaken;
    }
    BOOL OnListEdge(Control*, BOOL atTop) override
    {
        log += atTop ? "top " : "bottom ";
        return edgeTaken;
    }
    void OnListMoved(Control*) override { log += "moved "; }
    std::string Take()
    {
        std::string taken;
        taken.swap(log);
        return taken;
    }

    std::string log;
    BOOL edgeTaken = FALSE;
    BOOL actionTaken = FALSE;
};

SkinWindow* g_window = nullptr;

LRESULT CALLBACK ListWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (g_window)
        return g_window->WindowProc(window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

// A 100 × 100 list at the origin with rows 10 pixels high: 10 full rows,
// 9 that the scroll bar counts; the bar is x 87-100, its track y 20-80.
class ListTest : public testsupport::DeviceFixture {
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        ComputeScreenMetrics();
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ListWindowProc;
        wc.lpszClassName = u"ListTestWindow";
        RegisterClassW(&wc);
        g_window = window_ = new SkinWindow(NULL);
        hwnd_ = CreateWindowExW(0, u"ListTestWindow", u"List", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                                nullptr, nullptr);
        ASSERT_NE(hwnd_, nullptr);
        window_->AttachWindow(hwnd_);
        page_.reset(new ListPage(window_));
        ControlDesc record = {1, CONTROL_KIND_LIST, 0, 0, 100, 100, 1, 0, 0, 0};
        CreateControlsFromTable(page_.get(), &record, 1);
        list_ = dynamic_cast<ListControl*>(page_->FindControl(1));
        ASSERT_NE(list_, nullptr);
        page_->Show(TRUE, TRUE);
        list_->rowHeight = 10;
        list_->displayColumn = 1;
    }
    void TearDown() override
    {
        page_.reset();
        DestroyWindow(hwnd_);
        g_window = nullptr;
        delete window_;
        DeviceFixture::TearDown();
    }

    // Rows "Row 1", "Row 2" ... "Row 0", "Row 1" ..., bound to the list.
    void Fill(int rows, int current)
    {
        table_.reset(new StringTable(1));
        for (int i = 1; i <= rows; ++i)
            StringTable::SetCell(table_->AddRow(), 1, (u"Row " + std::u16string(1, u'0' + i % 10)).c_str());
        table_->currentRow = current;
        list_->SetData(table_.get());
        page_->Take();
    }
    int Current() const { return table_->currentRow; }
    BOOL Stylus(UINT message, int x, int y)
    {
        return page_->OnStylus(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, (LPARAM)MAKELONG(x, y));
    }
    // TRUE when the hold timer ran, which stops it.
    BOOL HoldTimerRan() { return KillTimer(hwnd_, LIST_HOLD_TIMER_ID); }

    SkinWindow* window_ = nullptr;
    HWND hwnd_ = nullptr;
    std::unique_ptr<ListPage> page_;
    std::unique_ptr<StringTable> table_;
    ListControl* list_ = nullptr;
};

TEST_F(ListTest, StartsWithTheDefaultFontsHeightAndABarScaledWithTheScreen)
{
    ListControl qvga(page_.get());
    EXPECT_EQ(qvga.rowHeight, TextHeightDefault(NULL));
    EXPECT_GT(qvga.rowHeight, 0);
    EXPECT_EQ(qvga.highlightColour, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(qvga.highlightTextColour, GetSysColor(COLOR_HIGHLIGHTTEXT));
    EXPECT_TRUE(qvga.scrollBarWidth == 13 && qvga.arrowHeight == 20);
    UseProfile("vga");
    ComputeScreenMetrics();
    ListControl vga(page_.get());
    EXPECT_TRUE(vga.scrollBarWidth == 26 && vga.arrowHeight == 40);
}

TEST_F(ListTest, KeysMoveTheSelectionWrapAtTheEndsUnlessThePageTakesTheEdge)
{
    struct Case {
        int current;
        UINT message;
        WPARAM key;
        BOOL pageAnswers;  // OnListEdge, OnControlAction
        BOOL handled;
        int after;
        const char* log;
    };
    const Case cases[] = {
        {3, WM_KEYDOWN, VK_DOWN, FALSE, TRUE, 4, "changed moved "},
        {3, WM_KEYDOWN, VK_UP, FALSE, TRUE, 2, "changed moved "},
        {1, WM_KEYDOWN, VK_UP, FALSE, TRUE, 5, "top changed moved "},
        {5, WM_KEYDOWN, VK_DOWN, FALSE, TRUE, 1, "bottom changed moved "},
        {1, WM_KEYDOWN, VK_UP, TRUE, TRUE, 1, "top "},
        {5, WM_KEYDOWN, VK_DOWN, TRUE, TRUE, 5, "bottom "},
        {0, WM_KEYDOWN, VK_DOWN, FALSE, TRUE, 1, "changed moved "},
        {0, WM_KEYDOWN, VK_UP, FALSE, TRUE, 5, "changed moved "},
        {2, WM_KEYDOWN, VK_RETURN, FALSE, FALSE, 2, "action "},
        {2, WM_KEYDOWN, VK_RETURN, TRUE, TRUE, 2, "action "},
        {2, WM_KEYDOWN, VK_LEFT, TRUE, FALSE, 2, ""},
        {2, WM_KEYUP, VK_DOWN, TRUE, FALSE, 2, ""},
    };
    for (const Case& c : cases) {
        Fill(5, c.current);
        page_->edgeTaken = page_->actionTaken = c.pageAnswers;
        EXPECT_EQ(list_->OnKey(c.message, c.key, 0), c.handled) << c.current << " key " << c.key;
        EXPECT_EQ(Current(), c.after) << c.current << " key " << c.key;
        EXPECT_EQ(page_->Take(), c.log) << c.current << " key " << c.key;
    }

    // Without data up is left to the page; down still reports a move.
    list_->notifyOnChange = FALSE;
    list_->SetData(NULL);
    page_->Take();
    EXPECT_FALSE(list_->OnKey(WM_KEYDOWN, VK_UP, 0));
    EXPECT_TRUE(list_->OnKey(WM_KEYDOWN, VK_DOWN, 0));
    EXPECT_EQ(page_->Take(), "moved ");
}

TEST_F(ListTest, ASelectionOutOfViewPagesByAWholeView)
{
    // 30 rows: the view scrolls at most to 30 - 9 = 21. Key 0 calls
    // EnsureSelectionVisible alone.
    struct Case {
        int top, current;
        WPARAM key;
        int topAfter;
    };
    const Case cases[] = {
        {0, 5, 0, 0},     {0, 10, 0, 0},   {0, 11, 0, 9},    {15, 15, 0, 5},   {15, 16, 0, 15},
        {10, 21, 0, 19},  {15, 26, 0, 21}, {0, 30, 0, 21},   {5, 0, 0, 0},     {0, 10, VK_DOWN, 9},
        {15, 16, VK_UP, 5}, {0, 1, VK_UP, 21}, {21, 30, VK_DOWN, 0},
    };
    for (const Case& c : cases) {
        Fill(30, c.current);
        list_->topIndex = c.top;
        if (c.key)
            list_->OnKey(WM_KEYDOWN, c.key, 0);
        else
            list_->EnsureSelectionVisible();
        EXPECT_EQ(list_->topIndex, c.topAfter) << c.top << " " << c.current << " key " << c.key;
    }

    // All rows fit: no scroll bar and always the top.
    Fill(10, 9);
    EXPECT_FALSE(list_->scrollable);
    list_->topIndex = 4;
    list_->EnsureSelectionVisible();
    EXPECT_EQ(list_->topIndex, 0);
}

TEST_F(ListTest, StylusOnRowsSelectsAndDraggingOutsideScrollsOneRowPerMove)
{
    Fill(30, 1);
    EXPECT_FALSE(Stylus(WM_LBUTTONDOWN, 40, 25));
    EXPECT_EQ(page_->FocusedControl(), list_);
    EXPECT_EQ(Current(), 3);
    EXPECT_EQ(page_->StylusCapture(), list_);
    EXPECT_EQ(page_->Take(), "changed ");
    Stylus(WM_MOUSEMOVE, 40, 28);
    EXPECT_EQ(page_->Take(), "") << "the same row";

    const int belowMoves[] = {1, 2, 3};
    for (int expected : belowMoves) {
        EXPECT_TRUE(Stylus(WM_MOUSEMOVE, 40, 100));
        EXPECT_EQ(list_->topIndex, expected);
    }
    Stylus(WM_MOUSEMOVE, 40, -1);
    EXPECT_EQ(list_->topIndex, 2);
    list_->topIndex = 21;
    Stylus(WM_MOUSEMOVE, 200, 300);
    EXPECT_EQ(list_->topIndex, 21) << "no further than the last view";
    EXPECT_EQ(Current(), 3) << "scrolling leaves the selection";
    Stylus(WM_MOUSEMOVE, 40, 5);
    EXPECT_EQ(Current(), 22);

    // A press runs the hold timer until the release.
    MSG message;
    DWORD start = GetTickCount();
    ASSERT_GT(GetMessageW(&message, hwnd_, WM_TIMER, WM_TIMER), 0);
    EXPECT_EQ(message.wParam, (WPARAM)LIST_HOLD_TIMER_ID);
    EXPECT_EQ(GetTickCount() - start, 500u);
    EXPECT_TRUE(Stylus(WM_LBUTTONUP, 40, 5)) << "taken by the capture";
    EXPECT_EQ(page_->StylusCapture(), nullptr);
    EXPECT_FALSE(HoldTimerRan());

    // Ten rows fit exactly: dragging below shows them all still.
    Fill(10, 1);
    Stylus(WM_LBUTTONDOWN, 40, 5);
    Stylus(WM_MOUSEMOVE, 40, 150);
    Stylus(WM_LBUTTONUP, 40, 150);
    EXPECT_EQ(list_->topIndex, 0);

    // Below the last row of a short table: the last row.
    Fill(4, 1);
    Stylus(WM_LBUTTONDOWN, 40, 80);
    Stylus(WM_LBUTTONUP, 40, 80);
    EXPECT_EQ(Current(), 4);
    EXPECT_EQ(page_->Take(), "changed ");
    // Rows start a pixel into the list: y 0 to 10 is row 1.
    const int rowAt[][2] = {{0, 1}, {10, 1}, {11, 2}, {20, 2}, {21, 3}};
    for (const auto& tap : rowAt) {
        Stylus(WM_LBUTTONDOWN, 40, tap[0]);
        Stylus(WM_LBUTTONUP, 40, tap[0]);
        EXPECT_EQ(Current(), tap[1]) << "y " << tap[0];
    }
}

TEST_F(ListTest, ScrollBarPartsTileTheBar)
{
    struct Case {
        int top, rows, fit;
        LONG thumbTop, thumbBottom;
    };
    const Case cases[] = {
        {0, 30, 9, 20, 40},   // 18 pixels raised to the arrow height
        {10, 30, 9, 40, 60},  // 40 / 21 × 10 = 19.05, up to 20
        {0, 12, 9, 20, 65},   {3, 12, 9, 35, 80}, {1, 7, 5, 29, 71},  // 42.86 long, 8.57 down
        {0, 9, 9, 20, 80},    {0, 3, 9, 20, 80},  // all rows fit: the whole track
    };
    RECT area = {0, 0, 100, 100};
    for (const Case& c : cases) {
        RECT bar, track, up, down, pageUp, pageDown, thumb;
        list_->GetScrollBarParts(&area, c.top, c.rows, c.fit, &bar, &track, &up, &down, &pageUp, &pageDown, &thumb);
        std::string which = std::to_string(c.top) + " of " + std::to_string(c.rows);
        EXPECT_EQ(thumb.top, c.thumbTop) << which;
        EXPECT_EQ(thumb.bottom, c.thumbBottom) << which;
        EXPECT_TRUE(bar.left == 87 && bar.right == 100 && up.bottom == 20 && down.top == 80) << which;
        EXPECT_TRUE(track.top == up.bottom && track.bottom == down.top && thumb.left == 87) << which;
        EXPECT_TRUE(pageUp.top == track.top && pageUp.bottom == thumb.top && pageDown.top == thumb.bottom &&
                    pageDown.bottom == down.top)
            << which;
    }
}

TEST_F(ListTest, ScrollBarStylusStepsPagesAndDragsTheThumb)
{
    Fill(30, 1);
    struct Step {
        UINT message;
        int x, y;
        int top;
    };
    const Step steps[] = {
        // The down arrow: nothing on the press, a row per move inside it.
        {WM_LBUTTONDOWN, 93, 90, 0}, {WM_MOUSEMOVE, 93, 91, 1}, {WM_MOUSEMOVE, 93, 92, 2},
        {WM_MOUSEMOVE, 93, 50, 2}, {WM_LBUTTONUP, 93, 50, 2},
        // The page-down area, then the up arrow and the page-up area.
        {WM_LBUTTONDOWN, 93, 70, 2}, {WM_MOUSEMOVE, 93, 71, 11}, {WM_MOUSEMOVE, 93, 72, 20},
        {WM_MOUSEMOVE, 93, 79, 21}, {WM_LBUTTONUP, 93, 79, 21},
        {WM_LBUTTONDOWN, 93, 5, 21}, {WM_MOUSEMOVE, 93, 6, 20}, {WM_LBUTTONUP, 93, 6, 20},
        {WM_LBUTTONDOWN, 93, 21, 20}, {WM_MOUSEMOVE, 93, 21, 11}, {WM_MOUSEMOVE, 93, 21, 2},
        {WM_MOUSEMOVE, 93, 21, 0}, {WM_LBUTTONUP, 93, 21, 0},
        // The thumb (20-40): 40 free pixels for 21 rows; the same y and
        // more than 5 pixels beside the bar do nothing.
        {WM_LBUTTONDOWN, 93, 30, 0}, {WM_MOUSEMOVE, 93, 30, 0}, {WM_MOUSEMOVE, 93, 50, 15},
        {WM_MOUSEMOVE, 81, 60, 15}, {WM_MOUSEMOVE, 82, 61, 21}, {WM_MOUSEMOVE, 104, 30, 5},
        {WM_MOUSEMOVE, 105, 25, 5}, {WM_MOUSEMOVE, 93, 0, 0}, {WM_MOUSEMOVE, 93, 300, 21},
        {WM_LBUTTONUP, 93, 300, 21},
    };
    for (const Step& s : steps) {
        Stylus(s.message, s.x, s.y);
        EXPECT_EQ(list_->topIndex, s.top) << s.message << " at " << s.x << "," << s.y;
        EXPECT_EQ(page_->StylusCapture(), s.message == WM_LBUTTONUP ? nullptr : list_);
    }
    EXPECT_EQ(Current(), 1);
    EXPECT_EQ(page_->Take(), "");
    EXPECT_EQ(list_->scrollPart, 0);

    // The hold timer runs for an arrow, not for the thumb (60-80 now).
    Stylus(WM_LBUTTONDOWN, 93, 5);
    EXPECT_TRUE(HoldTimerRan());
    Stylus(WM_LBUTTONUP, 93, 5);
    Stylus(WM_LBUTTONDOWN, 93, 70);
    EXPECT_EQ(list_->scrollPart, (int)ListControl::SCROLL_PART_THUMB);
    EXPECT_FALSE(HoldTimerRan());
    Stylus(WM_LBUTTONUP, 93, 70);

    // Rows that all fit: the strip is still the bar's and selects nothing.
    Fill(5, 2);
    EXPECT_FALSE(list_->scrollable);
    Stylus(WM_LBUTTONDOWN, 95, 25);
    Stylus(WM_MOUSEMOVE, 95, 90);
    Stylus(WM_LBUTTONUP, 95, 90);
    EXPECT_EQ(Current(), 2);
    EXPECT_EQ(list_->topIndex, 0);
    Stylus(WM_LBUTTONDOWN, 86, 25);
    EXPECT_EQ(Current(), 3) << "left of the strip";
}

// A 130 × 130 24-bit bitmap, as the back buffer is, in the background
// colour.
class Canvas {
public:
    static constexpr COLORREF kBackground = RGB(40, 80, 160);

    Canvas() : dc_(CreateCompatibleDC(NULL)), bitmap_(CreateDib24(dc_, 130, 130)), previous_(SelectObject(dc_, bitmap_))
    {
        FillColour(dc_, 0, 0, 130, 130, kBackground);
    }
    ~Canvas()
    {
        SelectObject(dc_, previous_);
        DeleteDib24(bitmap_);
        DeleteDC(dc_);
    }
    // The list at (10, 10), 100 × 100.
    void DrawList(ListControl* list)
    {
        RECT bounds = {10, 10, 110, 110};
        list->SetBounds(&bounds, FALSE);
        list->SetData(list->data);
        PAINTSTRUCT paint = {};
        list->Draw(dc_, &paint);
    }
    // Text as the list should draw it, over a fill.
    void DrawText(const WCHAR* text, RECT area, UINT format, COLORREF fill, COLORREF colour)
    {
        FillColour(dc_, area.left - 2, area.top, area.right, area.bottom, fill);
        SetTextColor(dc_, colour);
        DrawTextTransparent(dc_, text, -1, &area, format, NULL);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
    // Every pixel of the area is as in other, or of the colour.
    bool Same(const Canvas* other, COLORREF colour, int left, int top, int right, int bottom) const
    {
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                if (At(x, y) != (other ? other->At(x, y) : colour))
                    return false;
            }
        }
        return true;
    }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

TEST_F(ListTest, DrawsRowsHighlightScrollBarAndPlaceholder)
{
    const COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0), text = RGB(0, 128, 0);
    const UINT rowFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    list_->textColour = text;
    list_->highlightColour = RGB(0, 0, 200);
    list_->highlightTextColour = RGB(255, 255, 0);
    list_->focusFrame = FALSE;
    Fill(30, 10);
    {
        // Rows from y 11 between x 11 and 96, a pixel short of the bar;
        // row 10 (101-111) is cut at the bottom by the clip, row 11 whole.
        Canvas drawn, expected;
        drawn.DrawList(list_);
        expected.DrawText(u"Row 1", RECT{13, 11, 96, 21}, rowFormat, white, text);
        expected.DrawText(u"Row 0", RECT{13, 101, 96, 111}, rowFormat, RGB(0, 0, 200), RGB(255, 255, 0));
        EXPECT_TRUE(drawn.Same(&expected, 0, 11, 11, 96, 21)) << "row 1";
        EXPECT_TRUE(drawn.Same(&expected, 0, 11, 101, 96, 110)) << "row 10";
        EXPECT_FALSE(drawn.Same(nullptr, white, 13, 11, 60, 21)) << "row 1 has text";
        EXPECT_TRUE(drawn.At(80, 95) == white && drawn.At(80, 105) == RGB(0, 0, 200)) << "only row 10 highlighted";
        EXPECT_EQ(drawn.At(80, 110), black) << "the frame below the clip";
        EXPECT_TRUE(drawn.Same(nullptr, Canvas::kBackground, 0, 111, 97, 130));

        // The bar at x 97-110: window colour, arrows and thumb (30-50 at
        // the top) in the scroll-bar colour, the up arrow's point at y 19.
        EXPECT_EQ(drawn.At(103, 70), GetSysColor(COLOR_WINDOW));
        EXPECT_EQ(drawn.At(99, 13), GetSysColor(COLOR_SCROLLBAR));
        EXPECT_EQ(drawn.At(99, 35), GetSysColor(COLOR_SCROLLBAR));
        EXPECT_EQ(drawn.At(99, 105), GetSysColor(COLOR_SCROLLBAR));
        EXPECT_EQ(drawn.At(103, 40), black) << "a grip line";
        EXPECT_TRUE(drawn.At(103, 19) == black && drawn.At(104, 19) == black && drawn.At(102, 19) != black);
        EXPECT_TRUE(drawn.At(101, 21) == black && drawn.At(106, 21) == black && drawn.At(107, 21) != black);
        EXPECT_TRUE(drawn.At(101, 99) == black && drawn.At(103, 101) == black && drawn.At(102, 101) != black);
    }

    // Transparent and unframed, without a column: only the placeholder.
    list_->displayColumn = 0;
    list_->opaque = list_->frame = FALSE;
    {
        Canvas drawn, expected;
        drawn.DrawList(list_);
        expected.DrawText(u"No list data...", RECT{11, 11, 96, 109}, DT_LEFT | DT_TOP, Canvas::kBackground, text);
        EXPECT_TRUE(drawn.Same(&expected, 0, 0, 0, 97, 130));
        EXPECT_FALSE(drawn.Same(nullptr, Canvas::kBackground, 11, 11, 96, 30));
    }
    list_->displayColumn = 1;
    list_->opaque = TRUE;
    table_->Clear();
    {
        Canvas drawn;
        drawn.DrawList(list_);
        EXPECT_TRUE(drawn.Same(nullptr, white, 11, 11, 109, 109)) << "an empty table shows nothing";
    }
}

TEST_F(ListTest, FastRedrawPaintsTheWindowAtOnceElseInvalidates)
{
    list_->highlightColour = RGB(0, 0, 200);
    Fill(30, 1);
    ValidateRect(hwnd_, NULL);
    RECT update;
    list_->OnKey(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_FALSE(GetUpdateRect(hwnd_, &update, FALSE));
    HDC screen = GetDC(hwnd_);
    EXPECT_EQ(GetPixel(screen, 50, 15), RGB(0, 0, 200)) << "row 2 highlighted on the screen";
    ReleaseDC(hwnd_, screen);

    // A control drawn over the list stays over it: a second list, opaque
    // white, covers the middle of row 7.
    ControlDesc above = {2, CONTROL_KIND_LIST, 40, 30, 40, 70, 1, 0, 0, 0};
    CreateControlsFromTable(page_.get(), &above, 1);
    table_->currentRow = 6;
    list_->OnKey(WM_KEYDOWN, VK_DOWN, 0);
    screen = GetDC(hwnd_);
    EXPECT_EQ(GetPixel(screen, 20, 65), RGB(0, 0, 200)) << "row 7 highlighted beside the control";
    EXPECT_EQ(GetPixel(screen, 60, 65), RGB(255, 255, 255)) << "the control over the list is drawn again";
    ReleaseDC(hwnd_, screen);

    list_->fastRedraw = FALSE;
    list_->OnKey(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_TRUE(GetUpdateRect(hwnd_, &update, FALSE));
}

}  // namespace
