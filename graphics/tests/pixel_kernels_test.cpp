#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "graphics/pixel_kernels.h"
#include "graphics/pixel_rows.h"

namespace {

// A 24-bit bitmap description over memory of our own, rows padded to four
// bytes as a DIB section's are.
struct Pixels {
    Pixels(int width, int height) : bytes((size_t)Stride(width) * height, 0)
    {
        description = {0, width, height, Stride(width), 1, 24, bytes.data()};
    }
    static int Stride(int width) { return (width * 3 + 3) & ~3; }
    BYTE* At(int x, int y) { return bytes.data() + (size_t)y * description.bmWidthBytes + 3 * x; }
    void Set(int x, int y, BYTE b, BYTE g, BYTE r)
    {
        At(x, y)[0] = b;
        At(x, y)[1] = g;
        At(x, y)[2] = r;
    }
    std::vector<BYTE> Bgr(int x, int y) { return {At(x, y)[0], At(x, y)[1], At(x, y)[2]}; }

    std::vector<BYTE> bytes;
    BITMAP description;
};

TEST(KeyedBlend, WhiteIsTransparentBlackOpaqueOthersBlend)
{
    Pixels source(3, 1), scene(3, 1);
    source.Set(0, 0, 255, 255, 255);
    source.Set(1, 0, 0, 0, 0);
    source.Set(2, 0, 1, 0, 0);
    for (int x = 0; x < 3; ++x)
        scene.Set(x, 0, 200, 100, 50);

    ASSERT_TRUE(KeyedBlend(&source.description, &scene.description, &scene.description, 0));
    EXPECT_EQ(scene.Bgr(0, 0), (std::vector<BYTE>{200, 100, 50}));
    EXPECT_EQ(scene.Bgr(1, 0), (std::vector<BYTE>{0, 0, 0}));  // black even at alpha 0
    // (200 × 255 + 1 × 0) >> 8 = 199: the blend divides by 256.
    EXPECT_EQ(scene.Bgr(2, 0), (std::vector<BYTE>{199, 99, 49}));

    std::vector<BYTE> before = scene.bytes;
    EXPECT_FALSE(KeyedBlend(&source.description, &scene.description, &scene.description, 256));
    EXPECT_EQ(scene.bytes, before);

    Pixels other(2, 1);
    EXPECT_FALSE(KeyedBlend(&source.description, &scene.description, &other.description, 10));
}

TEST(KeyedBlend, TwoWhitesAtHalfAlphaGive254)
{
    Pixels source(1, 1), scene(1, 1);
    source.Set(0, 0, 254, 255, 255);
    scene.Set(0, 0, 255, 255, 255);
    ASSERT_TRUE(KeyedBlend(&source.description, &scene.description, &scene.description, 128));
    EXPECT_EQ(scene.Bgr(0, 0), (std::vector<BYTE>{253, 254, 254}));
}

TEST(AlphaCompositeRow, ZeroKeepsFullCopiesHalfOverBlackGives127)
{
    // R,G,B,A pixels onto B,G,R.
    BYTE source[] = {10, 20, 30, 0, 10, 20, 30, 255, 255, 255, 255, 128};
    BYTE target[] = {1, 2, 3, 1, 2, 3, 0, 0, 0};
    AlphaCompositeRow(source, target, 3);
    EXPECT_EQ(std::vector<BYTE>(target, target + 9), (std::vector<BYTE>{1, 2, 3, 30, 20, 10, 127, 127, 127}));
}

TEST(MaskedSheet, MaskRedDecidesAndGlobalAlphaScalesIt)
{
    // Two pictures side by side with their masks: red 255 transparent,
    // red 0 opaque.
    Pixels sheet(4, 1), scene(2, 1);
    sheet.Set(0, 0, 90, 60, 30);
    sheet.Set(1, 0, 90, 60, 30);
    sheet.Set(2, 0, 0, 0, 255);
    sheet.Set(3, 0, 255, 255, 0);
    scene.Set(0, 0, 10, 10, 10);
    scene.Set(1, 0, 10, 10, 10);

    Pixels copy = scene;
    copy.description.bmBits = copy.bytes.data();
    ASSERT_TRUE(MaskedSheet(&sheet.description, &copy.description, &copy.description, 255, 0, 0, 2, 1));
    EXPECT_EQ(copy.Bgr(0, 0), (std::vector<BYTE>{10, 10, 10}));
    EXPECT_EQ(copy.Bgr(1, 0), (std::vector<BYTE>{90, 60, 30}));

    // Red 0 at alpha 128: m = 128, (10 × 127 + 90 × 128) >> 8 = 49.
    ASSERT_TRUE(MaskedSheet(&sheet.description, &scene.description, &scene.description, 128, 0, 0, 2, 1));
    EXPECT_EQ(scene.Bgr(1, 0), (std::vector<BYTE>{49, 34, 19}));
    EXPECT_EQ(scene.Bgr(0, 0), (std::vector<BYTE>{10, 10, 10}));

    // A frame outside the sheet's picture half is refused.
    std::vector<BYTE> before = scene.bytes;
    EXPECT_FALSE(MaskedSheet(&sheet.description, &scene.description, &scene.description, 255, 1, 0, 2, 1));
    EXPECT_FALSE(MaskedSheet(&sheet.description, &scene.description, &scene.description, 256, 0, 0, 2, 1));
    EXPECT_EQ(scene.bytes, before);
}

TEST(SeparateMask, ChannelPicksTheMaskByteAndOthersDrawNothing)
{
    Pixels source(2, 1), scene(2, 1), mask(2, 1);
    source.Set(0, 0, 100, 100, 100);
    source.Set(1, 0, 100, 100, 100);
    scene.Set(0, 0, 0, 0, 0);
    scene.Set(1, 0, 0, 0, 0);
    mask.Set(0, 0, 255, 0, 255);  // blue 255, red 255: transparent on 1 and 3
    mask.Set(1, 0, 0, 255, 0);    // green 255 only

    std::vector<BYTE> before = scene.bytes;
    EXPECT_FALSE(SeparateMask(&source.description, &scene.description, &scene.description, &mask.description, 0));
    EXPECT_FALSE(SeparateMask(&source.description, &scene.description, &scene.description, &mask.description, 4));
    EXPECT_EQ(scene.bytes, before);

    ASSERT_TRUE(SeparateMask(&source.description, &scene.description, &scene.description, &mask.description, 2));
    EXPECT_EQ(scene.Bgr(0, 0), (std::vector<BYTE>{100, 100, 100}));  // green 0: opaque
    EXPECT_EQ(scene.Bgr(1, 0), (std::vector<BYTE>{0, 0, 0}));        // green 255: transparent
}

// Plain loops written straight from the rules, to hold the vectorised
// rows to.
void ReferenceKeyed(const BYTE* s, const BYTE* b, BYTE* d, int n, UINT alpha)
{
    for (int i = 0; i < n; ++i, s += 3, b += 3, d += 3) {
        if (s[0] == 255 && s[1] == 255 && s[2] == 255)
            continue;
        for (int c = 0; c < 3; ++c)
            d[c] = (s[0] | s[1] | s[2]) == 0 ? 0 : (BYTE)((b[c] * (255 - alpha) + s[c] * alpha) >> 8);
    }
}

void ReferenceAlpha(const BYTE* s, BYTE* d, int n)
{
    for (int i = 0; i < n; ++i, s += 4, d += 3) {
        UINT a = s[3];
        if (a == 0)
            continue;
        for (int c = 0; c < 3; ++c)
            d[c] = a == 255 ? s[2 - c] : (BYTE)((s[2 - c] * a + d[c] * (255 - a)) >> 8);
    }
}

void ReferenceMasked(const BYTE* p, const BYTE* mask, const BYTE* b, BYTE* d, int n, UINT alpha)
{
    for (int i = 0; i < n; ++i, p += 3, mask += 3, b += 3, d += 3) {
        UINT m = 255 - mask[2];
        if (alpha != 255)
            m = (UINT)(m * alpha * 0.00392156862745098);
        if (m > 255)
            m = 255;
        if (m == 0)
            continue;
        for (int c = 0; c < 3; ++c)
            d[c] = m == 255 ? p[c] : (BYTE)((b[c] * (255 - m) + p[c] * m) >> 8);
    }
}

void ReferenceSeparate(const BYTE* s, const BYTE* b, BYTE* d, const BYTE* mask, int maskByte, int n)
{
    for (int i = 0; i < n; ++i, s += 3, b += 3, d += 3, mask += 3) {
        UINT m = mask[maskByte];
        if (m == 255)
            continue;
        for (int c = 0; c < 3; ++c)
            d[c] = m == 0 ? s[c] : (BYTE)((b[c] * m + s[c] * (255 - m)) >> 8);
    }
}

// Bytes that favour the special values (0 and 255) the kernels treat
// apart, so every path is taken often and unpredictably.
class Noise {
public:
    explicit Noise(unsigned seed) : m_engine(seed) {}
    BYTE Next()
    {
        UINT r = m_engine() % 8;
        return r == 0 ? 0 : r == 1 ? 255 : (BYTE)m_engine();
    }
    std::vector<BYTE> Bytes(size_t count)
    {
        std::vector<BYTE> bytes(count);
        for (BYTE& b : bytes)
            b = Next();
        return bytes;
    }
    // Pixels that are wholly white or black now and then, for the keys.
    std::vector<BYTE> KeyedPixels(int count)
    {
        std::vector<BYTE> bytes = Bytes(3 * (size_t)count);
        for (int i = 0; i < count; ++i) {
            UINT kind = m_engine() % 4;
            if (kind < 2)
                bytes[3 * i] = bytes[3 * i + 1] = bytes[3 * i + 2] = kind == 0 ? 0 : 255;
        }
        return bytes;
    }
    UINT Alpha() { return Next(); }

private:
    std::mt19937 m_engine;
};

// The fast rows write exactly the bytes the reference does: not one byte
// before the row or after it, on every width, with the destination both
// apart from the background and the same row.
TEST(PixelRows, MatchThePlainLoopsByteForByte)
{
    Noise noise(7);
    const size_t guard = 16;
    for (int width = 1; width <= 67; width += 2) {
        for (int inPlace = 0; inPlace < 2; ++inPlace) {
            UINT alpha = width % 5 == 0 ? 255 : noise.Alpha();
            std::vector<BYTE> source = noise.KeyedPixels(width);
            std::vector<BYTE> rgba = noise.Bytes(4 * (size_t)width);
            std::vector<BYTE> mask = noise.Bytes(3 * (size_t)width);
            std::vector<BYTE> background = noise.Bytes(3 * (size_t)width);
            std::vector<BYTE> start = noise.Bytes(3 * (size_t)width + 2 * guard);

            for (int kernel = 0; kernel < 4; ++kernel) {
                std::vector<BYTE> fast = start, plain = start;
                BYTE* f = fast.data() + guard;
                BYTE* p = plain.data() + guard;
                const BYTE* fb = inPlace ? f : background.data();
                const BYTE* pb = inPlace ? p : background.data();
                switch (kernel) {
                case 0:
                    KeyedBlendRow(source.data(), fb, f, width, alpha);
                    ReferenceKeyed(source.data(), pb, p, width, alpha);
                    break;
                case 1:
                    AlphaCompositeRow(rgba.data(), f, width);
                    ReferenceAlpha(rgba.data(), p, width);
                    break;
                case 2:
                    MaskedSheetRow(source.data(), mask.data(), fb, f, width, alpha);
                    ReferenceMasked(source.data(), mask.data(), pb, p, width, alpha);
                    break;
                case 3:
                    SeparateMaskRow(source.data(), fb, f, mask.data(), width % 3, width);
                    ReferenceSeparate(source.data(), pb, p, mask.data(), width % 3, width);
                    break;
                }
                ASSERT_EQ(fast, plain) << "kernel " << kernel << " width " << width << " alpha " << alpha
                                       << (inPlace ? " in place" : "");
            }
        }
    }
}

// The whole kernels walk rows at the bitmap's stride and leave the row
// padding alone.
TEST(PixelKernels, WalkPaddedRowsAndLeaveThePaddingAlone)
{
    Noise noise(11);
    Pixels source(5, 3), scene(5, 3);
    source.bytes = noise.KeyedPixels(20);
    source.bytes.resize(scene.bytes.size());
    source.description.bmBits = source.bytes.data();
    scene.bytes = noise.Bytes(scene.bytes.size());
    scene.description.bmBits = scene.bytes.data();
    std::vector<BYTE> expected = scene.bytes;
    for (int row = 0; row < 3; ++row)
        ReferenceKeyed(source.At(0, row), expected.data() + row * 16, expected.data() + row * 16, 5, 77);
    ASSERT_TRUE(KeyedBlend(&source.description, &scene.description, &scene.description, 77));
    EXPECT_EQ(scene.bytes, expected);
}

}  // namespace
