#include "open_menus.h"

#include <algorithm>

namespace sim {

void WriteMenuItems(WireWriter& out, const std::vector<MenuItemPlace>& items)
{
    out.U32(static_cast<uint32_t>(items.size()));
    for (const MenuItemPlace& item : items)
        out.Text(item.text).I32(item.rect.left).I32(item.rect.top).I32(item.rect.right).I32(item.rect.bottom);
}

std::vector<MenuItemPlace> ReadMenuItems(WireReader& in)
{
    std::vector<MenuItemPlace> items;
    uint32_t count = in.U32();
    for (uint32_t i = 0; i < count && !in.Failed(); ++i) {
        MenuItemPlace item;
        item.text = in.Text();
        item.rect.left = ClampCoordinate(in.I32());
        item.rect.top = ClampCoordinate(in.I32());
        item.rect.right = ClampCoordinate(in.I32());
        item.rect.bottom = ClampCoordinate(in.I32());
        items.push_back(std::move(item));
    }
    if (in.Failed())
        items.clear();
    return items;
}

void OpenMenus::Set(Pid pid, std::vector<MenuItemPlace> items)
{
    open_.erase(std::remove_if(open_.begin(), open_.end(), [pid](const auto& entry) { return entry.first == pid; }),
                open_.end());
    if (!items.empty())
        open_.emplace_back(pid, std::move(items));
}

std::optional<Rect> OpenMenus::Find(std::u16string_view text) const
{
    for (auto menus = open_.rbegin(); menus != open_.rend(); ++menus)
        for (auto item = menus->second.rbegin(); item != menus->second.rend(); ++item)
            if (item->text == text)
                return item->rect;
    return std::nullopt;
}

}  // namespace sim
