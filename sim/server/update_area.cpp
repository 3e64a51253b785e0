#include "update_area.h"

namespace sim {

void UpdateArea::Add(const Rect& area, bool erase)
{
    if (area.Empty())
        return;
    area_.Unite(area);
    erase_ = erase_ || erase;
}

void UpdateArea::Remove(const Rect& area)
{
    area_.Subtract(area);
    if (area_.Empty())
        erase_ = false;
}

void UpdateArea::ClipTo(const Rect& client)
{
    area_.Intersect(client);
    if (area_.Empty())
        erase_ = false;
}

}  // namespace sim
