#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "graphics/pixel_rows.h"

namespace {

void ReferenceMasked(const BYTE* p, const BYTE* mask, BYTE* d, int n, UINT alpha)
{
    for (int i = 0; i < n; ++i, p += 3, mask += 3, d += 3) {
        UINT m = 255 - mask[2];
        if (alpha != 255)
            m = (UINT)(m * alpha * 0.00392156862745098);
        if (m == 0)
            continue;
        for (int c = 0; c < 3; ++c)
            d[c] = m == 255 ? p[c] : (BYTE)((d[c] * (255 - m) + p[c] * m) >> 8);
    }
}

// Rows blended in place are taken in chunks of a few hundred pixels: rows
// on either side of a chunk's end, and several chunks long, give what the
// pixel-by-pixel definition does, at full and at partial global alpha.
TEST(MaskedSheetRow, InPlaceRowsAcrossChunksMatchThePlainLoop)
{
    std::mt19937 engine(21);
    auto noise = [&engine](size_t count) {
        std::vector<BYTE> bytes(count);
        for (BYTE& b : bytes) {
            unsigned r = engine() % 4;
            b = r == 0 ? 0 : r == 1 ? 255 : (BYTE)engine();
        }
        return bytes;
    };
    for (int width : {255, 256, 257, 511, 700})
        for (UINT alpha : {255u, 128u, 1u}) {
            std::vector<BYTE> picture = noise(3 * (size_t)width), mask = noise(3 * (size_t)width);
            std::vector<BYTE> fast = noise(3 * (size_t)width + 8), plain = fast;
            MaskedSheetRow(picture.data(), mask.data(), fast.data(), fast.data(), width, alpha);
            ReferenceMasked(picture.data(), mask.data(), plain.data(), width, alpha);
            EXPECT_EQ(fast, plain) << "width " << width << " alpha " << alpha;
        }
}

}  // namespace
