#include "stretch_row.h"

#include <cstddef>
#include <cstring>

// On the x86-64 host GCC compiles the doubling loop once for each
// of these vector units and picks the widest the processor has at load
// time; the shuffles it needs are missing from the base instruction set.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define STRETCH_VECTOR_CLONES __attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#else
#define STRETCH_VECTOR_CLONES
#endif

namespace platform {
namespace {

void CopyEach(uint8_t* to, const uint8_t* from, const int* columns, int count)
{
    for (int i = 0; i < count; ++i)
        std::memcpy(to + 3 * i, from + 3 * static_cast<ptrdiff_t>(columns[i]), 3);
}

// Every other source pixel.
void HalvePixels(uint8_t* __restrict to, const uint8_t* __restrict from, int pixels)
{
    for (int i = 0; i < pixels; ++i)
        for (int c = 0; c < 3; ++c)
            to[3 * i + c] = from[6 * i + c];
}

// Each of pixels source pixels written twice side by side.
STRETCH_VECTOR_CLONES
void DoublePixels(uint8_t* __restrict to, const uint8_t* __restrict from, int pixels)
{
    for (int i = 0; i < pixels; ++i)
        for (int c = 0; c < 3; ++c) {
            to[6 * i + c] = from[3 * i + c];
            to[6 * i + 3 + c] = from[3 * i + c];
        }
}

}  // namespace

StretchStep StepOf(int destinationWidth, int sourceWidth)
{
    if (destinationWidth == 2 * sourceWidth)
        return StretchStep::Double;
    if (sourceWidth == 2 * destinationWidth)
        return StretchStep::Halve;
    return StretchStep::Any;
}

void StretchRow24(uint8_t* to, const uint8_t* from, const int* columns, int count, StretchStep step)
{
    if (count <= 0)
        return;
    if (step == StretchStep::Halve) {
        HalvePixels(to, from + 3 * static_cast<ptrdiff_t>(columns[0]), count);
        return;
    }
    if (step == StretchStep::Any) {
        CopyEach(to, from, columns, count);
        return;
    }
    // A row that starts on the second copy of a pixel starts with it alone.
    int done = count > 1 && columns[0] == columns[1] ? 0 : 1;
    CopyEach(to, from, columns, done);
    int pairs = (count - done) / 2;
    DoublePixels(to + 3 * done, from + 3 * static_cast<ptrdiff_t>(columns[done]), pairs);
    done += 2 * pairs;
    CopyEach(to + 3 * done, from, columns + done, count - done);
}

}  // namespace platform
