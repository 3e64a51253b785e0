// GDI on the shared screen and on memory bitmaps.
#include <gtest/gtest.h>

#include <cstring>

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
