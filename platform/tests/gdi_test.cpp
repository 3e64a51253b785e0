// GDI on the shared screen and on memory bitmaps.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "device_fixture.h"
#include "windows.h"

namespace {

LRESULT CALLBACK PlainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class GdiTest : public testsupport::DeviceFixture {
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        WNDCLASSW wc = {};
        wc.lpfnWndProc = PlainProc;
        wc.lpszClassName = u"Plain";
        RegisterClassW(&wc);
    }
    HWND Make(int x, int y, int w, int h)
    {
        return CreateWindowExW(0, u"Plain", u"", WS_VISIBLE | WS_POPUP, x, y, w, h, nullptr, nullptr, nullptr,
                               nullptr);
    }
    // The screen pixel as the device holds it.
    COLORREF ScreenPixel(int x, int y)
    {
        const uint8_t* p = Device().Screen()->Row(y) + x * 3;
        return RGB(p[2], p[1], p[0]);
    }
    HBITMAP Dib(int width, int height, int bits, void** pixels)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = static_cast<WORD>(bits);
        info.bmiHeader.biCompression = BI_RGB;
        return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, pixels, nullptr, 0);
    }
    void Fill(HDC dc, int l, int t, int r, int b, COLORREF colour)
    {
        HBRUSH brush = CreateSolidBrush(colour);
        RECT rect = {l, t, r, b};
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
    }
};

TEST_F(GdiTest, DibSectionIsBottomUpBlueGreenRedWithPaddedRows)
{
    void* bits = nullptr;
    HBITMAP bitmap = Dib(3, 2, 24, &bits);
    ASSERT_NE(bitmap, nullptr);
    BITMAP record = {};
    ASSERT_EQ(GetObjectW(bitmap, sizeof record, &record), static_cast<int>(sizeof record));
    EXPECT_EQ(record.bmWidth, 3);
    EXPECT_EQ(record.bmHeight, 2);
    EXPECT_EQ(record.bmWidthBytes, 12);
    EXPECT_EQ(record.bmPlanes, 1);
    EXPECT_EQ(record.bmBitsPixel, 24);
    EXPECT_EQ(record.bmBits, bits);

    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SetPixel(dc, 1, 0, RGB(10, 20, 30));  // top row: last in memory
    const uint8_t* p = static_cast<const uint8_t*>(bits) + 12 + 3;
    EXPECT_EQ(p[0], 30);
    EXPECT_EQ(p[1], 20);
    EXPECT_EQ(p[2], 10);
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(10, 20, 30));
    EXPECT_EQ(GetPixel(dc, 3, 0), CLR_INVALID);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);

    EXPECT_EQ(Dib(0, 2, 24, &bits), nullptr);
    EXPECT_EQ(bits, nullptr);
    EXPECT_EQ(Dib(4, 4, 8, &bits), nullptr);
}

TEST_F(GdiTest, FillsAndLinesLeaveRightBottomAndEndPointOut)
{
    void* bits = nullptr;
    HBITMAP bitmap = Dib(8, 8, 32, &bits);
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, bitmap);
    Fill(dc, 1, 1, 3, 3, RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 2, 2), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 3, 2), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 2, 3), RGB(0, 0, 0));

    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 255));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    POINT line[] = {{0, 6}, {5, 6}};
    ASSERT_TRUE(Polyline(dc, line, 2));
    EXPECT_EQ(GetPixel(dc, 0, 6), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 4, 6), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 5, 6), RGB(0, 0, 0));

    // The clip limits everything drawn after it.
    IntersectClipRect(dc, 0, 0, 4, 8);
    Fill(dc, 0, 7, 8, 8, RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(dc, 3, 7), RGB(0, 255, 0));
    SelectClipRgn(dc, nullptr);
    EXPECT_EQ(GetPixel(dc, 4, 7), RGB(0, 0, 0));

    // A deleted pen stays usable while selected, and goes on deselection.
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
    SelectObject(dc, oldPen);
    EXPECT_EQ(GetObjectType(pen), 0u);
    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN)));
    EXPECT_EQ(GetObjectType(GetStockObject(BLACK_PEN)), static_cast<DWORD>(OBJ_PEN));
    DeleteDC(dc);
    DeleteObject(bitmap);
}

TEST_F(GdiTest, WindowDcDrawsOnlyWhereTheWindowShows)
{
    HWND below = Make(0, 50, 100, 100);
    HWND above = Make(50, 100, 100, 100);
    HDC dc = GetDC(below);
    Fill(dc, 0, 0, 100, 100, RGB(200, 0, 0));
    EXPECT_EQ(ScreenPixel(10, 60), RGB(200, 0, 0));
    EXPECT_EQ(ScreenPixel(60, 60), RGB(200, 0, 0));
    EXPECT_NE(ScreenPixel(60, 110), RGB(200, 0, 0));  // under the window above
    EXPECT_NE(ScreenPixel(120, 60), RGB(200, 0, 0));  // outside the window

    // Once the cover moves away the DC sees the whole window.
    MoveWindow(above, 150, 200, 50, 50, FALSE);
    Fill(dc, 0, 0, 100, 100, RGB(0, 0, 200));
    EXPECT_EQ(ScreenPixel(60, 110), RGB(0, 0, 200));
    EXPECT_EQ(ReleaseDC(below, dc), 1);
    DestroyWindow(above);
    DestroyWindow(below);
}

TEST_F(GdiTest, APaintDrawsOnlyItsUpdateWhereTheWindowShowsAndASecondFindsNothingLeft)
{
    HWND below = Make(0, 50, 100, 100);
    HWND above = Make(50, 100, 100, 100);
    InvalidateRect(below, nullptr, FALSE);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(below, &paint);
    EXPECT_EQ(paint.rcPaint.right, 100);
    EXPECT_EQ(paint.rcPaint.bottom, 100);
    Fill(dc, 0, 0, 100, 100, RGB(200, 0, 0));
    EndPaint(below, &paint);
    EXPECT_EQ(ScreenPixel(10, 60), RGB(200, 0, 0));
    EXPECT_NE(ScreenPixel(60, 110), RGB(200, 0, 0));  // under the window above

    // Nothing changed since: the update is gone, and the DC draws nothing.
    dc = BeginPaint(below, &paint);
    EXPECT_TRUE(paint.rcPaint.right <= paint.rcPaint.left || paint.rcPaint.bottom <= paint.rcPaint.top);
    Fill(dc, 0, 0, 100, 100, RGB(0, 0, 200));
    EndPaint(below, &paint);
    EXPECT_EQ(ScreenPixel(10, 60), RGB(200, 0, 0));

    // Two corners invalidated: the paint draws in them and not between.
    RECT corner = {0, 0, 10, 10};
    InvalidateRect(below, &corner, FALSE);
    corner = {40, 40, 50, 50};
    InvalidateRect(below, &corner, FALSE);
    dc = BeginPaint(below, &paint);
    EXPECT_EQ(paint.rcPaint.right, 50) << "the bounds of the update";
    Fill(dc, 0, 0, 100, 100, RGB(0, 0, 200));
    EndPaint(below, &paint);
    EXPECT_EQ(ScreenPixel(5, 55), RGB(0, 0, 200));
    EXPECT_EQ(ScreenPixel(45, 95), RGB(0, 0, 200));
    EXPECT_EQ(ScreenPixel(25, 75), RGB(200, 0, 0)) << "between the corners";

    // The cover moves off: what it exposed is the next update.
    MoveWindow(above, 150, 200, 50, 50, TRUE);
    dc = BeginPaint(below, &paint);
    EXPECT_LT(paint.rcPaint.left, paint.rcPaint.right);
    Fill(dc, 0, 0, 100, 100, RGB(0, 200, 0));
    EndPaint(below, &paint);
    EXPECT_EQ(ScreenPixel(60, 110), RGB(0, 200, 0));
    EXPECT_EQ(ScreenPixel(10, 60), RGB(200, 0, 0)) << "outside the exposed area";
    DestroyWindow(above);
    DestroyWindow(below);
}

TEST_F(GdiTest, ScreenCaptureIntoADibMatchesTheScreen)
{
    HWND hwnd = Make(20, 40, 60, 30);
    HDC window = GetDC(hwnd);
    Fill(window, 0, 0, 30, 30, RGB(1, 2, 3));
    Fill(window, 30, 0, 60, 30, RGB(250, 128, 7));
    ReleaseDC(hwnd, window);

    void* bits = nullptr;
    HBITMAP capture = Dib(60, 30, 24, &bits);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, capture);
    ASSERT_TRUE(BitBlt(memory, 0, 0, 60, 30, screen, 20, 40, SRCCOPY));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x)
            ASSERT_EQ(GetPixel(memory, x, y), ScreenPixel(20 + x, 40 + y)) << x << "," << y;
    EXPECT_EQ(GetPixel(memory, 45, 10), RGB(250, 128, 7));

    // And back: a stretched copy doubles every pixel.
    ASSERT_TRUE(StretchBlt(screen, 0, 200, 120, 60, memory, 0, 0, 60, 30, SRCCOPY));
    EXPECT_EQ(ScreenPixel(0, 200), RGB(1, 2, 3));
    EXPECT_EQ(ScreenPixel(59, 259), RGB(1, 2, 3));
    EXPECT_EQ(ScreenPixel(60, 200), RGB(250, 128, 7));
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    DeleteObject(capture);
    DestroyWindow(hwnd);
}

TEST_F(GdiTest, MemoryDcStartsMonochromeAndCompatibleBitmapsFollowItsBitmap)
{
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    auto format = [](HGDIOBJ bitmap) {
        BITMAP record = {};
        GetObjectW(bitmap, sizeof record, &record);
        return std::vector<LONG>{record.bmWidth, record.bmHeight, record.bmWidthBytes, record.bmBitsPixel};
    };
    EXPECT_EQ(format(GetCurrentObject(memory, OBJ_BITMAP)), (std::vector<LONG>{1, 1, 2, 1}));

    // The classic fault: a back buffer made from the memory DC is black and white.
    HBITMAP mono = CreateCompatibleBitmap(memory, 17, 3);
    EXPECT_EQ(format(mono), (std::vector<LONG>{17, 3, 4, 1}));
    HBITMAP colour = CreateCompatibleBitmap(screen, 17, 3);
    EXPECT_EQ(format(colour), (std::vector<LONG>{17, 3, 52, 24}));
    void* bits = nullptr;
    HBITMAP dib = Dib(2, 2, 32, &bits);
    HGDIOBJ old = SelectObject(memory, dib);
    HBITMAP deep = CreateCompatibleBitmap(memory, 2, 2);
    EXPECT_EQ(format(deep), (std::vector<LONG>{2, 2, 8, 32}));
    SelectObject(memory, mono);
    HBITMAP alsoMono = CreateCompatibleBitmap(memory, 2, 2);
    EXPECT_EQ(format(alsoMono)[3], 1);

    SelectObject(memory, old);
    for (HBITMAP bitmap : {mono, colour, dib, deep, alsoMono})
        DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

TEST_F(GdiTest, MonochromeBitmapsDrawBlackAndWhiteAndConvertWithTheDcColours)
{
    // Rows of the given bits are word-aligned, the leftmost pixel in the high bit.
    const uint8_t pattern[] = {0xF0, 0x00, 0x0F, 0x00};
    HBITMAP mask = CreateBitmap(8, 2, 1, 1, pattern);
    ASSERT_NE(mask, nullptr);
    HDC maskDc = CreateCompatibleDC(nullptr);
    SelectObject(maskDc, mask);
    EXPECT_EQ(GetPixel(maskDc, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(maskDc, 4, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(maskDc, 4, 1), RGB(255, 255, 255));

    // Colours are stored as the nearer of black and white.
    EXPECT_EQ(SetPixel(maskDc, 7, 1, RGB(200, 200, 200)), RGB(255, 255, 255));
    EXPECT_EQ(SetPixel(maskDc, 7, 1, RGB(255, 0, 0)), RGB(0, 0, 0));
    Fill(maskDc, 6, 0, 8, 1, RGB(128, 128, 128));
    EXPECT_EQ(GetPixel(maskDc, 6, 0), RGB(255, 255, 255));
    Fill(maskDc, 6, 0, 8, 1, RGB(127, 127, 128));
    EXPECT_EQ(GetPixel(maskDc, 6, 0), RGB(0, 0, 0));
    ASSERT_TRUE(PatBlt(maskDc, 0, 1, 2, 1, DSTINVERT));
    EXPECT_EQ(GetPixel(maskDc, 0, 1), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(maskDc, 4, 1), RGB(255, 255, 255));

    // Into colour: 0 bits in the destination's text colour, 1 bits in its background colour.
    void* bits = nullptr;
    HBITMAP picture = Dib(16, 4, 24, &bits);
    HDC pictureDc = CreateCompatibleDC(nullptr);
    SelectObject(pictureDc, picture);
    SetTextColor(pictureDc, RGB(0, 0, 255));
    SetBkColor(pictureDc, RGB(0, 255, 0));
    ASSERT_TRUE(BitBlt(pictureDc, 0, 0, 8, 1, maskDc, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(pictureDc, 0, 0), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(pictureDc, 4, 0), RGB(0, 0, 255));
    ASSERT_TRUE(StretchBlt(pictureDc, 0, 2, 16, 2, maskDc, 0, 0, 8, 1, SRCCOPY));
    EXPECT_EQ(GetPixel(pictureDc, 7, 3), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(pictureDc, 8, 3), RGB(0, 0, 255));

    // A mask with SRCAND: white keeps what is there, black clears it.
    Fill(pictureDc, 0, 1, 8, 2, RGB(90, 80, 70));
    SetTextColor(pictureDc, RGB(0, 0, 0));
    SetBkColor(pictureDc, RGB(255, 255, 255));
    ASSERT_TRUE(BitBlt(pictureDc, 0, 1, 8, 1, maskDc, 0, 0, SRCAND));
    EXPECT_EQ(GetPixel(pictureDc, 0, 1), RGB(90, 80, 70));
    EXPECT_EQ(GetPixel(pictureDc, 4, 1), RGB(0, 0, 0));

    // Out of colour: white where the source matches its background colour.
    SetPixel(pictureDc, 0, 0, RGB(10, 20, 30));
    SetPixel(pictureDc, 1, 0, RGB(255, 255, 255));
    SetBkColor(pictureDc, RGB(10, 20, 30));
    ASSERT_TRUE(BitBlt(maskDc, 0, 0, 2, 1, pictureDc, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(maskDc, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(maskDc, 1, 0), RGB(0, 0, 0));

    // Text in a colour near black leaves black pixels on the white background.
    HBITMAP page = CreateCompatibleBitmap(maskDc, 24, 16);
    HGDIOBJ oldMask = SelectObject(maskDc, page);
    SetTextColor(maskDc, RGB(40, 40, 40));
    SetBkColor(maskDc, RGB(230, 230, 230));
    Fill(maskDc, 0, 0, 24, 16, RGB(255, 255, 255));
    ASSERT_TRUE(ExtTextOutW(maskDc, 0, 0, 0, nullptr, u"W", 1, nullptr));
    int black = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x)
            black += GetPixel(maskDc, x, y) == RGB(0, 0, 0);
    EXPECT_GT(black, 10);
    EXPECT_EQ(GetPixel(maskDc, 23, 15), RGB(255, 255, 255));
    SelectObject(maskDc, oldMask);
    DeleteObject(page);

    DeleteDC(pictureDc);
    DeleteDC(maskDc);
    DeleteObject(picture);
    DeleteObject(mask);
}

TEST_F(GdiTest, DeviceCapsFollowTheProfile)
{
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 240);
    EXPECT_EQ(GetDeviceCaps(screen, VERTRES), 320);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
    ReleaseDC(nullptr, screen);
    UseProfile("vga");
    screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 480);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 192);
    ReleaseDC(nullptr, screen);
}

}  // namespace
