#include "graphics/pixel_rows.h"

#include "graphics/vector_clones.h"

// Rows are done in blocks of this many pixels: a block that is wholly
// transparent is skipped and a wholly opaque one copied, which is what
// most of a skin is; the rest are blended at full vector width. The last
// part of a row, shorter than a block, is blended in a copy of a whole
// block so that it too runs at full width.
static const int kBlock = 32;

// A select without a branch: the condition becomes a mask of all ones or
// all zeros.
static inline WORD Pick(bool condition, WORD whenSet, WORD otherwise)
{
    WORD mask = (WORD)(0 - (WORD)condition);
    return (WORD)((whenSet & mask) | (otherwise & ~mask));
}

// (x × (255 − w) + y × w) >> 8; the sum never exceeds 16 bits.
static inline WORD Mix(WORD x, WORD y, WORD w)
{
    return (WORD)((WORD)(x * (WORD)(255 - w) + y * w) >> 8);
}

static inline void CopyBytes(BYTE* target, const BYTE* source, int count)
{
    for (int i = 0; i < count; ++i)
        target[i] = source[i];
}

static inline void KeyedPixels(const BYTE* source, const BYTE* background, BYTE* destination, int pixels, WORD alpha)
{
    for (int i = 0; i < pixels; ++i) {
        const BYTE* s = source + 3 * i;
        const BYTE* b = background + 3 * i;
        BYTE* d = destination + 3 * i;
        bool white = (s[0] & s[1] & s[2]) == 255;
        bool black = (s[0] | s[1] | s[2]) == 0;
        WORD r0 = Pick(black, 0, Mix(b[0], s[0], alpha));
        WORD r1 = Pick(black, 0, Mix(b[1], s[1], alpha));
        WORD r2 = Pick(black, 0, Mix(b[2], s[2], alpha));
        d[0] = (BYTE)Pick(white, d[0], r0);
        d[1] = (BYTE)Pick(white, d[1], r1);
        d[2] = (BYTE)Pick(white, d[2], r2);
    }
}

QM_VECTOR_CLONES
void KeyedBlendRow(const BYTE* source, const BYTE* background, BYTE* destination, int pixels, UINT alpha)
{
    BYTE sourceCopy[3 * kBlock] = {}, backgroundCopy[3 * kBlock], destinationCopy[3 * kBlock];
    for (int done = 0; done < pixels; done += kBlock) {
        const BYTE* s = source + 3 * done;
        const BYTE* b = background + 3 * done;
        BYTE* d = destination + 3 * done;
        int count = pixels - done < kBlock ? pixels - done : kBlock;
        if (count < kBlock) {
            CopyBytes(sourceCopy, s, 3 * count);
            CopyBytes(backgroundCopy, b, 3 * count);
            CopyBytes(destinationCopy, d, 3 * count);
            s = sourceCopy;
            b = backgroundCopy;
            d = destinationCopy;
        }
        BYTE all = 255;
        for (int i = 0; i < 3 * kBlock; ++i)
            all &= s[i];
        if (all != 255)
            KeyedPixels(s, b, d, kBlock, (WORD)alpha);
        if (count < kBlock)
            CopyBytes(destination + 3 * done, d, 3 * count);
    }
}

static inline void AlphaPixels(const BYTE* __restrict source, BYTE* __restrict destination, int pixels)
{
    for (int i = 0; i < pixels; ++i) {
        const BYTE* s = source + 4 * i;
        BYTE* d = destination + 3 * i;
        WORD a = s[3];
        WORD r0 = Pick(a == 255, s[2], Mix(d[0], s[2], a));
        WORD r1 = Pick(a == 255, s[1], Mix(d[1], s[1], a));
        WORD r2 = Pick(a == 255, s[0], Mix(d[2], s[0], a));
        d[0] = (BYTE)Pick(a == 0, d[0], r0);
        d[1] = (BYTE)Pick(a == 0, d[1], r1);
        d[2] = (BYTE)Pick(a == 0, d[2], r2);
    }
}

static inline void OpaquePixels(const BYTE* source, BYTE* destination, int pixels)
{
    for (int i = 0; i < pixels; ++i) {
        destination[3 * i] = source[4 * i + 2];
        destination[3 * i + 1] = source[4 * i + 1];
        destination[3 * i + 2] = source[4 * i];
    }
}

QM_VECTOR_CLONES
void AlphaCompositeRow(const BYTE* source, BYTE* destination, int pixels)
{
    BYTE sourceCopy[4 * kBlock] = {}, destinationCopy[3 * kBlock];
    for (int done = 0; done < pixels; done += kBlock) {
        const BYTE* s = source + 4 * done;
        BYTE* d = destination + 3 * done;
        int count = pixels - done < kBlock ? pixels - done : kBlock;
        if (count < kBlock) {
            CopyBytes(sourceCopy, s, 4 * count);
            CopyBytes(destinationCopy, d, 3 * count);
            s = sourceCopy;
            d = destinationCopy;
        }
        BYTE all = 255, any = 0;
        for (int i = 0; i < kBlock; ++i) {
            all &= s[4 * i + 3];
            any |= s[4 * i + 3];
        }
        if (all == 255)
            OpaquePixels(s, d, kBlock);
        else if (any != 0)
            AlphaPixels(s, d, kBlock);
        if (count < kBlock)
            CopyBytes(destination + 3 * done, d, 3 * count);
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
static inline WORD ScaleBy255(WORD m, WORD alpha)
{
    WORD x = (WORD)(m * alpha);
    return (WORD)((WORD)(x + 1 + (x >> 8)) >> 8);
}

static inline void MaskedPixels(const BYTE* picture, const BYTE* mask, const BYTE* background, BYTE* destination,
    int pixels, WORD alpha)
{
    for (int i = 0; i < pixels; ++i) {
        const BYTE* p = picture + 3 * i;
        const BYTE* b = background + 3 * i;
        BYTE* d = destination + 3 * i;
        WORD m = (WORD)(255 - mask[3 * i + 2]);
        m = Pick(alpha != 255, ScaleBy255(m, alpha), m);
        WORD r0 = Pick(m == 255, p[0], Mix(b[0], p[0], m));
        WORD r1 = Pick(m == 255, p[1], Mix(b[1], p[1], m));
        WORD r2 = Pick(m == 255, p[2], Mix(b[2], p[2], m));
        d[0] = (BYTE)Pick(m == 0, d[0], r0);
        d[1] = (BYTE)Pick(m == 0, d[1], r1);
        d[2] = (BYTE)Pick(m == 0, d[2], r2);
    }
}

QM_VECTOR_CLONES
void MaskedSheetRow(const BYTE* picture, const BYTE* mask, const BYTE* background, BYTE* destination, int pixels,
    UINT alpha)
{
    BYTE pictureCopy[3 * kBlock] = {}, maskCopy[3 * kBlock] = {}, backgroundCopy[3 * kBlock],
        destinationCopy[3 * kBlock];
    for (int done = 0; done < pixels; done += kBlock) {
        const BYTE* p = picture + 3 * done;
        const BYTE* m = mask + 3 * done;
        const BYTE* b = background + 3 * done;
        BYTE* d = destination + 3 * done;
        int count = pixels - done < kBlock ? pixels - done : kBlock;
        if (count < kBlock) {
            CopyBytes(pictureCopy, p, 3 * count);
            CopyBytes(maskCopy, m, 3 * count);
            CopyBytes(backgroundCopy, b, 3 * count);
            CopyBytes(destinationCopy, d, 3 * count);
            p = pictureCopy;
            m = maskCopy;
            b = backgroundCopy;
            d = destinationCopy;
        }
        BYTE all = 255, any = 0;
        for (int i = 0; i < kBlock; ++i) {
            all &= m[3 * i + 2];
            any |= m[3 * i + 2];
        }
        // Mask red 255 is transparent at any alpha.
        if (any == 0 && alpha == 255)
            CopyBytes(d, p, 3 * kBlock);
        else if (all != 255)
            MaskedPixels(p, m, b, d, kBlock, (WORD)alpha);
        if (count < kBlock)
            CopyBytes(destination + 3 * done, d, 3 * count);
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
        WORD m = mask[3 * i + maskByte];
        WORD r0 = Pick(m == 0, s[0], Mix(s[0], b[0], m));
        WORD r1 = Pick(m == 0, s[1], Mix(s[1], b[1], m));
        WORD r2 = Pick(m == 0, s[2], Mix(s[2], b[2], m));
        d[0] = (BYTE)Pick(m == 255, d[0], r0);
        d[1] = (BYTE)Pick(m == 255, d[1], r1);
        d[2] = (BYTE)Pick(m == 255, d[2], r2);
    }
}
