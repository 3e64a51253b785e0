#include "edit_scroll_bar.h"

#include <algorithm>

namespace platform {
namespace {

bool Inside(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

}  // namespace

ScrollBarParts LayOutScrollBar(const RECT& bar, const EditScroll& scroll)
{
    ScrollBarParts parts;
    LONG width = bar.right - bar.left;
    LONG height = bar.bottom - bar.top;
    LONG arrow = std::min(width, height / 2);
    parts.up = RECT{bar.left, bar.top, bar.right, bar.top + arrow};
    parts.down = RECT{bar.left, bar.bottom - arrow, bar.right, bar.bottom};
    parts.track = RECT{bar.left, parts.up.bottom, bar.right, parts.down.top};
    LONG track = parts.track.bottom - parts.track.top;
    if (scroll.MaxTop() == 0 || track <= 0)
        return parts;
    // The thumb is to the track as the page is to the text, never smaller
    // than half an arrow.
    LONG thumb = static_cast<LONG>(static_cast<long long>(track) * scroll.PageLines() / scroll.LineCount());
    thumb = std::clamp(thumb, std::min(track, std::max<LONG>(arrow / 2, 1)), track);
    LONG travel = track - thumb;
    LONG offset = static_cast<LONG>(static_cast<long long>(travel) * scroll.Top() / scroll.MaxTop());
    parts.thumb = RECT{bar.left, parts.track.top + offset, bar.right, parts.track.top + offset + thumb};
    return parts;
}

ScrollBarHit HitScrollBar(const ScrollBarParts& parts, POINT at)
{
    if (Inside(parts.up, at))
        return ScrollBarHit::LineUp;
    if (Inside(parts.down, at))
        return ScrollBarHit::LineDown;
    if (!Inside(parts.track, at) || parts.thumb.bottom <= parts.thumb.top)
        return ScrollBarHit::None;
    if (at.y < parts.thumb.top)
        return ScrollBarHit::PageUp;
    if (at.y >= parts.thumb.bottom)
        return ScrollBarHit::PageDown;
    return ScrollBarHit::Thumb;
}

size_t TopForThumb(const ScrollBarParts& parts, const EditScroll& scroll, LONG thumbTop)
{
    LONG travel = (parts.track.bottom - parts.track.top) - (parts.thumb.bottom - parts.thumb.top);
    if (travel <= 0)
        return 0;
    LONG offset = std::clamp<LONG>(thumbTop - parts.track.top, 0, travel);
    // Rounded to the nearest line.
    return static_cast<size_t>((static_cast<long long>(offset) * scroll.MaxTop() * 2 + travel) / (2 * travel));
}

}  // namespace platform
