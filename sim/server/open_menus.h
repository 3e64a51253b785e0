// The popup menus programs have open, as their menu loops report them: each
// shown item's text and screen rectangle, for scripts that choose an item by
// its text.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "window_geometry.h"
#include "window_manager.h"
#include "wire.h"

namespace sim {

struct MenuItemPlace {
    std::u16string text;
    Rect rect;  // screen coordinates
};

// The MenuItems request's arguments: a count, then text and rectangle each.
void WriteMenuItems(WireWriter& out, const std::vector<MenuItemPlace>& items);
// Empty, with the reader failed, when the frame is short.
std::vector<MenuItemPlace> ReadMenuItems(WireReader& in);

class OpenMenus {
public:
    // A process's items, top level first; none when its menus closed.
    void Set(Pid pid, std::vector<MenuItemPlace> items);
    void Forget(Pid pid) { Set(pid, {}); }
    // The item with exactly that text: the last reported process's first,
    // and within it the most recently opened level's.
    std::optional<Rect> Find(std::u16string_view text) const;

private:
    std::vector<std::pair<Pid, std::vector<MenuItemPlace>>> open_;  // in report order
};

}  // namespace sim
