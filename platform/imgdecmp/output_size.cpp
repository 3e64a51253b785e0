#include "output_size.h"

#include <algorithm>

namespace imgdecmp {

bool IsWithinLimits(int64_t width, int64_t height)
{
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide && width * height <= kMaxPixels;
}

std::optional<PictureSize> OutputSize(PictureSize source, const SizeRequest& request)
{
    if (!IsWithinLimits(source.width, source.height) || request.scale <= 0)
        return std::nullopt;
    int64_t width = std::max<int64_t>(1, int64_t(source.width) * request.scale / 100);
    int64_t height = std::max<int64_t>(1, int64_t(source.height) * request.scale / 100);
    int64_t maxWidth = request.maxWidth;
    int64_t maxHeight = request.maxHeight;
    bool tooWide = maxWidth > 0 && width > maxWidth;
    bool tooTall = maxHeight > 0 && height > maxHeight;
    // The side that overshoots its limit by more decides the shrinking;
    // the other side follows, rounded to the nearest pixel.
    if (tooWide && (!tooTall || width * maxHeight >= height * maxWidth)) {
        height = std::max<int64_t>(1, (height * maxWidth + width / 2) / width);
        width = maxWidth;
    } else if (tooTall) {
        width = std::max<int64_t>(1, (width * maxHeight + height / 2) / height);
        height = maxHeight;
    }
    if (!IsWithinLimits(width, height))
        return std::nullopt;
    return PictureSize{static_cast<int>(width), static_cast<int>(height)};
}

}  // namespace imgdecmp
