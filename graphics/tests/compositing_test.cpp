#include <gtest/gtest.h>

#include <vector>

#include "device_fixture.h"
#include "graphics/compositing.h"
#include "graphics/dib24.h"
#include "graphics/shared_resources.h"
#include "graphics/skin_image.h"

namespace {

// A 24-bit target bitmap in a memory DC, as a page's back buffer is.
class CompositingTest : public testsupport::DeviceFixture {
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        dc_ = CreateCompatibleDC(NULL);
        target_ = CreateDib24(dc_, 8, 4);
        previous_ = SelectObject(dc_, target_);
        GetObject(target_, sizeof(bits_), &bits_);
        Fill(RGB(0, 0, 200));
    }
    void TearDown() override
    {
        SelectObject(dc_, previous_);
        DeleteDib24(target_);
        DeleteDC(dc_);
        ReleaseSharedResources();
        DeviceFixture::TearDown();
    }

    void Fill(COLORREF colour)
    {
        HBRUSH brush = CreateSolidBrush(colour);
        RECT all = {0, 0, 8, 4};
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
    }

    // Screen row y (top down) of the bottom-up target, pixel x, as R,G,B.
    std::vector<int> At(int x, int y) const
    {
        const BYTE* p = (const BYTE*)bits_.bmBits + (size_t)(3 - y) * bits_.bmWidthBytes + 3 * x;
        return {p[2], p[1], p[0]};
    }

    HDC dc_ = nullptr;
    HBITMAP target_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    BITMAP bits_ = {};
};

// A 4 × 2 picture: opaque green in its bottom row, half-transparent white
// on top.
AlphaImage* TwoRowPicture()
{
    AlphaImage* image = new AlphaImage();
    image->width = 4;
    image->height = 2;
    image->bytesPerPixel = 4;
    image->pixels = new BYTE[32];
    for (int i = 0; i < 4; ++i) {
        BYTE bottom[] = {0, 255, 0, 255};
        BYTE top[] = {255, 255, 255, 128};
        memcpy(image->pixels + 4 * i, bottom, 4);
        memcpy(image->pixels + 16 + 4 * i, top, 4);
    }
    return image;
}

TEST_F(CompositingTest, AlphaImageLandsUprightOverWhatWasThere)
{
    AlphaImage* image = TwoRowPicture();
    DrawAlphaImage(dc_, image, 2, 1);
    EXPECT_EQ(At(2, 1), (std::vector<int>{127, 127, 226}));  // white at 128 over blue 200
    EXPECT_EQ(At(5, 2), (std::vector<int>{0, 255, 0}));
    EXPECT_EQ(At(1, 1), (std::vector<int>{0, 0, 200}));
    EXPECT_EQ(At(6, 2), (std::vector<int>{0, 0, 200}));

    // A meter at half length: only the first two columns are copied back.
    Fill(RGB(0, 0, 200));
    DrawAlphaImage(dc_, image, 0, 0, 2, -1, 0, 0);
    EXPECT_EQ(At(1, 1), (std::vector<int>{0, 255, 0}));
    EXPECT_EQ(At(2, 1), (std::vector<int>{0, 0, 200}));
    FreeAlphaImage(image);
}

// A vertical meter copies back the lower part of its picture, taken from
// (0, h - t): the soft pixels there are blended with what lies under them
// on the target, not with what lies under the picture's origin.
TEST_F(CompositingTest, PartFromASourceOffsetBlendsWithTheTargetUnderIt)
{
    AlphaImage* image = new AlphaImage();
    image->width = 4;
    image->height = 2;
    image->bytesPerPixel = 4;
    image->pixels = new BYTE[32];
    for (int i = 0; i < 4; ++i) {
        BYTE bottom[] = {255, 255, 255, 128};  // soft white
        BYTE top[] = {0, 0, 255, 255};         // opaque red
        memcpy(image->pixels + 4 * i, bottom, 4);
        memcpy(image->pixels + 16 + 4 * i, top, 4);
    }
    // Black everywhere but row 2, which is blue.
    Fill(RGB(0, 0, 0));
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 200));
    RECT row2 = {0, 2, 8, 3};
    FillRect(dc_, &row2, blue);
    DeleteObject(blue);

    DrawAlphaImage(dc_, image, 3, 2, -1, 1, 0, 1);
    EXPECT_EQ(At(3, 2), (std::vector<int>{127, 127, 226})) << "soft white over the blue beneath it";
    EXPECT_EQ(At(6, 2), (std::vector<int>{127, 127, 226}));
    EXPECT_EQ(At(2, 2), (std::vector<int>{0, 0, 200}));
    EXPECT_EQ(At(3, 1), (std::vector<int>{0, 0, 0})) << "the red top row is not copied back";
    EXPECT_EQ(At(3, 3), (std::vector<int>{0, 0, 0}));
    FreeAlphaImage(image);
}

TEST_F(CompositingTest, ScratchBitmapIsKeptForTheSameSizeOnly)
{
    HBITMAP first = ScratchBitmap(dc_, 10, 10);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(ScratchBitmap(dc_, 10, 10), first);
    HBITMAP other = ScratchBitmap(dc_, 10, 11);
    BITMAP description;
    ASSERT_EQ(GetObject(other, sizeof(description), &description), (int)sizeof(description));
    EXPECT_EQ(description.bmHeight, 11);
    // The first one is gone, not leaked.
    EXPECT_EQ(GetObject(first, sizeof(description), &description), 0);
    DropScratchBitmap();
    EXPECT_EQ(GetObject(other, sizeof(description), &description), 0);
}

TEST_F(CompositingTest, MaskedSheetPicksAFrameAndKeyedBlendKeysWhite)
{
    // A sheet of two 2 × 2 frames stacked (memory rows 0-1 and 2-3), the
    // pictures in the left half: frame 0 red, frame 1 green, masks black.
    HBITMAP sheet = CreateDib24(dc_, 4, 4);
    BITMAP s;
    GetObject(sheet, sizeof(s), &s);
    for (int row = 0; row < 4; ++row)
        for (int x = 0; x < 4; ++x) {
            BYTE* p = (BYTE*)s.bmBits + row * s.bmWidthBytes + 3 * x;
            BYTE red[] = {0, 0, 255}, green[] = {0, 255, 0}, black[] = {0, 0, 0};
            memcpy(p, x >= 2 ? black : row >= 2 ? green : red, 3);
        }
    DrawMaskedSheet(dc_, 0, 0, 2, 2, sheet, 0, 2, 255);
    EXPECT_EQ(At(0, 0), (std::vector<int>{0, 255, 0}));
    EXPECT_EQ(At(2, 0), (std::vector<int>{0, 0, 200}));

    // A picture whose left column is white: that column keeps the target.
    HBITMAP keyed = CreateDib24(dc_, 2, 1);
    GetObject(keyed, sizeof(s), &s);
    BYTE white[] = {255, 255, 255}, grey[] = {100, 100, 100};
    memcpy(s.bmBits, white, 3);
    memcpy((BYTE*)s.bmBits + 3, grey, 3);
    DrawKeyedBlend(dc_, 4, 3, 2, 1, keyed, 255);
    EXPECT_EQ(At(4, 3), (std::vector<int>{0, 0, 200}));
    EXPECT_EQ(At(5, 3), (std::vector<int>{99, 99, 99}));

    // A bitmap of the wrong size fails the kernel and nothing is drawn.
    DrawKeyedBlend(dc_, 0, 3, 3, 1, keyed, 255);
    EXPECT_EQ(At(0, 3), (std::vector<int>{0, 0, 200}));
    DeleteDib24(keyed);
    DeleteDib24(sheet);
}

TEST_F(CompositingTest, StretchingASplitSheetHalvesTheVisibleWidth)
{
    SkinImage image;
    image.split = TRUE;
    image.bitmap = CreateDib24(dc_, 200, 50);
    image.ReadDescription();
    EXPECT_EQ(image.description.bmWidth, 100);
    image.Stretch(120, 40);
    EXPECT_EQ(image.description.bmWidth, 60);
    EXPECT_EQ(image.description.bmHeight, 40);

    SkinImage* blank = SkinImage::CreateBlank(5, 6);
    EXPECT_NE(blank->bitmap, nullptr);
    EXPECT_EQ(blank->description.bmWidth, 5);
    EXPECT_EQ(blank->referenceCount, 0);
    EXPECT_FALSE(blank->HasAlphaImage());
    delete blank;
}

}  // namespace
