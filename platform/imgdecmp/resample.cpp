#include "resample.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace imgdecmp {
namespace {

// The source pixels [first, last) that target pixel i of `target` covers.
struct Span {
    int first;
    int last;
};

std::vector<Span> Spans(int source, int target)
{
    std::vector<Span> spans(target);
    for (int i = 0; i < target; ++i) {
        int first = static_cast<int>(int64_t(i) * source / target);
        int last = static_cast<int>(int64_t(i + 1) * source / target);
        spans[i] = {first, std::max(last, first + 1)};
    }
    return spans;
}

void AveragePixel(const Picture& source, Span columns, Span rows, BYTE* out)
{
    uint64_t sums[3] = {0, 0, 0};
    for (int y = rows.first; y < rows.last; ++y) {
        const BYTE* pixel = source.Row(y) + columns.first * 3;
        for (int x = columns.first; x < columns.last; ++x, pixel += 3) {
            sums[0] += pixel[0];
            sums[1] += pixel[1];
            sums[2] += pixel[2];
        }
    }
    uint64_t count = uint64_t(columns.last - columns.first) * (rows.last - rows.first);
    for (int c = 0; c < 3; ++c)
        out[c] = static_cast<BYTE>((sums[c] + count / 2) / count);
}

}  // namespace

std::optional<Picture> Resample(Picture source, PictureSize size)
{
    if (source.width == size.width && source.height == size.height)
        return source;
    Picture target;
    if (!target.Allocate(size))
        return std::nullopt;
    std::vector<Span> columns = Spans(source.width, size.width);
    std::vector<Span> rows = Spans(source.height, size.height);
    for (int y = 0; y < size.height; ++y) {
        BYTE* out = target.Row(y);
        for (int x = 0; x < size.width; ++x, out += 3)
            AveragePixel(source, columns[x], rows[y], out);
    }
    return target;
}

}  // namespace imgdecmp
