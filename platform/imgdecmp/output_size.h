// The size a picture is delivered at, from its own size and the caller's
// request.
#pragma once

#include <cstdint>
#include <optional>

#include "picture.h"

namespace imgdecmp {

// Files claiming more than this are refused before anything is allocated
// for them.
constexpr int kMaxSide = 16384;
constexpr int64_t kMaxPixels = 64LL * 1024 * 1024;

// A percentage of the picture's size, then at most this large (a limit of
// zero or less leaves that side free).
struct SizeRequest {
    int scale;
    int maxWidth;
    int maxHeight;
};

bool IsWithinLimits(int64_t width, int64_t height);

// The source scaled by the percentage, then shrunk with its aspect kept
// until it fits; none when the source or the result is beyond the limits.
std::optional<PictureSize> OutputSize(PictureSize source, const SizeRequest& request);

}  // namespace imgdecmp
