#include "graphics/pixel_rows.h"

#include <string.h>

#include "graphics/vector_clones.h"

// Rows are looked at in blocks of this many pixels. Runs of wholly
// transparent blocks are skipped and runs of wholly opaque ones copied,
// which is most of a skin; runs of the others are blended in one go, so
// the loops run at full vector width. The last part of a row, shorter
// than a block, is blended in a copy of a whole block for the same reason.
static const int kBlock = 32;

enum BlockKind { kClearBlock, kOpaqueBlock, kMixedBlock };

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

// The bytes of a block ANDed and ORed together a word at a time: byte k of
// all is set where byte k of every word is, byte k of any where one is.
// Reading the results back as bytes keeps this the same on either byte
// order.
struct BlockBits {
    BYTE all[4];
    BYTE any[4];
};

static inline BlockBits BitsOf(const BYTE* bytes, int words, int stride)
{
    UINT all = ~0u, any = 0;
    for (int i = 0; i < words; ++i) {
        UINT word;
        memcpy(&word, bytes + 4 * stride * i, 4);
        all &= word;
        any |= word;
    }
    BlockBits bits;
    memcpy(bits.all, &all, 4);
    memcpy(bits.any, &any, 4);
    return bits;
}

static inline BlockKind KindOf(bool clear, bool opaque)
{
    return clear ? kClearBlock : opaque ? kOpaqueBlock : kMixedBlock;
}

// By the alpha bytes of R,G,B,A pixels.
static inline BlockKind AlphaKindOf(const BYTE* pixels)
{
    BlockBits bits = BitsOf(pixels, kBlock, 1);
    return KindOf(bits.any[3] == 0, bits.all[3] == 255);
}

static inline bool AllWhite(const BYTE* pixels)
{
    BYTE all = 255;
    for (int i = 0; i < 3 * kBlock; ++i)
        all &= pixels[i];
    return all == 255;
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
    int whole = pixels - pixels % kBlock;
    int rest = pixels - whole;
    // The part past the whole blocks is blended as the row's last block,
    // from a copy of it taken before the blocks before it change it, and
    // only that part is copied back; a row shorter than a block is blended
    // in a block with blank source pixels after it.
    int last = pixels < kBlock ? 0 : pixels - kBlock;
    int copied = pixels < kBlock ? rest : kBlock;
    BYTE s[3 * kBlock] = {}, b[3 * kBlock], d[3 * kBlock];
    if (rest != 0) {
        memcpy(s, source + 3 * last, 3 * (size_t)copied);
        memcpy(b, background + 3 * last, 3 * (size_t)copied);
        memcpy(d, destination + 3 * last, 3 * (size_t)copied);
    }
    for (int done = 0; done < whole;) {
        bool white = AllWhite(source + 3 * done);
        int end = done + kBlock;
        while (end < whole && AllWhite(source + 3 * end) == white)
            end += kBlock;
        if (!white)
            KeyedPixels(source + 3 * done, background + 3 * done, destination + 3 * done, end - done, (WORD)alpha);
        done = end;
    }
    if (rest == 0)
        return;
    KeyedPixels(s, b, d, kBlock, (WORD)alpha);
    memcpy(destination + 3 * whole, d + 3 * (whole - last), 3 * (size_t)rest);
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

static inline void OpaquePixels(const BYTE* __restrict source, BYTE* __restrict destination, int pixels)
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
    int whole = pixels - pixels % kBlock;
    for (int done = 0; done < whole;) {
        BlockKind kind = AlphaKindOf(source + 4 * done);
        int end = done + kBlock;
        while (end < whole && AlphaKindOf(source + 4 * end) == kind)
            end += kBlock;
        if (kind == kOpaqueBlock)
            OpaquePixels(source + 4 * done, destination + 3 * done, end - done);
        else if (kind == kMixedBlock)
            AlphaPixels(source + 4 * done, destination + 3 * done, end - done);
        done = end;
    }
    int rest = pixels - whole;
    if (rest == 0)
        return;
    BYTE s[4 * kBlock] = {}, d[3 * kBlock];
    CopyBytes(s, source + 4 * whole, 4 * rest);
    CopyBytes(d, destination + 3 * whole, 3 * rest);
    AlphaPixels(s, d, kBlock);
    CopyBytes(destination + 3 * whole, d, 3 * rest);
}

// Soft runs shorter than this are blended a pixel at a time; opaque runs
// this long are copied in blocks of it.
static const int kAlphaBlock = 16;

// One pixel with a test rather than a select: the few soft pixels at a
// skin's edges are cheaper so than through a vector loop's remainder.
static inline void AlphaPixel(const BYTE* source, BYTE* destination)
{
    WORD a = source[3];
    if (a == 0)
        return;
    if (a == 255) {
        destination[0] = source[2];
        destination[1] = source[1];
        destination[2] = source[0];
        return;
    }
    destination[0] = (BYTE)Mix(destination[0], source[2], a);
    destination[1] = (BYTE)Mix(destination[1], source[1], a);
    destination[2] = (BYTE)Mix(destination[2], source[0], a);
}

// Long soft runs are taken in spans of a multiple of this many pixels,
// which the vector loop covers with whole vectors and no remainder. The
// loop is a function of its own, so that it sees the count only when it
// runs: given a count known here, the compiler picks narrow vectors.
static const int kAlphaSpan = 64;

QM_VECTOR_CLONES
static void SoftSpan(const BYTE* source, BYTE* destination, int pixels)
{
    AlphaPixels(source, destination, pixels);
}

// The part of a long soft run past its whole spans is blended as the run's
// last span, in a copy taken before the spans before it change it, and only
// that part is copied back.
static inline void SoftRun(const BYTE* source, BYTE* destination, int pixels)
{
    if (pixels < kAlphaBlock) {
        for (int i = 0; i < pixels; ++i)
            AlphaPixel(source + 4 * i, destination + 3 * i);
        return;
    }
    if (pixels < kAlphaSpan) {
        SoftSpan(source, destination, pixels);
        return;
    }
    int whole = pixels - pixels % kAlphaSpan;
    int last = pixels - kAlphaSpan;
    BYTE saved[3 * kAlphaSpan];
    if (whole != pixels)
        memcpy(saved, destination + 3 * last, sizeof(saved));
    SoftSpan(source, destination, whole);
    if (whole == pixels)
        return;
    SoftSpan(source + 4 * last, saved, kAlphaSpan);
    memcpy(destination + 3 * whole, saved + 3 * (whole - last), 3 * (size_t)(pixels - whole));
}

// Copying a pixel twice gives what copying it once does, so the part of a
// run past its whole blocks is copied as one block that overlaps them.
static inline void OpaqueRun(const BYTE* source, BYTE* destination, int pixels)
{
    if (pixels < kAlphaBlock) {
        OpaquePixels(source, destination, pixels);
        return;
    }
    int whole = pixels - pixels % kAlphaBlock;
    OpaquePixels(source, destination, whole);
    if (whole == pixels)
        return;
    int last = pixels - kAlphaBlock;
    OpaquePixels(source + 4 * last, destination + 3 * last, kAlphaBlock);
}

QM_VECTOR_CLONES
void AlphaCompositeRuns(const BYTE* source, int width, BYTE* destination, ptrdiff_t stride, const AlphaRun* runs,
    size_t runCount)
{
    int x = 0;
    for (size_t i = 0; i < runCount; ++i) {
        int length = runs[i].length;
        if (runs[i].kind == kOpaqueRun)
            OpaqueRun(source + 4 * x, destination + 3 * x, length);
        else if (runs[i].kind == kSoftRun)
            SoftRun(source + 4 * x, destination + 3 * x, length);
        x += length;
        if (x == width) {
            x = 0;
            source += 4 * (size_t)width;
            destination += stride;
        }
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

// Without a global alpha (255) the mask is taken as it is; the two cases
// are two loops so that neither pays for the other.
template <bool kScaled>
static inline void MaskedPixels(const BYTE* picture, const BYTE* mask, const BYTE* background, BYTE* destination,
    int pixels, WORD alpha)
{
    for (int i = 0; i < pixels; ++i) {
        const BYTE* p = picture + 3 * i;
        const BYTE* b = background + 3 * i;
        BYTE* d = destination + 3 * i;
        WORD m = (WORD)(255 - mask[3 * i + 2]);
        if (kScaled)
            m = ScaleBy255(m, alpha);
        WORD r0 = Pick(m == 255, p[0], Mix(b[0], p[0], m));
        WORD r1 = Pick(m == 255, p[1], Mix(b[1], p[1], m));
        WORD r2 = Pick(m == 255, p[2], Mix(b[2], p[2], m));
        d[0] = (BYTE)Pick(m == 0, d[0], r0);
        d[1] = (BYTE)Pick(m == 0, d[1], r1);
        d[2] = (BYTE)Pick(m == 0, d[2], r2);
    }
}

static inline void MaskedRun(const BYTE* picture, const BYTE* mask, const BYTE* background, BYTE* destination,
    int pixels, WORD alpha)
{
    if (alpha == 255)
        MaskedPixels<false>(picture, mask, background, destination, pixels, alpha);
    else
        MaskedPixels<true>(picture, mask, background, destination, pixels, alpha);
}

// The drawing operations blend into the background itself. Then a row is
// taken in chunks: each pixel's weight is first given to its three bytes,
// after which every byte is blended alike, a loop that vectorises without
// the shuffles that pixels of three bytes otherwise cost in the arithmetic.
static const int kMaskChunk = 256;

template <bool kScaled>
static inline void MaskWeights(const BYTE* __restrict mask, BYTE* __restrict weights, int pixels, WORD alpha)
{
    for (int i = 0; i < pixels; ++i) {
        WORD m = (WORD)(255 - mask[3 * i + 2]);
        if (kScaled)
            m = ScaleBy255(m, alpha);
        weights[3 * i] = (BYTE)m;
        weights[3 * i + 1] = (BYTE)m;
        weights[3 * i + 2] = (BYTE)m;
    }
}

static inline void WeightedBytes(const BYTE* __restrict picture, const BYTE* __restrict weights,
    BYTE* __restrict destination, int bytes)
{
    for (int k = 0; k < bytes; ++k) {
        WORD m = weights[k], d = destination[k], p = picture[k];
        destination[k] = (BYTE)Pick(m == 0, d, Pick(m == 255, p, Mix(d, p, m)));
    }
}

// Sheets are small (icons), so the row is blended whole, without looking
// for runs.
QM_VECTOR_CLONES
void MaskedSheetRow(const BYTE* picture, const BYTE* mask, const BYTE* background, BYTE* destination, int pixels,
    UINT alpha)
{
    if (background != destination) {
        MaskedRun(picture, mask, background, destination, pixels, (WORD)alpha);
        return;
    }
    BYTE weights[3 * kMaskChunk];
    for (int done = 0; done < pixels; done += kMaskChunk) {
        int count = pixels - done < kMaskChunk ? pixels - done : kMaskChunk;
        if (alpha == 255)
            MaskWeights<false>(mask + 3 * done, weights, count, (WORD)alpha);
        else
            MaskWeights<true>(mask + 3 * done, weights, count, (WORD)alpha);
        WeightedBytes(picture + 3 * done, weights, destination + 3 * done, 3 * count);
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

void ColourBlendRow(BYTE* pixels, int count, const BYTE* colour, UINT alpha)
{
    WORD weight = (WORD)alpha;
    for (int i = 0; i < count; ++i) {
        BYTE* p = pixels + 3 * i;
        p[0] = (BYTE)Mix(p[0], colour[0], weight);
        p[1] = (BYTE)Mix(p[1], colour[1], weight);
        p[2] = (BYTE)Mix(p[2], colour[2], weight);
    }
}
