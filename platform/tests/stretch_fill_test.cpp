// StretchBlt and FillRect between 24-bit memory bitmaps, pixel for pixel
// against the plain definitions, through clip rectangles.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "device_fixture.h"
#include "windows.h"

namespace {

// A memory DC on a 24-bit DIB section whose every pixel differs.
class DibDc {
public:
    DibDc(int width, int height, int seed) : width_(width), height_(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        dc_ = CreateCompatibleDC(nullptr);
        old_ = SelectObject(dc_, bitmap_);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                SetPixel(dc_, x, y, RGB((x * 7 + seed) & 0xFF, (y * 5 + seed) & 0xFF, (x + y + seed) & 0xFF));
    }
    ~DibDc()
    {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    HDC Dc() const { return dc_; }
    std::vector<COLORREF> Pixels() const
    {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                pixels.push_back(GetPixel(dc_, x, y));
        return pixels;
    }

private:
    int width_;
    int height_;
    HBITMAP bitmap_;
    HDC dc_;
    HGDIOBJ old_;
};

class StretchFillTest : public testsupport::DeviceFixture {};

struct StretchCase {
    int sourceWidth, sourceHeight;  // the whole source is stretched
    int x, y, width, height;        // onto this destination rectangle
    RECT clip;                      // through this clip rectangle
};

// Doubling and halving (their own loops), other ratios, clip rectangles
// that start on the second copy of a doubled pixel, and destinations that
// reach past the bitmap.
const StretchCase kStretchCases[] = {
    {20, 10, 0, 0, 40, 20, {0, 0, 48, 24}},
    {20, 10, 3, 1, 40, 20, {6, 2, 30, 17}},
    {40, 24, 1, 0, 20, 12, {0, 0, 48, 24}},
    {41, 23, 2, 3, 20, 11, {3, 0, 17, 9}},
    {16, 12, 0, 0, 48, 24, {1, 1, 47, 23}},
    {30, 20, 0, 0, 22, 15, {0, 0, 48, 24}},
    {7, 5, 10, 4, 45, 30, {0, 0, 48, 24}},
};

TEST_F(StretchFillTest, StretchTakesTheNearestSourcePixelInsideTheClip)
{
    for (const StretchCase& c : kStretchCases) {
        DibDc source(c.sourceWidth, c.sourceHeight, 11);
        DibDc target(48, 24, 90);
        std::vector<COLORREF> expected = target.Pixels();
        std::vector<COLORREF> from = source.Pixels();
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 48; ++x) {
                bool inside = x >= c.x && x < c.x + c.width && y >= c.y && y < c.y + c.height;
                bool clipped = x >= c.clip.left && x < c.clip.right && y >= c.clip.top && y < c.clip.bottom;
                if (!inside || !clipped)
                    continue;
                int sx = (x - c.x) * c.sourceWidth / c.width;
                int sy = (y - c.y) * c.sourceHeight / c.height;
                expected[(size_t)y * 48 + x] = from[(size_t)sy * c.sourceWidth + sx];
            }
        IntersectClipRect(target.Dc(), c.clip.left, c.clip.top, c.clip.right, c.clip.bottom);
        ASSERT_TRUE(StretchBlt(target.Dc(), c.x, c.y, c.width, c.height, source.Dc(), 0, 0, c.sourceWidth,
                               c.sourceHeight, SRCCOPY));
        SelectClipRgn(target.Dc(), nullptr);  // GetPixel reads inside the clip only
        EXPECT_EQ(target.Pixels(), expected) << c.sourceWidth << "x" << c.sourceHeight << " onto " << c.width
                                             << "x" << c.height << " at " << c.x << "," << c.y;
    }
}

// A fill through a clip rectangle, reaching past the bitmap, paints
// exactly the pixels that lie in both, on every row.
TEST_F(StretchFillTest, FillPaintsTheRectangleInsideTheClip)
{
    DibDc target(30, 12, 40);
    std::vector<COLORREF> expected = target.Pixels();
    RECT area = {2, 1, 40, 11};
    RECT clip = {0, 3, 21, 12};
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 30; ++x)
            if (x >= area.left && x < area.right && y >= area.top && y < area.bottom && x < clip.right &&
                y >= clip.top)
                expected[(size_t)y * 30 + x] = RGB(9, 200, 77);
    IntersectClipRect(target.Dc(), clip.left, clip.top, clip.right, clip.bottom);
    HBRUSH brush = CreateSolidBrush(RGB(9, 200, 77));
    ASSERT_TRUE(FillRect(target.Dc(), &area, brush));
    SelectClipRgn(target.Dc(), nullptr);  // GetPixel reads inside the clip only
    EXPECT_EQ(target.Pixels(), expected);
    DeleteObject(brush);
}

}  // namespace
