#include <gtest/gtest.h>

#include "device_fixture.h"
#include "graphics/dib24.h"
#include "graphics/screen_metrics.h"
#include "graphics/shared_resources.h"
#include "graphics/skin_font.h"
#include "ui/drawing_primitives.h"

namespace {

using UiBaseTest = testsupport::DeviceFixture;

LONG FontHeight(HFONT font)
{
    LOGFONT description;
    EXPECT_EQ(GetObject(font, sizeof(description), &description), (int)sizeof(description));
    DeleteObject(font);
    return description.lfHeight;
}

RECT Rect(LONG left, LONG top, LONG right, LONG bottom)
{
    RECT r = {left, top, right, bottom};
    return r;
}

// The vga and square flags never clear during a process, so the screens
// are taken in one test, in an order that shows it.
TEST_F(UiBaseTest, ScreenMetricsFollowTheScreenAndKeepTheirFlags)
{
    HDC screen = GetDC(NULL);
    ComputeScreenMetrics();
    EXPECT_EQ(GetScreenMetrics().scaleX, 1.0);
    EXPECT_EQ(GetScreenMetrics().fontScale, 1);
    EXPECT_FALSE(IsVgaScreen());
    EXPECT_FALSE(IsSquareScreen());
    EXPECT_FALSE(IsLandscape());
    EXPECT_EQ(FontHeight(CreateSkinFont(screen, 8, FW_NORMAL)), -11);
    RECT r = Rect(1, 3, 5, 7);
    ScaleRect(&r);
    EXPECT_EQ(r.right, 5);
    ReleaseDC(NULL, screen);

    // 320 wide is still below the VGA threshold of 321.
    UseProfile("landscape");
    ComputeScreenMetrics();
    EXPECT_EQ(GetScreenMetrics().scaleY, 1.0);
    EXPECT_FALSE(IsVgaScreen());
    EXPECT_TRUE(IsLandscape());

    UseProfile("square");
    ComputeScreenMetrics();
    EXPECT_TRUE(IsSquareScreen());
    EXPECT_FALSE(IsLandscape());

    UseProfile("vga");
    ComputeScreenMetrics();
    screen = GetDC(NULL);
    EXPECT_EQ(GetScreenMetrics().scaleX, 2.0);
    EXPECT_TRUE(IsVgaScreen());
    EXPECT_TRUE(IsSquareScreen());
    EXPECT_EQ(GetScreenMetrics().fontScale, 1);
    EXPECT_EQ(FontHeight(CreateSkinFont(screen, 8, FW_NORMAL)), -21);
    EXPECT_FALSE(IsLandscape());  // 480 wide is portrait on a VGA screen
    r = Rect(1, 3, 5, 7);
    ScaleRect(&r);
    EXPECT_EQ(r.left, 2);
    EXPECT_EQ(r.top, 6);
    EXPECT_EQ(r.right, 10);
    EXPECT_EQ(r.bottom, 14);
    ReleaseDC(NULL, screen);

    // The same screen at 96 dpi doubles the point sizes instead.
    UseProfile("vga96");
    ComputeScreenMetrics();
    screen = GetDC(NULL);
    EXPECT_EQ(GetScreenMetrics().fontScale, 2);
    EXPECT_EQ(FontHeight(CreateSkinFont(screen, 8, FW_NORMAL)), -21);
    ReleaseDC(NULL, screen);
}

TEST_F(UiBaseTest, RoundedRatioRoundsHalvesUp)
{
    EXPECT_EQ(RoundedRatio(1, 2), 1);
    EXPECT_EQ(RoundedRatio(8 * 96, 72), 11);   // 10.67
    EXPECT_EQ(RoundedRatio(8 * 192, 72), 21);  // 21.33
    EXPECT_EQ(RoundedRatio(7 * 96, 72), 9);    // 9.33
    EXPECT_EQ(RoundedRatio(0, 72), 0);
}

// A 24-bit memory bitmap to draw on, read back as COLORREFs.
class PrimitivesTest : public testsupport::DeviceFixture {
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        HDC screen = GetDC(NULL);
        CreateSharedResources(NULL, screen);
        ReleaseDC(NULL, screen);
        dc_ = CreateCompatibleDC(NULL);
        bitmap_ = CreateDib24(dc_, 20, 20);
        previous_ = SelectObject(dc_, bitmap_);
        FillColour(dc_, 0, 0, 20, 20, RGB(255, 255, 255));
    }
    void TearDown() override
    {
        SelectObject(dc_, previous_);
        DeleteDib24(bitmap_);
        DeleteDC(dc_);
        ReleaseSharedResources();
        DeviceFixture::TearDown();
    }
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

TEST_F(PrimitivesTest, LinesLeaveTheEndPointAndFillsTheirRightAndBottomEdges)
{
    DrawLine(dc_, 2, 5, 8, 5, RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc_, 2, 5), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc_, 7, 5), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc_, 8, 5), RGB(255, 255, 255));

    FillColour(dc_, 10, 10, 12, 12, RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc_, 11, 11), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc_, 12, 11), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc_, 11, 12), RGB(255, 255, 255));

    // The outline closes on its first corner and includes the far corner.
    HGDIOBJ pen = SelectObject(dc_, GetStockObject(BLACK_PEN));
    DrawOutline(dc_, 1, 12, 6, 16);
    SelectObject(dc_, pen);
    EXPECT_EQ(GetPixel(dc_, 1, 12), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc_, 6, 16), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc_, 1, 15), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc_, 3, 14), RGB(255, 255, 255));
}

TEST_F(PrimitivesTest, TransparentTextRestoresTheDcAndHeightsComeFromTheFont)
{
    SetBkMode(dc_, OPAQUE);
    SetBkColor(dc_, RGB(0, 255, 0));
    HGDIOBJ ownFont = GetCurrentObject(dc_, OBJ_FONT);
    RECT r = Rect(0, 0, 20, 20);
    SetTextColor(dc_, RGB(0, 0, 0));
    DrawTextTransparent(dc_, TEXT("W"), -1, &r, DT_LEFT | DT_TOP, NULL);
    EXPECT_EQ(GetBkMode(dc_), OPAQUE);
    EXPECT_EQ(GetCurrentObject(dc_, OBJ_FONT), ownFont);
    // No background box: nothing green, some ink.
    bool ink = false;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            EXPECT_NE(GetPixel(dc_, x, y), RGB(0, 255, 0));
            ink = ink || GetPixel(dc_, x, y) != RGB(255, 255, 255);
        }
    EXPECT_TRUE(ink);

    // Tahoma at 11 pixels has a 13-pixel cell, at 21 pixels a 25-pixel
    // one (the font scale of an earlier VGA screen in this process stays).
    EXPECT_EQ(TextHeightDefault(NULL), GetScreenMetrics().fontScale == 2 ? 25 : 13);
    HFONT large = CreateSkinFont(SharedImageDc(), 16, FW_BOLD);
    EXPECT_GT(TextHeight(dc_, large), 13);
    DeleteObject(large);
}

}  // namespace
