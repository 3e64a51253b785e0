#include "graphics/pixel_rows.h"

#include "graphics/vector_clones.h"

// All ones when the condition holds, else zero: a select without a branch.
static inline UINT MaskOf(bool condition)
{
    return 0u - (UINT)condition;
}

static inline UINT Pick(UINT mask, UINT whenSet, UINT otherwise)
{
    return (whenSet & mask) | (otherwise & ~mask);
}

// (x × (255 − w) + y × w) >> 8; the sum never exceeds 16 bits.
static inline UINT Mix(UINT x, UINT y, UINT w)
{
    return (UINT)(WORD)(x * (255 - w) + y * w) >> 8;
}

QM_VECTOR_CLONES
void KeyedBlendRow(const BYTE* source, const BYTE* background, BYTE* destination, int pixels, UINT alpha)
{
    for (int i = 0; i < pixels; ++i) {
        const BYTE* s = source + 3 * i;
        const BYTE* b = background + 3 * i;
        BYTE* d = destination + 3 * i;
        UINT s0 = s[0], s1 = s[1], s2 = s[2];
        UINT d0 = d[0], d1 = d[1], d2 = d[2];
        UINT white = MaskOf((s0 & s1 & s2) == 255);
        UINT notBlack = ~MaskOf((s0 | s1 | s2) == 0);
        UINT r0 = Mix(b[0], s0, alpha) & notBlack;
        UINT r1 = Mix(b[1], s1, alpha) & notBlack;
        UINT r2 = Mix(b[2], s2, alpha) & notBlack;
        d[0] = (BYTE)Pick(white, d0, r0);
        d[1] = (BYTE)Pick(white, d1, r1);
        d[2] = (BYTE)Pick(white, d2, r2);
    }
}

QM_VECTOR_CLONES
void AlphaCompositeRow(const BYTE* __restrict source, BYTE* __restrict destination, int pixels)
{
    for (int i = 0; i < pixels; ++i) {
        const BYTE* s = source + 4 * i;
        BYTE* d = destination + 3 * i;
        UINT a = s[3];
        UINT opaque = MaskOf(a == 255);
        UINT clear = MaskOf(a == 0);
        UINT d0 = d[0], d1 = d[1], d2 = d[2];
        UINT r0 = Pick(opaque, s[2], Mix(d0, s[2], a));
        UINT r1 = Pick(opaque, s[1], Mix(d1, s[1], a));
        UINT r2 = Pick(opaque, s[0], Mix(d2, s[0], a));
        d[0] = (BYTE)Pick(clear, d0, r0);
        d[1] = (BYTE)Pick(clear, d1, r1);
        d[2] = (BYTE)Pick(clear, d2, r2);
    }
}

void OpaqueCopyRow(const BYTE* source, BYTE* destination, int pixels)
{
    for (int i = 0; i < pixels; ++i) {
        destination[3 * i] = source[3 * i + 2];
        destination[3 * i + 1] = source[3 * i + 1];
        destination[3 * i + 2] = source[3 * i];
    }
}

// m × alpha / 255, exact for every m × alpha below 65536; the same as the
// product with 1/255 in double precision, truncated.
static inline UINT ScaleBy255(UINT m, UINT alpha)
{
    UINT x = m * alpha;
    return (x + 1 + (x >> 8)) >> 8;
}

QM_VECTOR_CLONES
void MaskedSheetRow(const BYTE* picture, const BYTE* mask, const BYTE* background, BYTE* destination, int pixels,
    UINT alpha)
{
    UINT global = MaskOf(alpha != 255);
    for (int i = 0; i < pixels; ++i) {
        const BYTE* p = picture + 3 * i;
        const BYTE* b = background + 3 * i;
        BYTE* d = destination + 3 * i;
        UINT m = 255 - mask[3 * i + 2];
        m = Pick(global, ScaleBy255(m, alpha), m);
        UINT opaque = MaskOf(m == 255);
        UINT clear = MaskOf(m == 0);
        UINT d0 = d[0], d1 = d[1], d2 = d[2];
        UINT r0 = Pick(opaque, p[0], Mix(b[0], p[0], m));
        UINT r1 = Pick(opaque, p[1], Mix(b[1], p[1], m));
        UINT r2 = Pick(opaque, p[2], Mix(b[2], p[2], m));
        d[0] = (BYTE)Pick(clear, d0, r0);
        d[1] = (BYTE)Pick(clear, d1, r1);
        d[2] = (BYTE)Pick(clear, d2, r2);
    }
}

QM_VECTOR_CLONES
void SeparateMaskRow(const BYTE* source, const BYTE* background, BYTE* destination, const BYTE* mask, int maskByte,
    int pixels)
{
    for (int i = 0; i < pixels; ++i) {
        const BYTE* s = source + 3 * i;
        const BYTE* b = background + 3 * i;
        BYTE* d = destination + 3 * i;
        UINT m = mask[3 * i + maskByte];
        UINT clear = MaskOf(m == 255);
        UINT opaque = MaskOf(m == 0);
        UINT d0 = d[0], d1 = d[1], d2 = d[2];
        UINT r0 = Pick(opaque, s[0], Mix(s[0], b[0], m));
        UINT r1 = Pick(opaque, s[1], Mix(s[1], b[1], m));
        UINT r2 = Pick(opaque, s[2], Mix(s[2], b[2], m));
        d[0] = (BYTE)Pick(clear, d0, r0);
        d[1] = (BYTE)Pick(clear, d1, r1);
        d[2] = (BYTE)Pick(clear, d2, r2);
    }
}
