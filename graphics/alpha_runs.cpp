#include "graphics/alpha_runs.h"

#include <algorithm>
#include <vector>

#include "graphics/alpha_image.h"

// Clear and opaque stretches shorter than this are blended with the soft
// pixels around them: a run costs a loop start, and blending handles every
// alpha, so one longer soft run is cheaper than many short ones.
static const int kShortestPlainRun = 16;

namespace {

// Pixels [start, end) of a row.
struct Span {
    int start;
    int end;
};

}  // namespace

static WORD KindOfAlpha(BYTE alpha)
{
    return alpha == 0 ? kClearRun : alpha == 255 ? kOpaqueRun : kSoftRun;
}

// The row's soft pixels and its short clear or opaque stretches, as spans
// in order; every pixel outside them is in a plain stretch of one kind.
static std::vector<Span> SoftSpans(const BYTE* pixels, int width)
{
    std::vector<Span> spans;
    for (int x = 0; x < width;) {
        WORD kind = KindOfAlpha(pixels[4 * x + 3]);
        int end = x + 1;
        while (end < width && KindOfAlpha(pixels[4 * end + 3]) == kind)
            ++end;
        if (kind == kSoftRun || end - x < kShortestPlainRun) {
            if (!spans.empty() && spans.back().end == x)
                spans.back().end = end;
            else
                spans.push_back(Span{ x, end });
        }
        x = end;
    }
    return spans;
}

static void Append(std::vector<AlphaRun>& runs, WORD kind, int length)
{
    AlphaRun run = { kind, (WORD)length };
    runs.push_back(run);
}

// Pixels [start, end) are all clear or opaque: one run per stretch.
static void AppendPlain(const BYTE* pixels, int start, int end, std::vector<AlphaRun>& runs)
{
    for (int x = start; x < end;) {
        WORD kind = KindOfAlpha(pixels[4 * x + 3]);
        int next = x + 1;
        while (next < end && KindOfAlpha(pixels[4 * next + 3]) == kind)
            ++next;
        Append(runs, kind, next - x);
        x = next;
    }
}

static void ClassifyRow(const BYTE* pixels, int width, std::vector<AlphaRun>& runs)
{
    int x = 0;
    for (const Span& span : SoftSpans(pixels, width)) {
        AppendPlain(pixels, x, span.start, runs);
        Append(runs, kSoftRun, span.end - span.start);
        x = span.end;
    }
    AppendPlain(pixels, x, width, runs);
}

void ClassifyAlphaRuns(AlphaImage* image)
{
    delete[] image->runs;
    image->runs = NULL;
    image->runCount = 0;
    if (image->pixels == NULL || image->bytesPerPixel != 4 || image->width > 0xFFFF)
        return;
    std::vector<AlphaRun> runs;
    size_t rowBytes = (size_t)image->width * 4;
    for (DWORD row = 0; row < image->height; ++row)
        ClassifyRow(image->pixels + row * rowBytes, (int)image->width, runs);
    image->runs = new AlphaRun[runs.size()];
    std::copy(runs.begin(), runs.end(), image->runs);
    image->runCount = (DWORD)runs.size();
}
