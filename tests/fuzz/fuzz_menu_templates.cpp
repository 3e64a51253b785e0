// Menu resources and soft-key bar templates from a module's resources: a
// template read whole fits the bytes, and a bar keeps to its two soft keys.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>

#include "ce/menus.h"
#include "menu_bar_template.h"
#include "menu_resource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::span<const BYTE> bytes(data, size);
    std::optional<platform::MenuBarTemplate> bar = platform::ReadMenuBarTemplate(bytes);
    if (bar) {
        if (bar->buttons.empty() || bar->buttons.size() > platform::kMaxSoftKeys || 4 + bar->buttons.size() * 14 > size)
            abort();
    }
    if (HMENU menu = platform::MenuFromTemplate(bytes)) {
        // Every item takes at least its flags and a terminator.
        if (static_cast<size_t>(GetMenuItemCount(menu)) * 4 > size)
            abort();
        DestroyMenu(menu);
    }
    return 0;
}
