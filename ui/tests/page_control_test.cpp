// The window, page and control classes with the factory, and the labels
// and meters, driven in-process on a real window of the emulated device.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "device_fixture.h"
#include "graphics/compositing.h"
#include "graphics/dib24.h"
#include "graphics/image_table.h"
#include "graphics/screen_metrics.h"
#include "program_files.h"
#include "ui/control.h"
#include "ui/control_factory.h"
#include "ui/drawing_primitives.h"
#include "ui/image_control.h"
#include "ui/list_control.h"
#include "ui/meter_bar.h"
#include "ui/page.h"
#include "ui/skin_window.h"
#include "ui/text_label.h"

namespace {

using Log = std::vector<std::string>;

// A kind only the test window answers: a RecordingControl.
const int kRecordingKind = 300;
const COLORREF kControlColour = RGB(255, 0, 0);

std::string StylusName(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        return "down";
    case WM_MOUSEMOVE:
        return "move";
    case WM_LBUTTONUP:
        return "up";
    }
    return "other";
}

std::string StylusEntry(const char* what, int id, UINT message, LPARAM point)
{
    return std::string(what) + " " + std::to_string(id) + " " + StylusName(message) + " " +
           std::to_string((short)LOWORD(point)) + "," + std::to_string((short)HIWORD(point));
}

// Writes focus changes and stylus input to the shared log and fills its
// rectangle when drawn.
class RecordingControl : public Control {
public:
    RecordingControl(Page* page, Log* log) : Control(page), log_(log) {}

    void Draw(HDC dc, const PAINTSTRUCT*) override
    {
        ++draws;
        FillColour(dc, rect.left, rect.top, rect.right, rect.bottom, kControlColour);
    }
    void SetFocused(BOOL focused, BOOL redraw) override
    {
        log_->push_back((focused ? "focus " : "blur ") + std::to_string(id));
        Control::SetFocused(focused, redraw);
    }
    BOOL OnStylus(UINT message, WPARAM, LPARAM point) override
    {
        log_->push_back(StylusEntry("stylus", id, message, point));
        return TRUE;
    }

    int draws = 0;

private:
    Log* log_;
};

class TestPage : public Page {
public:
    TestPage(SkinWindow* window, Log* log) : Page(window), log_(log) {}

    void OnFocusChanged() override { log_->push_back("changed"); }
    void OnControlStylus(UINT message, WPARAM, LPARAM point, Control* control) override
    {
        log_->push_back(StylusEntry("passive", control->id, message, point));
        passiveControl = control;
    }

    Control* passiveControl = nullptr;

private:
    Log* log_;
};

// Makes meters with its three pictures and recording controls, and keeps
// every rectangle it is asked to invalidate.
class TestWindow : public SkinWindow {
public:
    explicit TestWindow(Log* log) : SkinWindow(NULL), log_(log) {}

    void InvalidateClient(const RECT* rect) override
    {
        invalidated.push_back(*rect);
        SkinWindow::InvalidateClient(rect);
    }
    Control* CreateCustomControl(const ControlDesc* desc, Page* page) override
    {
        if (desc->kind == CONTROL_KIND_METER_BAR)
            return new MeterBar(page, desc->param, meterImages);
        if (desc->kind == kRecordingKind)
            return new RecordingControl(page, log_);
        return NULL;
    }

    std::vector<RECT> invalidated;
    SkinImage* meterImages[METER_IMAGE_COUNT] = {};

private:
    Log* log_;
};

TestWindow* g_window = nullptr;

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (g_window)
        return g_window->WindowProc(window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

ControlDesc Record(int id, int kind, int x, int y, int width, int height, int visible = 1, int flags = 0,
                   int group = 0)
{
    return ControlDesc{id, kind, x, y, width, height, visible, 0, flags, group};
}

::testing::AssertionResult RectIs(const RECT& r, LONG left, LONG top, LONG right, LONG bottom)
{
    if (r.left == left && r.top == top && r.right == right && r.bottom == bottom)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "rect is " << r.left << "," << r.top << "," << r.right << ","
                                         << r.bottom;
}

// A stylus point as the window procedure gets it.
LPARAM StylusPoint(int x, int y)
{
    return (LPARAM)MAKELONG(x, y);
}

RecordingControl* Recording(Page* page, int id)
{
    return dynamic_cast<RecordingControl*>(page->FindControl(id));
}

class PageTest : public testsupport::DeviceFixture {
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        // The scale is process-wide; an earlier test may have left a VGA one.
        ComputeScreenMetrics();
        WNDCLASSW wc = {};
        wc.lpfnWndProc = TestWindowProc;
        wc.lpszClassName = u"PageTestWindow";
        // Classes belong to the process, which outlives each test's device.
        RegisterClassW(&wc);
        window_ = new TestWindow(&log_);
        g_window = window_;
        hwnd_ = CreateWindowExW(0, u"PageTestWindow", u"Pages", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                                nullptr, nullptr);
        ASSERT_NE(hwnd_, nullptr);
        window_->AttachWindow(hwnd_);
        page_.reset(new TestPage(window_, &log_));
    }
    void TearDown() override
    {
        DropWindow();
        DeviceFixture::TearDown();
    }

    // Pages go before their window, the window before the device.
    void DropWindow()
    {
        page_.reset();
        if (hwnd_)
            DestroyWindow(hwnd_);
        hwnd_ = nullptr;
        g_window = nullptr;
        if (window_) {
            for (SkinImage* image : window_->meterImages) {
                if (image)
                    ReleaseImage(image, FALSE);
            }
        }
        delete window_;
        window_ = nullptr;
        PurgeImages();
    }

    void Build(Page* page, const std::vector<ControlDesc>& table)
    {
        CreateControlsFromTable(page, table.data(), (int)table.size());
    }

    // What the log gathered since the last call.
    Log Take()
    {
        Log taken;
        taken.swap(log_);
        return taken;
    }

    Log log_;
    TestWindow* window_ = nullptr;
    HWND hwnd_ = nullptr;
    std::unique_ptr<TestPage> page_;
};

int ControlCount(const Page* page)
{
    int count = 0;
    for (Control* control = page->FirstControl(); control; control = control->next)
        ++count;
    return count;
}

PAINTSTRUCT PaintOf(LONG left, LONG top, LONG right, LONG bottom)
{
    PAINTSTRUCT paint = {};
    paint.rcPaint.left = left;
    paint.rcPaint.top = top;
    paint.rcPaint.right = right;
    paint.rcPaint.bottom = bottom;
    return paint;
}

TEST_F(PageTest, FactoryMakesEachKnownRecordScalesItAndIndexesTheLaterOfTwoIds)
{
    // Nothing at all: no controls, no focus, the keyboard on the window.
    CreateControlsFromTable(page_.get(), nullptr, 3);
    CreateControlsFromTable(nullptr, nullptr, 3);
    ControlDesc unused = Record(0, CONTROL_KIND_TEXT_LABEL, 0, 0, 1, 1);
    CreateControlsFromTable(page_.get(), &unused, 0);
    EXPECT_EQ(page_->FirstControl(), nullptr);
    EXPECT_EQ(page_->FindControl(0), nullptr);
    HWND other = CreateWindowExW(0, u"PageTestWindow", u"Other", WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
    SetFocus(other);
    ASSERT_EQ(GetFocus(), other);
    page_->FocusFirstControl();
    EXPECT_EQ(page_->FocusedControl(), nullptr);
    EXPECT_EQ(GetFocus(), hwnd_);
    EXPECT_EQ(Take(), (Log{"changed"}));
    DestroyWindow(other);

    Build(page_.get(), {
        Record(0, CONTROL_KIND_TEXT_LABEL, 5, 20, 30, 10, 1, LABEL_FORMAT_CENTRE),
        Record(1, CONTROL_KIND_TEXT_LABEL, 5, 40, 30, 10, 1, 2),
        Record(2, CONTROL_KIND_IMAGE, 5, 60, 30, 10, 1, 4, 1),
        Record(3, kRecordingKind, 40, 0, 10, 10),
        Record(3, kRecordingKind, 60, 0, 10, 10),
        Record(4, kRecordingKind, 80, 0, 10, 10, 0),
        Record(6, kRecordingKind, 100, 0, 10, 10, 1, 0, 1),
        // A reserved kind nobody makes, then the list.
        Record(9, 7, 0, 0, 10, 10),
        Record(8, CONTROL_KIND_LIST, 0, 0, 10, 10),
        Record(7, CONTROL_KIND_METER_BAR, 0, 80, 113, 18, 0),
    });
    EXPECT_EQ(ControlCount(page_.get()), 9);

    TextLabel* centred = dynamic_cast<TextLabel*>(page_->FindControl(0));
    ASSERT_NE(centred, nullptr);
    EXPECT_TRUE(RectIs(centred->rect, 5, 19, 35, 31)) << "a pixel more above and below";
    EXPECT_EQ(centred->format, (UINT)LABEL_FORMAT_CENTRE);
    EXPECT_TRUE(centred->visible);
    EXPECT_FALSE(centred->CanFocus());
    ASSERT_NE(page_->FindControl(1), nullptr);
    EXPECT_TRUE(RectIs(page_->FindControl(1)->rect, 5, 40, 35, 50));
    ImageControl* image = dynamic_cast<ImageControl*>(page_->FindControl(2));
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(RectIs(image->rect, 5, 60, 35, 70)) << "only labels grow";
    EXPECT_EQ(image->group, 1);
    EXPECT_FALSE(image->CanFocus());
    MeterBar* meter = dynamic_cast<MeterBar*>(page_->FindControl(7));
    ASSERT_NE(meter, nullptr);
    EXPECT_FALSE(meter->visible);
    EXPECT_TRUE(meter->CanFocus());
    EXPECT_EQ(meter->id, 7);

    // The id table: the later of two controls with one id, holes and ids
    // past the end answer none; the skipped records left no entry.
    RecordingControl* earlier = dynamic_cast<RecordingControl*>(page_->FirstControl()->next->next->next);
    RecordingControl* later = Recording(page_.get(), 3);
    ASSERT_NE(earlier, nullptr);
    ASSERT_NE(later, nullptr);
    EXPECT_NE(earlier, later);
    EXPECT_EQ(later->rect.left, 60);
    EXPECT_EQ(page_->FindControl(5), nullptr);
    EXPECT_EQ(page_->FindControl(9), nullptr);
    ListControl* list = dynamic_cast<ListControl*>(page_->FindControl(8));
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(RectIs(list->innerRect, 0, 0, 10, 10));
    EXPECT_TRUE(list->CanFocus());
    EXPECT_EQ(page_->FindControl(-1), nullptr);

    // Drawing: both of the same id, not the hidden one nor the other
    // group, and only what meets the paint rectangle.
    page_->ActivatePage(FALSE);
    HDC dc = CreateCompatibleDC(NULL);
    HBITMAP bitmap = CreateDib24(dc, 120, 100);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    PAINTSTRUCT all = PaintOf(0, 0, 120, 100);
    page_->Draw(dc, &all);
    RecordingControl* hidden = Recording(page_.get(), 4);
    RecordingControl* otherGroup = Recording(page_.get(), 6);
    EXPECT_EQ(earlier->draws, 1);
    EXPECT_EQ(later->draws, 1);
    EXPECT_EQ(hidden->draws, 0);
    EXPECT_EQ(otherGroup->draws, 0);
    PAINTSTRUCT edge = PaintOf(0, 0, 40, 10);
    page_->Draw(dc, &edge);
    EXPECT_EQ(earlier->draws, 1) << "a paint rectangle that ends where the control starts";
    PAINTSTRUCT left = PaintOf(0, 0, 41, 10);
    page_->Draw(dc, &left);
    EXPECT_EQ(earlier->draws, 2);
    EXPECT_EQ(later->draws, 1);
    SelectObject(dc, previous);
    DeleteDib24(bitmap);
    DeleteDC(dc);

    // Last, since a VGA screen stays flagged for the process: layouts
    // double, after the label has grown.
    DropWindow();
    UseProfile("vga");
    ComputeScreenMetrics();
    TestWindow vgaWindow(&log_);
    TestPage vgaPage(&vgaWindow, &log_);
    Build(&vgaPage, {
        Record(1, CONTROL_KIND_TEXT_LABEL, 5, 20, 30, 10, 1, LABEL_FORMAT_VCENTRE),
        Record(2, kRecordingKind, 3, 5, 7, 9),
    });
    ASSERT_EQ(ControlCount(&vgaPage), 2);
    EXPECT_TRUE(RectIs(vgaPage.FindControl(1)->rect, 10, 38, 70, 62));
    EXPECT_TRUE(RectIs(vgaPage.FindControl(2)->rect, 6, 10, 20, 28));
}

TEST_F(PageTest, FocusMovesOverFocusableVisibleControlsOfTheGroupAndWraps)
{
    Build(page_.get(), {
        Record(1, kRecordingKind, 0, 0, 10, 10),
        Record(2, CONTROL_KIND_TEXT_LABEL, 0, 10, 10, 10),
        Record(3, kRecordingKind, 0, 20, 10, 10, 0),
        Record(4, kRecordingKind, 0, 30, 10, 10, 1, 0, 1),
        Record(5, kRecordingKind, 0, 40, 10, 10),
        Record(6, kRecordingKind, 0, 50, 10, 10),
    });
    page_->FindControl(6)->focusable = FALSE;

    page_->FocusFirstControl();
    EXPECT_EQ(Take(), (Log{"focus 1", "changed"}));
    page_->MoveFocus(VK_DOWN);
    EXPECT_EQ(Take(), (Log{"blur 1", "focus 5", "changed"}));
    page_->MoveFocus(VK_DOWN);
    EXPECT_EQ(Take(), (Log{"blur 5", "focus 1", "changed"})) << "down from the last wraps to the first";
    page_->MoveFocus(VK_UP);
    EXPECT_EQ(Take(), (Log{"blur 1", "focus 5", "changed"})) << "up from the first wraps to the last";
    page_->MoveFocus(VK_UP);
    EXPECT_EQ(Take(), (Log{"blur 5", "focus 1", "changed"}));
    EXPECT_EQ(page_->FocusedControl(), page_->FindControl(1));

    // A label, an unknown id: the focus stays, the page still hears of it.
    page_->FocusControlById(2);
    EXPECT_EQ(Take(), (Log{"changed"}));
    page_->FocusControlById(42);
    EXPECT_EQ(Take(), (Log{"changed"}));
    EXPECT_EQ(page_->FocusedControl(), page_->FindControl(1));
    page_->FocusControlById(5);
    EXPECT_EQ(Take(), (Log{"blur 1", "focus 5", "changed"}));
    EXPECT_EQ(page_->FocusedControl(), page_->FindControl(5));

    // One focusable control keeps the focus either way, without a word.
    TestPage single(window_, &log_);
    Build(&single, {
        Record(1, CONTROL_KIND_TEXT_LABEL, 0, 0, 10, 10),
        Record(2, kRecordingKind, 0, 10, 10, 10),
        Record(3, kRecordingKind, 0, 20, 10, 10, 0),
    });
    single.MoveFocus(VK_UP);
    EXPECT_EQ(single.FocusedControl(), nullptr) << "up without a focused control does not start";

    // Down without a focused control may land on the very first control.
    TestPage unfocused(window_, &log_);
    Build(&unfocused, {
        Record(1, kRecordingKind, 0, 0, 10, 10),
        Record(2, kRecordingKind, 0, 10, 10, 10),
    });
    unfocused.MoveFocus(VK_DOWN);
    EXPECT_EQ(Take(), (Log{"focus 1", "changed"}));
    single.FocusFirstControl();
    EXPECT_EQ(Take(), (Log{"focus 2", "changed"}));
    single.MoveFocus(VK_DOWN);
    single.MoveFocus(VK_UP);
    EXPECT_EQ(Take(), Log{});
    EXPECT_EQ(single.FocusedControl(), single.FindControl(2));
}

TEST_F(PageTest, StylusGoesToTheCaptureElseFocusesTheHitControlOrReachesThePage)
{
    Build(page_.get(), {
        Record(1, CONTROL_KIND_TEXT_LABEL, 0, 0, 40, 20),
        Record(2, kRecordingKind, 0, 30, 40, 20),
        Record(3, kRecordingKind, 0, 60, 40, 20),
        // Earlier in the list, so it would win the hit if it were not
        // skipped.
        Record(4, kRecordingKind, 50, 0, 40, 20),
        Record(5, CONTROL_KIND_TEXT_LABEL, 50, 0, 40, 20),
    });
    page_->FindControl(2)->tapActivates = FALSE;
    page_->FindControl(4)->ignoresStylus = TRUE;

    EXPECT_FALSE(page_->OnStylus(WM_LBUTTONDOWN, MK_LBUTTON, StylusPoint(10, 10)));
    EXPECT_EQ(Take(), (Log{"passive 1 down 10,10"}));
    EXPECT_EQ(page_->passiveControl, page_->FindControl(1));
    EXPECT_FALSE(page_->OnStylus(WM_LBUTTONDOWN, MK_LBUTTON, StylusPoint(150, 150)));
    EXPECT_FALSE(page_->OnStylus(WM_LBUTTONUP, 0, StylusPoint(150, 150)));
    EXPECT_EQ(Take(), Log{}) << "empty space";
    page_->OnStylus(WM_LBUTTONDOWN, MK_LBUTTON, StylusPoint(60, 10));
    EXPECT_EQ(Take(), (Log{"passive 5 down 60,10"}));
    EXPECT_EQ(page_->FocusedControl(), nullptr);

    // Without tapActivates the tap that focuses is not passed on; input
    // after it is.
    window_->invalidated.clear();
    EXPECT_FALSE(page_->OnStylus(WM_LBUTTONDOWN, MK_LBUTTON, StylusPoint(10, 40)));
    EXPECT_EQ(Take(), (Log{"focus 2", "changed"}));
    EXPECT_EQ(page_->FocusedControl(), page_->FindControl(2));
    ASSERT_FALSE(window_->invalidated.empty());
    EXPECT_TRUE(RectIs(window_->invalidated.back(), 0, 0, 240, 320)) << "the whole page";
    page_->OnStylus(WM_LBUTTONUP, 0, StylusPoint(10, 40));
    page_->OnStylus(WM_LBUTTONDOWN, MK_LBUTTON, StylusPoint(12, 41));
    EXPECT_EQ(Take(), (Log{"stylus 2 up 10,40", "stylus 2 down 12,41"}));

    // With it the focusing tap acts too.
    page_->OnStylus(WM_LBUTTONDOWN, MK_LBUTTON, StylusPoint(39, 79));
    EXPECT_EQ(Take(), (Log{"blur 2", "focus 3", "changed", "stylus 3 down 39,79"}));

    // The capture takes everything, anywhere, and focus stays put.
    page_->SetStylusCapture(page_->FindControl(2));
    EXPECT_TRUE(page_->OnStylus(WM_MOUSEMOVE, MK_LBUTTON, StylusPoint(150, 150)));
    EXPECT_TRUE(page_->OnStylus(WM_LBUTTONDOWN, MK_LBUTTON, StylusPoint(10, 70)));
    EXPECT_TRUE(page_->OnStylus(WM_LBUTTONUP, 0, StylusPoint(10, 10)));
    EXPECT_EQ(Take(), (Log{"stylus 2 move 150,150", "stylus 2 down 10,70", "stylus 2 up 10,10"}));
    EXPECT_EQ(page_->FocusedControl(), page_->FindControl(3));
    page_->SetStylusCapture(nullptr);
    EXPECT_FALSE(page_->OnStylus(WM_MOUSEMOVE, MK_LBUTTON, StylusPoint(150, 150)));
    EXPECT_EQ(Take(), Log{});
}

TEST_F(PageTest, AHiddenPageDrawsNothingEvenWithVisibleControls)
{
    // Hidden by its record; showing the page shows it anyway.
    Build(page_.get(), {Record(1, kRecordingKind, 2, 2, 6, 6, 0)});
    HDC dc = CreateCompatibleDC(NULL);
    HBITMAP bitmap = CreateDib24(dc, 12, 12);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    PAINTSTRUCT all = PaintOf(0, 0, 12, 12);
    const COLORREF white = RGB(255, 255, 255);

    page_->Show(TRUE, TRUE);
    FillColour(dc, 0, 0, 12, 12, white);
    page_->Draw(dc, &all);
    EXPECT_EQ(GetPixel(dc, 4, 4), kControlColour);

    page_->Show(FALSE, TRUE);
    EXPECT_FALSE(page_->IsLive());
    EXPECT_FALSE(page_->FindControl(1)->visible);
    FillColour(dc, 0, 0, 12, 12, white);
    page_->Draw(dc, &all);
    EXPECT_EQ(GetPixel(dc, 4, 4), white);
    page_->FindControl(1)->visible = TRUE;
    page_->Draw(dc, &all);
    EXPECT_EQ(GetPixel(dc, 4, 4), white) << "a page that is not live";

    SelectObject(dc, previous);
    DeleteDib24(bitmap);
    DeleteDC(dc);
}

TEST_F(PageTest, LabelTextRepaintsOnlyWhenItChanges)
{
    Build(page_.get(), {Record(1, CONTROL_KIND_TEXT_LABEL, 10, 20, 50, 12)});
    TextLabel* label = dynamic_cast<TextLabel*>(page_->FindControl(1));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text, nullptr) << "text number 0 is set by the page";
    ValidateRect(hwnd_, NULL);
    window_->invalidated.clear();

    WCHAR shown[] = u"Full";
    label->SetText(shown);
    ASSERT_EQ(window_->invalidated.size(), 1u);
    EXPECT_TRUE(RectIs(window_->invalidated[0], 10, 20, 60, 32));
    RECT update;
    ASSERT_TRUE(GetUpdateRect(hwnd_, &update, FALSE));
    EXPECT_TRUE(RectIs(update, 10, 20, 61, 33)) << "a pixel more to the right and below";
    ASSERT_NE(label->text, nullptr);
    EXPECT_EQ(std::u16string(label->text), u"Full");
    EXPECT_EQ(label->textLength, 4);

    label->SetText(shown);
    EXPECT_EQ(window_->invalidated.size(), 1u) << "the same text";
    shown[0] = u'B';
    EXPECT_EQ(std::u16string(label->text), u"Full") << "the label keeps its own copy";
    label->SetText(shown);
    EXPECT_EQ(window_->invalidated.size(), 2u);
    EXPECT_EQ(std::u16string(label->text), u"Bull");

    label->SetText(NULL);
    EXPECT_EQ(window_->invalidated.size(), 3u);
    EXPECT_EQ(label->text, nullptr);
    EXPECT_EQ(label->textLength, 0);

    // A hidden label changes without repainting.
    label->SetVisible(FALSE, TRUE);
    label->SetText(u"Empty");
    EXPECT_EQ(window_->invalidated.size(), 3u);
    EXPECT_EQ(std::u16string(label->text), u"Empty");
}

std::string DeviceImageFile(const std::string& relative)
{
    std::ifstream in(std::string(QM_DEVICE_IMAGE) + "/Program Files/Quib Monitor/" + relative, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A 24-bit bitmap in a memory DC, as the back buffer is, read back whole.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height)
    {
        dc_ = CreateCompatibleDC(NULL);
        bitmap_ = CreateDib24(dc_, width, height);
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas()
    {
        SelectObject(dc_, previous_);
        DeleteDib24(bitmap_);
        DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }
    void Clear(COLORREF colour) { FillColour(dc_, 0, 0, width_, height_, colour); }
    std::vector<COLORREF> Pixels() const
    {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x)
                pixels.push_back(GetPixel(dc_, x, y));
        }
        return pixels;
    }

private:
    int width_;
    int height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

class MeterBarTest : public PageTest {
protected:
    static const int kWidth = 200;
    static const int kHeight = 40;
    // The meter's rectangle starts at (10, 10); its pictures 2 pixels in.
    static const int kPictureX = 12;
    static const int kPictureY = 12;
    static constexpr COLORREF kBackground = RGB(40, 80, 160);

    void SetUp() override
    {
        PageTest::SetUp();
        const char* names[METER_IMAGE_COUNT] = {"progress", "progress_gray", "progress2"};
        for (int i = 0; i < METER_IMAGE_COUNT; ++i) {
            std::string relative = std::string("graphics/") + names[i] + ".tga";
            std::string bytes = DeviceImageFile(relative);
            ASSERT_FALSE(bytes.empty()) << relative;
            WriteHostFile(testsupport::ProgramFile(relative), bytes);
            std::u16string path = std::u16string(testsupport::ProgramDirectory()) + u"graphics\\" +
                                  std::u16string(names[i], names[i] + strlen(names[i])) + u".tga";
            window_->meterImages[i] = GetTgaImage(path.c_str());
            ASSERT_NE(window_->meterImages[i], nullptr) << relative;
            ASSERT_TRUE(window_->meterImages[i]->HasAlphaImage()) << relative;
        }
        // Wider than its pictures, so that a bar drawn past them shows.
        Build(page_.get(), {Record(1, CONTROL_KIND_METER_BAR, 10, 10, 160, 18)});
        meter_ = dynamic_cast<MeterBar*>(page_->FindControl(1));
        ASSERT_NE(meter_, nullptr);
    }

    const AlphaImage* Picture(int which) const { return window_->meterImages[which]->alphaImage; }

    // The track alone, or with a whole fill picture over it.
    std::vector<COLORREF> Expected(int fill)
    {
        Canvas canvas(kWidth, kHeight);
        canvas.Clear(kBackground);
        DrawAlphaImage(canvas.Dc(), Picture(METER_IMAGE_TRACK), kPictureX, kPictureY);
        if (fill >= 0)
            DrawAlphaImage(canvas.Dc(), Picture(fill), kPictureX, kPictureY);
        return canvas.Pixels();
    }

    std::vector<COLORREF> Drawn()
    {
        Canvas canvas(kWidth, kHeight);
        canvas.Clear(kBackground);
        PAINTSTRUCT paint = PaintOf(0, 0, kWidth, kHeight);
        meter_->Draw(canvas.Dc(), &paint);
        return canvas.Pixels();
    }

    // The drawn bar is the filled picture left of column kPictureX +
    // filled and the bare track from there on; nothing else changed.
    ::testing::AssertionResult FilledTo(int filled, int fill = METER_IMAGE_FILL)
    {
        std::vector<COLORREF> drawn = Drawn();
        std::vector<COLORREF> full = Expected(fill);
        std::vector<COLORREF> track = Expected(-1);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                size_t at = (size_t)y * kWidth + x;
                COLORREF expected = x < kPictureX + filled ? full[at] : track[at];
                if (drawn[at] != expected)
                    return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << std::hex
                                                         << drawn[at] << ", not " << expected;
            }
        }
        return ::testing::AssertionSuccess();
    }

    MeterBar* meter_ = nullptr;
};

TEST_F(MeterBarTest, FillFollowsTheValueWithinThePictureWidth)
{
    const int width = (int)Picture(METER_IMAGE_FILL)->width;
    ASSERT_EQ(width, 109);
    // The probes only tell fill from track where the fill covers it: its
    // body runs from column 1 to 107 of the picture, the track lies under
    // all of it.
    const int middle = kPictureY + 7;
    std::vector<COLORREF> full = Expected(METER_IMAGE_FILL);
    std::vector<COLORREF> track = Expected(-1);
    for (int column : {1, 35, 36, 53, 54, 72, 73, 107}) {
        size_t at = (size_t)middle * kWidth + kPictureX + column;
        ASSERT_NE(full[at], track[at]) << "column " << column;
    }

    EXPECT_TRUE(FilledTo(54)) << "the default 50 of 100: 54.5 pixels";
    meter_->maximum = 3;
    meter_->value = 2;
    EXPECT_TRUE(FilledTo(72)) << "72.67 pixels, truncated";
    meter_->value = 1;
    EXPECT_TRUE(FilledTo(36));
    meter_->maximum = 0;
    EXPECT_TRUE(FilledTo(0)) << "no maximum: the track only";
    meter_->maximum = 100;
    meter_->value = 250;
    EXPECT_TRUE(FilledTo(width)) << "past the maximum: the whole picture and no more";
    meter_->value = 100;
    EXPECT_TRUE(FilledTo(width));
    meter_->value = -5;
    EXPECT_TRUE(FilledTo(0)) << "below zero: empty";

    meter_->value = 100;
    meter_->alternate = TRUE;
    EXPECT_TRUE(FilledTo(width, METER_IMAGE_ALTERNATE_FILL));
    EXPECT_NE(Expected(METER_IMAGE_ALTERNATE_FILL), full) << "the second fill differs from the first";

    // Without the fill picture nothing is drawn, not even the track.
    SkinImage* fill = window_->meterImages[METER_IMAGE_FILL];
    window_->meterImages[METER_IMAGE_FILL] = nullptr;
    std::vector<COLORREF> drawn = Drawn();
    window_->meterImages[METER_IMAGE_FILL] = fill;
    EXPECT_EQ(drawn, std::vector<COLORREF>(drawn.size(), kBackground));
}

}  // namespace
