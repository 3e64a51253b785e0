#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "graphics/alpha_image.h"
#include "graphics/alpha_runs.h"
#include "graphics/pixel_rows.h"

namespace {

// Alpha patterns a skin has (long clear and opaque stretches with soft
// edges) and ones it has not (every kind mixed at random).
enum Pattern { kBar, kStripes, kNoise };

BYTE AlphaAt(Pattern pattern, int x, int y, int width, std::mt19937& engine)
{
    switch (pattern) {
    case kBar: {
        int edge = std::min(x, width - 1 - x) - y % 4;
        return edge < 0 ? 0 : edge < 3 ? (BYTE)(60 * edge + 40) : 255;
    }
    case kStripes: return (x / (5 + y)) % 3 == 0 ? 0 : (x / (5 + y)) % 3 == 1 ? 255 : 128;
    case kNoise: {
        unsigned r = engine() % 4;
        return r == 0 ? 0 : r == 1 ? 255 : (BYTE)engine();
    }
    }
    return 0;
}

AlphaImage* MakeImage(int width, int height, Pattern pattern, unsigned seed)
{
    std::mt19937 engine(seed);
    AlphaImage* image = new AlphaImage();
    image->width = (DWORD)width;
    image->height = (DWORD)height;
    image->bytesPerPixel = 4;
    image->pixels = new BYTE[4 * (size_t)width * height];
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            BYTE* p = image->pixels + 4 * ((size_t)y * width + x);
            p[0] = (BYTE)engine();
            p[1] = (BYTE)engine();
            p[2] = (BYTE)engine();
            p[3] = AlphaAt(pattern, x, y, width, engine);
        }
    return image;
}

void ReferenceComposite(const AlphaImage* image, BYTE* destination, int stride)
{
    for (DWORD y = 0; y < image->height; ++y)
        for (DWORD x = 0; x < image->width; ++x) {
            const BYTE* s = image->pixels + 4 * ((size_t)y * image->width + x);
            BYTE* d = destination + (size_t)y * stride + 3 * x;
            UINT a = s[3];
            if (a == 0)
                continue;
            for (int c = 0; c < 3; ++c)
                d[c] = a == 255 ? s[2 - c] : (BYTE)((s[2 - c] * a + d[c] * (255 - a)) >> 8);
        }
}

// Every row is covered exactly once, clear runs hold only alpha 0 and
// opaque runs only 255, and compositing through the runs writes what the
// pixel-by-pixel composite does, leaving the row padding alone.
TEST(AlphaRuns, CoverEachRowAndCompositeAsThePixelsSay)
{
    const int widths[] = {1, 2, 15, 16, 17, 31, 33, 64, 113, 240};
    unsigned seed = 1;
    for (int width : widths)
        for (Pattern pattern : {kBar, kStripes, kNoise}) {
            AlphaImage* image = MakeImage(width, 6, pattern, seed++);
            ClassifyAlphaRuns(image);
            ASSERT_NE(image->runCount, 0u);

            size_t run = 0;
            for (int y = 0; y < 6; ++y) {
                int x = 0;
                while (x < width) {
                    ASSERT_LT(run, image->runCount) << "width " << width;
                    const AlphaRun& r = image->runs[run++];
                    ASSERT_GT(r.length, 0);
                    for (int i = x; i < x + r.length && i < width; ++i) {
                        BYTE a = image->pixels[4 * ((size_t)y * width + i) + 3];
                        ASSERT_TRUE(r.kind != kClearRun || a == 0) << "width " << width << " pattern " << pattern;
                        ASSERT_TRUE(r.kind != kOpaqueRun || a == 255) << "width " << width << " pattern " << pattern;
                    }
                    x += r.length;
                }
                ASSERT_EQ(x, width) << "a run crosses the end of row " << y;
            }
            EXPECT_EQ(run, image->runCount);

            int stride = (3 * width + 3) & ~3;
            std::mt19937 engine(seed);
            std::vector<BYTE> start(stride * 6);
            for (BYTE& b : start)
                b = (BYTE)engine();
            std::vector<BYTE> fast = start, plain = start;
            AlphaCompositeRuns(image->pixels, width, fast.data(), stride, image->runs, image->runCount);
            ReferenceComposite(image, plain.data(), stride);
            EXPECT_EQ(fast, plain) << "width " << width << " pattern " << pattern;
            FreeAlphaImage(image);
        }
}

// A skin row is a few runs, not one per pixel: long stretches stay whole
// and short clear or opaque ones join the soft pixels around them.
TEST(AlphaRuns, LongStretchesStayWholeAndShortOnesJoinTheSoftPixels)
{
    AlphaImage* image = MakeImage(60, 1, kBar, 3);
    // 20 clear, 2 soft, 5 opaque, 2 soft, 31 opaque.
    for (int x = 0; x < 60; ++x)
        image->pixels[4 * x + 3] = x < 20 ? 0 : x < 22 ? 100 : x < 27 ? 255 : x < 29 ? 100 : 255;
    ClassifyAlphaRuns(image);
    ASSERT_EQ(image->runCount, 3u);
    EXPECT_EQ(image->runs[0].kind, kClearRun);
    EXPECT_EQ(image->runs[0].length, 20);
    EXPECT_EQ(image->runs[1].kind, kSoftRun);
    EXPECT_EQ(image->runs[1].length, 9);
    EXPECT_EQ(image->runs[2].kind, kOpaqueRun);
    EXPECT_EQ(image->runs[2].length, 31);
    FreeAlphaImage(image);
}

// Pictures without an alpha byte are not classified; classifying again
// replaces the runs.
TEST(AlphaRuns, OnlyFourBytePicturesGetRuns)
{
    AlphaImage* image = MakeImage(20, 2, kNoise, 5);
    image->bytesPerPixel = 3;
    ClassifyAlphaRuns(image);
    EXPECT_EQ(image->runs, nullptr);
    EXPECT_EQ(image->runCount, 0u);
    image->bytesPerPixel = 4;
    ClassifyAlphaRuns(image);
    EXPECT_NE(image->runCount, 0u);
    for (int i = 0; i < 40; ++i)
        image->pixels[4 * i + 3] = 255;
    ClassifyAlphaRuns(image);
    ASSERT_EQ(image->runCount, 2u);
    EXPECT_EQ(image->runs[0].kind, kOpaqueRun);
    EXPECT_EQ(image->runs[1].length, 20);
    FreeAlphaImage(image);
}

}  // namespace
