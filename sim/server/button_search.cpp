#include "button_search.h"

#include "device_path.h"

namespace sim {

std::u16string ShownText(std::u16string_view text)
{
    std::u16string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && ++i == text.size())
            break;
        shown += text[i];
    }
    return shown;
}

Hwnd FindButton(const WindowManager& windows, Hwnd within, std::u16string_view text)
{
    const Window* parent = windows.Get(within);
    if (!parent)
        return 0;
    for (Hwnd child : parent->children) {
        const Window* window = windows.Get(child);
        if (!window || !windows.IsVisible(child))
            continue;
        if (platform::FoldDeviceName(window->className) == u"BUTTON" && ShownText(window->title) == text)
            return child;
        if (Hwnd inner = FindButton(windows, child, text))
            return inner;
    }
    return 0;
}

}  // namespace sim
