// Regions and the DC's clip.
#include "ce/errors.h"
#include "device_context.h"

namespace platform {
namespace {

int KindOf(const sim::Region& region)
{
    if (region.Empty())
        return NULLREGION;
    return region.Rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

sim::Rect Normalised(int x1, int y1, int x2, int y2)
{
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    return sim::Rect{x1, y1, x2, y2};
}

// The DC's drawable area in DC coordinates, when it has no clip of its own.
sim::Region WholeDc(HDC hdc)
{
    DrawTarget target;
    if (!TargetOf(hdc, target))
        return sim::Region();
    target.clip.Offset(-target.dx, -target.dy);
    return target.clip;
}

}  // namespace
}  // namespace platform

using namespace platform;

HRGN CreateRectRgn(int x1, int y1, int x2, int y2)
{
    auto region = std::make_unique<RegionObject>();
    region->region = sim::Region(Normalised(x1, y1, x2, y2));
    return static_cast<HRGN>(AddGdiObject(std::move(region)));
}

HRGN CreateRectRgnIndirect(const RECT* lprect)
{
    if (!lprect)
        return nullptr;
    return CreateRectRgn(lprect->left, lprect->top, lprect->right, lprect->bottom);
}

int SelectClipRgn(HDC hdc, HRGN hrgn)
{
    DeviceContext* dc = FindDc(hdc);
    if (!dc)
        return ERROR;
    if (!hrgn) {
        dc->clip.reset();
        return SIMPLEREGION;
    }
    RegionObject* region = FindGdiObjectOf<RegionObject>(hrgn, GdiType::Region);
    if (!region)
        return ERROR;
    // The DC keeps a copy: the region may be deleted at once.
    dc->clip = region->region;
    return KindOf(*dc->clip);
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    DeviceContext* dc = FindDc(hdc);
    if (!dc)
        return ERROR;
    sim::Rect rect{left, top, right, bottom};
    if (dc->clip)
        dc->clip->Intersect(rect);
    else
        dc->clip = sim::Region(rect);
    return KindOf(*dc->clip);
}

int GetClipBox(HDC hdc, LPRECT lprect)
{
    if (!FindDc(hdc) || !lprect)
        return ERROR;
    sim::Region area = WholeDc(hdc);
    sim::Rect box = area.Bounds();
    *lprect = RECT{box.left, box.top, box.right, box.bottom};
    return KindOf(area);
}
