// The edit window's vertical scroll bar: arrows at both ends, the track
// between them and a thumb whose size and place follow the scroll range.
#pragma once

#include "ce/types.h"
#include "edit_layout.h"

namespace platform {

struct ScrollBarParts {
    RECT up{};
    RECT down{};
    RECT track{};  // between the arrows
    RECT thumb{};  // empty when there is nothing to scroll
};

ScrollBarParts LayOutScrollBar(const RECT& bar, const EditScroll& scroll);

enum class ScrollBarHit { None, LineUp, LineDown, PageUp, PageDown, Thumb };

ScrollBarHit HitScrollBar(const ScrollBarParts& parts, POINT at);

// The first line to show when the thumb's top is dragged to thumbTop.
size_t TopForThumb(const ScrollBarParts& parts, const EditScroll& scroll, LONG thumbTop);

}  // namespace platform
