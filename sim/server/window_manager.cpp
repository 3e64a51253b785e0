#include "window_manager.h"

#include <algorithm>
#include <cstdio>

#include "ce/windowing.h"
#include "event_log.h"

namespace sim {

namespace {

constexpr Hwnd kFirstHandle = 0x10000;
// Steps of 4 keep handles from looking like small integers or counts.
constexpr Hwnd kHandleStep = 4;

char16_t FoldCase(char16_t c)
{
    // ASCII and Latin-1 capitals; U+00D7 (multiplication sign) has no case.
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<char16_t>(c + 0x20);
    return c;
}

bool SameTextIgnoringCase(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return FoldCase(x) == FoldCase(y); });
}

bool Contains(const std::vector<Hwnd>& list, Hwnd hwnd)
{
    return std::find(list.begin(), list.end(), hwnd) != list.end();
}

// A window across the whole width of the work area from its top, ending
// above its bottom: an application window above the soft-key bar.
bool SpansWorkAreaTop(const Rect& rect, const Rect& workArea)
{
    return rect.left == workArea.left && rect.right == workArea.right && rect.top == workArea.top &&
           rect.bottom < workArea.bottom && rect.bottom > workArea.top;
}

// A bar along the bottom of the screen across its whole width, such as a
// program's soft-key bar.
bool DockedAtBottom(const Rect& rect, const Rect& screen)
{
    return rect.left == screen.left && rect.right == screen.right && rect.bottom == screen.bottom &&
           rect.top > screen.top;
}

bool NeverActivated(const Window& window) { return (window.exStyle & WS_EX_NOACTIVATE) != 0; }

bool IsChildStyle(uint32_t style)
{
    return (style & WS_CHILD) != 0;
}

}  // namespace

WindowManager::WindowManager(const Rect& screen, const Rect& workArea)
    : screen_(screen), workArea_(workArea), nextHandle_(kFirstHandle)
{
    desktop_ = AllocateHandle();
    Window& desktop = windows_[desktop_];
    desktop.hwnd = desktop_;
    desktop.className = u"DesktopExplorerWindow";
    desktop.title = u"Desktop";
    desktop.style = WS_VISIBLE;
    desktop.rect = screen;
    desktop.update.Add(ClientRect(desktop_), true);
    topLevel_.push_back(desktop_);
}

Hwnd WindowManager::AllocateHandle()
{
    Hwnd hwnd = nextHandle_;
    nextHandle_ += kHandleStep;
    return hwnd;
}

void WindowManager::SetDesktopOwner(Pid pid)
{
    windows_.at(desktop_).pid = pid;
}

const Window* WindowManager::Get(Hwnd hwnd) const
{
    auto it = windows_.find(hwnd);
    return it == windows_.end() ? nullptr : &it->second;
}

Window* WindowManager::Lookup(Hwnd hwnd)
{
    auto it = windows_.find(hwnd);
    return it == windows_.end() ? nullptr : &it->second;
}

Rect WindowManager::DefaultPlacement(const CreateParams& params, bool child) const
{
    Rect rect{params.x, params.y, 0, 0};
    int32_t width = params.width;
    int32_t height = params.height;
    if (params.x == CW_USEDEFAULT) {
        rect.left = child ? 0 : workArea_.left;
        rect.top = child ? 0 : workArea_.top;
    }
    if (params.width == CW_USEDEFAULT) {
        width = child ? 0 : workArea_.Width();
        height = child ? 0 : workArea_.Height();
    }
    rect.right = rect.left + std::max(width, 0);
    rect.bottom = rect.top + std::max(height, 0);
    return rect;
}

Hwnd WindowManager::Create(Pid pid, const CreateParams& params)
{
    bool child = IsChildStyle(params.style);
    Window* parent = params.parent ? Lookup(params.parent) : nullptr;
    if ((params.parent && !parent) || (child && !parent))
        return 0;

    Hwnd hwnd = AllocateHandle();
    layoutVersion_++;
    Window& window = windows_[hwnd];
    window.hwnd = hwnd;
    window.pid = pid;
    window.className = params.className;
    window.title = params.title;
    window.style = params.style;
    window.exStyle = params.exStyle;
    window.controlId = child ? params.controlId : 0;
    window.extraBytes.assign(params.extraBytes, 0);
    window.rect = DefaultPlacement(params, child);
    window.frame = params.frame;
    if (child) {
        window.parent = params.parent;
        Rect origin = ClientBounds(*parent);
        window.rect = window.rect.Offset(origin.left, origin.top);
        // A new child goes to the bottom, so that siblings stay in creation
        // order from the top (dialog tab order follows it).
        parent->children.push_back(hwnd);
    } else {
        window.owner = params.parent;
        PlaceOnTop(hwnd);
    }
    if (IsVisible(hwnd)) {
        window.update.Add(ClientRect(hwnd), true);
        window.frameDirty = !(window.frame == Rect());
    }
    return hwnd;
}

std::vector<Hwnd>& WindowManager::SiblingsOf(const Window& window)
{
    return window.parent ? windows_.at(window.parent).children : topLevel_;
}

const std::vector<Hwnd>& WindowManager::SiblingsOf(const Window& window) const
{
    return window.parent ? windows_.at(window.parent).children : topLevel_;
}

void WindowManager::CollectDestruction(Hwnd hwnd, std::vector<Hwnd>& order) const
{
    const Window& window = windows_.at(hwnd);
    if (!window.parent) {
        for (Hwnd other : topLevel_) {
            const Window& owned = windows_.at(other);
            if (owned.owner == hwnd && owned.pid == window.pid && !Contains(order, other))
                CollectDestruction(other, order);
        }
    }
    order.push_back(hwnd);
    for (Hwnd child : window.children)
        CollectDestruction(child, order);
}

std::vector<Hwnd> WindowManager::DestructionOrder(Hwnd hwnd) const
{
    std::vector<Hwnd> order;
    if (IsWindow(hwnd) && hwnd != desktop_)
        CollectDestruction(hwnd, order);
    return order;
}

Destruction WindowManager::Destroy(Hwnd hwnd)
{
    if (!IsWindow(hwnd) || hwnd == desktop_)
        return {};
    return DestroyAll({hwnd});
}

Destruction WindowManager::DestroyAllOf(Pid pid)
{
    Window& desktop = windows_.at(desktop_);
    if (desktop.pid == pid)
        desktop.pid = 0;
    // Top-level windows in z-order first, so that the order is the one the
    // user saw; then children this process put into other processes' windows.
    std::vector<Hwnd> roots;
    for (Hwnd hwnd : topLevel_)
        if (windows_.at(hwnd).pid == pid && hwnd != desktop_)
            roots.push_back(hwnd);
    for (const auto& [hwnd, window] : windows_)
        if (window.pid == pid && window.parent)
            roots.push_back(hwnd);
    return DestroyAll(roots);
}

Destruction WindowManager::DestroyAll(const std::vector<Hwnd>& roots)
{
    Destruction result;
    for (Hwnd root : roots)
        if (!Contains(result.destroyed, root))
            CollectDestruction(root, result.destroyed);
    const std::vector<Hwnd>& leaving = result.destroyed;
    layoutVersion_++;

    ExposeUncovered(leaving);
    Hwnd successor = Contains(leaving, active_) ? SuccessorOf(active_, leaving) : active_;
    if (Contains(leaving, focus_))
        focus_ = SurvivingAncestor(focus_, leaving);
    if (Contains(leaving, capture_))
        capture_ = 0;

    for (Hwnd hwnd : leaving)
        Unlink(hwnd);
    for (Hwnd hwnd : leaving)
        windows_.erase(hwnd);
    for (auto& [hwnd, window] : windows_)
        if (Contains(leaving, window.owner))
            window.owner = 0;

    if (successor != active_)
        result.activation = Activate(successor);
    return result;
}

void WindowManager::ExposeUncovered(const std::vector<Hwnd>& order)
{
    // Only the outermost windows matter: a child lies within its parent.
    for (Hwnd hwnd : order) {
        const Window& window = windows_.at(hwnd);
        if (window.parent && Contains(order, window.parent))
            continue;
        if (IsVisible(hwnd))
            ExposeBeneath(window, Region(VisibleBounds(window)));
    }
}

void WindowManager::Unlink(Hwnd hwnd)
{
    std::vector<Hwnd>& siblings = SiblingsOf(windows_.at(hwnd));
    siblings.erase(std::remove(siblings.begin(), siblings.end(), hwnd), siblings.end());
}

Hwnd WindowManager::SurvivingAncestor(Hwnd hwnd, const std::vector<Hwnd>& leaving) const
{
    while (hwnd && Contains(leaving, hwnd))
        hwnd = windows_.at(hwnd).parent;
    return hwnd;
}

ShowResult WindowManager::Show(Hwnd hwnd, bool visible)
{
    Window* window = Lookup(hwnd);
    if (!window)
        return {};
    ShowResult result;
    result.wasVisible = (window->style & WS_VISIBLE) != 0;
    if (visible == result.wasVisible)
        return result;
    layoutVersion_++;

    if (visible) {
        window->style |= WS_VISIBLE;
        if (IsVisible(hwnd))
            InvalidateTree(*window, window->rect, true, true);
        return result;
    }

    if (IsVisible(hwnd))
        ExposeBeneath(*window, Region(VisibleBounds(*window)));
    window->style &= ~static_cast<uint32_t>(WS_VISIBLE);
    std::vector<Hwnd> hidden{hwnd};
    if (IsSelfOrDescendant(hwnd, focus_) && window->parent)
        focus_ = window->parent;
    if (active_ == hwnd)
        result.activation = Activate(SuccessorOf(hwnd, hidden));
    return result;
}

Rect WindowManager::Placement(Hwnd hwnd) const
{
    const Window* window = Get(hwnd);
    if (!window)
        return {};
    if (!window->parent)
        return window->rect;
    Rect parent = ClientBounds(windows_.at(window->parent));
    return window->rect.Offset(-parent.left, -parent.top);
}

bool WindowManager::Move(Hwnd hwnd, const Rect& placement)
{
    Window* window = Lookup(hwnd);
    if (!window)
        return false;
    Rect rect = placement;
    if (window->parent) {
        Rect parent = ClientBounds(windows_.at(window->parent));
        rect = rect.Offset(parent.left, parent.top);
    }
    SetRect(*window, rect);
    return true;
}

void WindowManager::SetRect(Window& window, const Rect& rect)
{
    if (window.rect == rect)
        return;
    layoutVersion_++;
    bool visible = IsVisible(window.hwnd);
    Rect before = VisibleBounds(window);
    int32_t dx = rect.left - window.rect.left;
    int32_t dy = rect.top - window.rect.top;
    std::vector<Hwnd> pending = window.children;
    while (!pending.empty()) {
        Window& child = windows_.at(pending.back());
        pending.pop_back();
        child.rect = child.rect.Offset(dx, dy);
        pending.insert(pending.end(), child.children.begin(), child.children.end());
    }
    window.rect = rect;
    window.update.ClipTo(ClientRect(window.hwnd));
    if (!visible)
        return;
    Region exposed(before);
    exposed.Subtract(VisibleBounds(window));
    ExposeBeneath(window, exposed);
    InvalidateTree(window, window.rect, true, true);
}

bool WindowManager::IsVisible(Hwnd hwnd) const
{
    const Window* window = Get(hwnd);
    if (!window)
        return false;
    for (; window; window = window->parent ? Get(window->parent) : nullptr)
        if (!(window->style & WS_VISIBLE))
            return false;
    return true;
}

bool WindowManager::IsEnabled(Hwnd hwnd) const
{
    const Window* window = Get(hwnd);
    return window && !(window->style & WS_DISABLED);
}

bool WindowManager::SetTitle(Hwnd hwnd, std::u16string_view title)
{
    Window* window = Lookup(hwnd);
    if (!window)
        return false;
    window->title = title;
    return true;
}

bool WindowManager::SetStyle(Hwnd hwnd, uint32_t style)
{
    Window* window = Lookup(hwnd);
    if (!window)
        return false;
    window->style = style;
    layoutVersion_++;
    return true;
}

bool WindowManager::SetExStyle(Hwnd hwnd, uint32_t exStyle)
{
    Window* window = Lookup(hwnd);
    if (!window)
        return false;
    window->exStyle = exStyle;
    return true;
}

namespace {

bool FitsExtraBytes(const Window& window, int32_t offset)
{
    return offset >= 0 && static_cast<size_t>(offset) + 4 <= window.extraBytes.size();
}

}  // namespace

std::optional<uint32_t> WindowManager::Long(Hwnd hwnd, int32_t index) const
{
    const Window* window = Get(hwnd);
    if (!window)
        return std::nullopt;
    switch (index) {
    case GWL_STYLE: return window->style;
    case GWL_EXSTYLE: return window->exStyle;
    case GWL_USERDATA: return static_cast<uint32_t>(window->userData);
    case GWL_ID: return window->controlId;
    default: break;
    }
    if (!FitsExtraBytes(*window, index))
        return std::nullopt;
    const uint8_t* bytes = window->extraBytes.data() + index;
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

std::optional<uint32_t> WindowManager::SetLong(Hwnd hwnd, int32_t index, uint32_t value)
{
    std::optional<uint32_t> previous = Long(hwnd, index);
    if (!previous)
        return std::nullopt;
    Window& window = windows_.at(hwnd);
    switch (index) {
    case GWL_STYLE: SetStyle(hwnd, value); break;
    case GWL_EXSTYLE: window.exStyle = value; break;
    case GWL_USERDATA: window.userData = static_cast<int32_t>(value); break;
    case GWL_ID: window.controlId = value; break;
    default:
        for (int i = 0; i < 4; ++i)
            window.extraBytes[static_cast<size_t>(index + i)] = static_cast<uint8_t>(value >> (8 * i));
        break;
    }
    return previous;
}

bool WindowManager::Enable(Hwnd hwnd, bool enable)
{
    Window* window = Lookup(hwnd);
    if (!window)
        return false;
    bool wasDisabled = (window->style & WS_DISABLED) != 0;
    if (enable) {
        window->style &= ~static_cast<uint32_t>(WS_DISABLED);
    } else {
        window->style |= WS_DISABLED;
        if (focus_ == hwnd)
            focus_ = 0;
    }
    return wasDisabled;
}

Hwnd WindowManager::Parent(Hwnd hwnd) const
{
    const Window* window = Get(hwnd);
    if (!window)
        return 0;
    if (window->parent)
        return window->parent;
    return (window->style & WS_POPUP) ? window->owner : 0;
}

Hwnd WindowManager::TopLevelOf(Hwnd hwnd) const
{
    const Window* window = Get(hwnd);
    while (window && window->parent)
        window = Get(window->parent);
    return window ? window->hwnd : 0;
}

bool WindowManager::IsSelfOrDescendant(Hwnd ancestor, Hwnd hwnd) const
{
    for (const Window* window = Get(hwnd); window; window = Get(window->parent))
        if (window->hwnd == ancestor)
            return true;
    return false;
}

Rect WindowManager::ClientBounds(const Window& window) const
{
    Rect client{window.rect.left + window.frame.left, window.rect.top + window.frame.top,
                window.rect.right - window.frame.right, window.rect.bottom - window.frame.bottom};
    // A window smaller than its frame has an empty client area at its corner.
    client.right = std::max(client.left, client.right);
    client.bottom = std::max(client.top, client.bottom);
    return client;
}

Rect WindowManager::ClientRect(Hwnd hwnd) const
{
    const Window* window = Get(hwnd);
    if (!window)
        return Rect();
    Rect client = ClientBounds(*window);
    return Rect{0, 0, client.Width(), client.Height()};
}

Rect WindowManager::ClientOnScreen(Hwnd hwnd) const
{
    const Window* window = Get(hwnd);
    return window ? ClientBounds(*window) : Rect();
}

std::optional<Point> WindowManager::MapOffset(Hwnd from, Hwnd to) const
{
    const Window* source = from ? Get(from) : nullptr;
    const Window* target = to ? Get(to) : nullptr;
    if ((from && !source) || (to && !target))
        return std::nullopt;
    Point offset;
    if (source) {
        Rect client = ClientBounds(*source);
        offset = {client.left, client.top};
    }
    if (target) {
        Rect client = ClientBounds(*target);
        offset = {offset.x - client.left, offset.y - client.top};
    }
    return offset;
}

// The desktop is the shell's Today screen too: brought to the front, it
// covers the programs as any window does.
void WindowManager::PlaceOnTop(Hwnd topLevel)
{
    std::vector<Hwnd> before = topLevel_;
    topLevel_.erase(std::remove(topLevel_.begin(), topLevel_.end(), topLevel), topLevel_.end());
    auto position = topLevel_.begin();
    if (!(windows_.at(topLevel).exStyle & WS_EX_TOPMOST))
        position = std::find_if(topLevel_.begin(), topLevel_.end(),
                                [this](Hwnd hwnd) { return !(windows_.at(hwnd).exStyle & WS_EX_TOPMOST); });
    topLevel_.insert(position, topLevel);
    if (topLevel_ != before) {
        // What covered the raised window is gone from the screen.
        layoutVersion_++;
        Window& raised = windows_.at(topLevel);
        if (raised.style & WS_VISIBLE)
            InvalidateTree(raised, raised.rect, true, true);
    }
    // Owned windows stay above their owner.
    std::vector<Hwnd> owned;
    for (Hwnd hwnd : topLevel_)
        if (windows_.at(hwnd).owner == topLevel)
            owned.push_back(hwnd);
    for (auto it = owned.rbegin(); it != owned.rend(); ++it)
        PlaceOnTop(*it);
}

bool WindowManager::BringToTop(Hwnd hwnd)
{
    Hwnd topLevel = TopLevelOf(hwnd);
    if (!topLevel)
        return false;
    PlaceOnTop(topLevel);
    return true;
}

Hwnd WindowManager::First(Hwnd hwnd) const
{
    const Window* window = Get(hwnd);
    if (!window)
        return 0;
    const std::vector<Hwnd>& siblings = SiblingsOf(*window);
    return siblings.empty() ? 0 : siblings.front();
}

Hwnd WindowManager::Next(Hwnd hwnd) const
{
    const Window* window = Get(hwnd);
    if (!window)
        return 0;
    const std::vector<Hwnd>& siblings = SiblingsOf(*window);
    auto it = std::find(siblings.begin(), siblings.end(), hwnd);
    return (it == siblings.end() || it + 1 == siblings.end()) ? 0 : *(it + 1);
}

Hwnd WindowManager::Last(Hwnd hwnd) const
{
    const Window* window = Get(hwnd);
    if (!window)
        return 0;
    const std::vector<Hwnd>& siblings = SiblingsOf(*window);
    return siblings.empty() ? 0 : siblings.back();
}

Hwnd WindowManager::Previous(Hwnd hwnd) const
{
    const Window* window = Get(hwnd);
    if (!window)
        return 0;
    const std::vector<Hwnd>& siblings = SiblingsOf(*window);
    auto it = std::find(siblings.begin(), siblings.end(), hwnd);
    return (it == siblings.end() || it == siblings.begin()) ? 0 : *(it - 1);
}

Hwnd WindowManager::FirstChild(Hwnd hwnd) const
{
    const Window* window = Get(hwnd);
    return (window && !window->children.empty()) ? window->children.front() : 0;
}

Hwnd WindowManager::Find(std::optional<std::u16string_view> className,
                         std::optional<std::u16string_view> title) const
{
    for (Hwnd hwnd : topLevel_) {
        const Window& window = windows_.at(hwnd);
        if (className && !SameTextIgnoringCase(*className, window.className))
            continue;
        if (title && !SameTextIgnoringCase(*title, window.title))
            continue;
        return hwnd;
    }
    return 0;
}

bool WindowManager::CanActivate(Hwnd hwnd, const std::vector<Hwnd>& leaving) const
{
    const Window* window = Get(hwnd);
    return window && !window->parent && !Contains(leaving, hwnd) && (window->style & WS_VISIBLE) &&
           !(window->style & WS_DISABLED) && !NeverActivated(*window);
}

Hwnd WindowManager::SuccessorOf(Hwnd lost, const std::vector<Hwnd>& leaving) const
{
    Hwnd owner = windows_.at(lost).owner;
    if (CanActivate(owner, leaving))
        return owner;
    auto position = std::find(topLevel_.begin(), topLevel_.end(), lost);
    auto below = std::find_if(position, topLevel_.end(), [&](Hwnd hwnd) { return CanActivate(hwnd, leaving); });
    if (below != topLevel_.end())
        return *below;
    auto above = std::find_if(topLevel_.begin(), position, [&](Hwnd hwnd) { return CanActivate(hwnd, leaving); });
    return above != position ? *above : 0;
}

Activation WindowManager::Activate(Hwnd topLevel)
{
    if (topLevel)
        PlaceOnTop(topLevel);
    if (topLevel == active_)
        return {};
    Activation change{active_, topLevel};
    active_ = topLevel;
    if (focus_ && TopLevelOf(focus_) != topLevel)
        focus_ = 0;
    return change;
}

Activation WindowManager::SetForeground(Hwnd hwnd)
{
    Hwnd topLevel = TopLevelOf(hwnd);
    if (topLevel && NeverActivated(windows_.at(topLevel))) {
        PlaceOnTop(topLevel);
        return Activation();
    }
    return topLevel ? Activate(topLevel) : Activation();
}

std::optional<Hwnd> WindowManager::SetFocus(Hwnd hwnd)
{
    if (hwnd && (!active_ || !IsSelfOrDescendant(active_, hwnd)))
        return std::nullopt;
    Hwnd previous = focus_;
    focus_ = hwnd;
    return previous;
}

Hwnd WindowManager::SetCapture(Hwnd hwnd)
{
    Hwnd previous = capture_;
    if (IsWindow(hwnd))
        capture_ = hwnd;
    return previous;
}

const Window* WindowManager::ChildAt(const Window& parent, Point screenPoint) const
{
    if (!ClientBounds(parent).Contains(screenPoint))
        return nullptr;
    for (Hwnd hwnd : parent.children) {
        const Window& child = windows_.at(hwnd);
        if ((child.style & WS_VISIBLE) && !(child.style & WS_DISABLED) && child.rect.Contains(screenPoint))
            return &child;
    }
    return nullptr;
}

Hwnd WindowManager::HitTest(Point screenPoint) const
{
    for (Hwnd hwnd : topLevel_) {
        const Window* window = &windows_.at(hwnd);
        if (!(window->style & WS_VISIBLE) || !window->rect.Contains(screenPoint))
            continue;
        if (window->style & WS_DISABLED)
            return hwnd;
        while (const Window* child = ChildAt(*window, screenPoint))
            window = child;
        return window->hwnd;
    }
    return 0;
}

Region WindowManager::VisibleRegion(Hwnd hwnd, bool whole) const
{
    const Window* window = Get(hwnd);
    if (!window || !IsVisible(hwnd))
        return Region();
    Rect bounds = VisibleBounds(*window);
    Region region(whole ? bounds : Intersect(bounds, ClientBounds(*window)));
    if (window->style & WS_CLIPCHILDREN)
        for (Hwnd child : window->children)
            if (windows_.at(child).style & WS_VISIBLE)
                region.Subtract(windows_.at(child).rect);
    // Siblings above on every level, then the top-level windows above.
    const Window* level = window;
    for (; level->parent; level = &windows_.at(level->parent)) {
        for (Hwnd sibling : windows_.at(level->parent).children) {
            if (sibling == level->hwnd)
                break;
            if (windows_.at(sibling).style & WS_VISIBLE)
                region.Subtract(windows_.at(sibling).rect);
        }
    }
    for (Hwnd above : topLevel_) {
        if (above == level->hwnd)
            break;
        if (windows_.at(above).style & WS_VISIBLE)
            region.Subtract(windows_.at(above).rect);
    }
    region.Intersect(screen_);
    return region;
}

Rect WindowManager::VisibleBounds(const Window& window) const
{
    Rect bounds = window.rect;
    for (Hwnd parent = window.parent; parent; parent = windows_.at(parent).parent)
        bounds = Intersect(bounds, ClientBounds(windows_.at(parent)));
    return bounds;
}

Rect WindowManager::AddExposure(Window& window, const Rect& screenArea, bool erase)
{
    Rect clientBounds = ClientBounds(window);
    Rect client = Intersect(screenArea, clientBounds);
    Rect inside = Intersect(screenArea, window.rect);
    if (!(window.frame == Rect()) && !inside.Empty() && !clientBounds.Contains(inside))
        window.frameDirty = true;
    if (!client.Empty())
        window.update.Add(client.Offset(-clientBounds.left, -clientBounds.top), erase);
    return client;
}

void WindowManager::ExposeBeneath(const Window& window, Region area)
{
    // Windows above the exposed one's top-level window still cover their part.
    Hwnd topLevel = TopLevelOf(window.hwnd);
    auto position = std::find(topLevel_.begin(), topLevel_.end(), topLevel);
    for (auto it = topLevel_.begin(); it != position && !area.Empty(); ++it)
        if (windows_.at(*it).style & WS_VISIBLE)
            area.Subtract(windows_.at(*it).rect);
    if (area.Empty())
        return;

    if (window.parent) {
        // Beneath a child: its ancestors and the siblings below it on each level.
        for (Hwnd child = window.hwnd, parent = window.parent; parent;
             child = parent, parent = windows_.at(parent).parent) {
            Window& container = windows_.at(parent);
            auto first = std::find(container.children.begin(), container.children.end(), child) + 1;
            for (const Rect& part : area.Rects()) {
                AddExposure(container, part, true);
                for (auto it = first; it != container.children.end(); ++it)
                    InvalidateTree(windows_.at(*it), part, true, true);
            }
        }
        return;
    }

    for (auto it = position + 1; it != topLevel_.end() && !area.Empty(); ++it) {
        Window& below = windows_.at(*it);
        if (!(below.style & WS_VISIBLE))
            continue;
        for (const Rect& part : area.Rects())
            InvalidateTree(below, part, true, true);
        area.Subtract(below.rect);
    }
}

void WindowManager::InvalidateTree(Window& window, const Rect& screenArea, bool erase, bool allChildren)
{
    if (!(window.style & WS_VISIBLE))
        return;
    Rect inside = Intersect(screenArea, window.rect);
    if (inside.Empty())
        return;
    Rect client = AddExposure(window, inside, erase);
    if (client.Empty() || (!allChildren && (window.style & WS_CLIPCHILDREN)))
        return;
    for (Hwnd child : window.children)
        InvalidateTree(windows_.at(child), client, erase, allChildren);
}

bool WindowManager::Invalidate(Hwnd hwnd, const std::optional<Rect>& area, bool erase)
{
    Window* window = Lookup(hwnd);
    if (!window)
        return false;
    if (!IsVisible(hwnd))
        return true;
    Rect client = ClientBounds(*window);
    Rect screenArea = area ? Intersect(area->Offset(client.left, client.top), client) : client;
    InvalidateTree(*window, screenArea, erase, false);
    return true;
}

bool WindowManager::Validate(Hwnd hwnd, const std::optional<Rect>& area)
{
    Window* window = Lookup(hwnd);
    if (!window)
        return false;
    if (area) {
        window->update.Remove(*area);
    } else {
        window->update.Clear();
        window->frameDirty = false;
    }
    return true;
}

PendingPaint WindowManager::Update(Hwnd hwnd) const
{
    const Window* window = Get(hwnd);
    if (!window || !IsVisible(hwnd))
        return {};
    return {window->update.Bounds(), window->update.Area(), window->update.Erase(), window->frameDirty};
}

PendingPaint WindowManager::TakeUpdate(Hwnd hwnd)
{
    PendingPaint pending = Update(hwnd);
    if (Window* window = Lookup(hwnd)) {
        window->update.Clear();
        window->frameDirty = false;
    }
    return pending;
}

Hwnd WindowManager::FirstToPaint(const Window& window, Pid pid) const
{
    if (!(window.style & WS_VISIBLE))
        return 0;
    if (window.pid == pid && (!window.update.Empty() || window.frameDirty))
        return window.hwnd;
    for (Hwnd child : window.children)
        if (Hwnd found = FirstToPaint(windows_.at(child), pid))
            return found;
    return 0;
}

Hwnd WindowManager::NextToPaint(Pid pid, Hwnd within) const
{
    if (within) {
        const Window* window = Get(within);
        return (window && IsVisible(within)) ? FirstToPaint(*window, pid) : 0;
    }
    for (Hwnd hwnd : topLevel_)
        if (Hwnd found = FirstToPaint(windows_.at(hwnd), pid))
            return found;
    return 0;
}

void WindowManager::DumpTree(const Window& window, int depth, std::string& out) const
{
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "0x%x pid=%u", window.hwnd, window.pid);
    out.append(static_cast<size_t>(depth) * 2, ' ');
    out += numbers;
    out += " class=" + QuoteLogText(window.className);
    out += " title=" + QuoteLogText(window.title);
    std::snprintf(numbers, sizeof numbers, " rect=%d,%d,%d,%d visible=%d", window.rect.left, window.rect.top,
                  window.rect.right, window.rect.bottom, (window.style & WS_VISIBLE) ? 1 : 0);
    out += numbers;
    if (window.hwnd == active_)
        out += " active";
    if (window.hwnd == focus_)
        out += " focus";
    if (window.hwnd == capture_)
        out += " capture";
    out += '\n';
    for (Hwnd child : window.children)
        DumpTree(windows_.at(child), depth + 1, out);
}

std::string WindowManager::Dump() const
{
    std::string out;
    for (Hwnd hwnd : topLevel_)
        DumpTree(windows_.at(hwnd), 0, out);
    return out;
}

std::vector<Hwnd> WindowManager::ScreenChanged(const Rect& screen, const Rect& workArea)
{
    layoutVersion_++;
    Rect oldScreen = screen_;
    Rect oldWorkArea = workArea_;
    screen_ = screen;
    workArea_ = workArea;
    std::vector<Hwnd> resized;
    for (Hwnd hwnd : std::vector<Hwnd>(topLevel_)) {
        Window& window = windows_.at(hwnd);
        Rect target = window.rect;
        if (hwnd == desktop_ || window.rect == oldScreen)
            target = screen;
        else if (window.rect.Contains(oldWorkArea))
            target = workArea;
        else if (SpansWorkAreaTop(window.rect, oldWorkArea))
            // Laid out over the work area above the soft-key bar: the shell
            // keeps it there, with the bar's room below it.
            target = Rect{workArea.left, workArea.top, workArea.right,
                          workArea.bottom - (oldWorkArea.bottom - window.rect.bottom)};
        else if (DockedAtBottom(window.rect, oldScreen))
            // The shell keeps a bottom bar at the bottom of the new screen.
            target = Rect{screen.left, screen.bottom - window.rect.Height(), screen.right, screen.bottom};
        if (target == window.rect)
            continue;
        SetRect(window, target);
        resized.push_back(hwnd);
    }
    // The framebuffer has a new shape: nothing on it survives.
    for (Hwnd hwnd : topLevel_)
        InvalidateTree(windows_.at(hwnd), screen_, true, true);
    return resized;
}

}  // namespace sim
