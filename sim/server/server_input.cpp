// The device's user: stylus, keys, rotation and changed figures.
#include "ce/windowing.h"
#include "event_log.h"
#include "server.h"
#include "wire_records.h"

namespace sim {
namespace {

// The shell library's soft-key bar, which a program's window owns.
constexpr std::u16string_view kMenuBarClass = u"menu_worker";

bool IsMenuBarClass(std::u16string_view name)
{
    if (name.size() != kMenuBarClass.size())
        return false;
    for (size_t i = 0; i < name.size(); ++i) {
        char16_t c = name[i] >= u'A' && name[i] <= u'Z' ? static_cast<char16_t>(name[i] - u'A' + u'a') : name[i];
        if (c != kMenuBarClass[i])
            return false;
    }
    return true;
}

// Outside the client area, and not captured, the stylus acts on the
// window's frame: the caption band above the client, a border elsewhere.
uint32_t NonClientMessage(uint32_t message)
{
    switch (message) {
    case WM_LBUTTONDOWN: return WM_NCLBUTTONDOWN;
    case WM_LBUTTONUP: return WM_NCLBUTTONUP;
    default: return WM_NCMOUSEMOVE;
    }
}

const char* StylusName(uint32_t message)
{
    switch (message) {
    case WM_LBUTTONDOWN: return "down";
    case WM_LBUTTONUP: return "up";
    default: return "move";
    }
}

}  // namespace

void Server::WriteStylusState(WireWriter& reply) const
{
    reply.U8(stylusDown_ ? 1 : 0).I32(stylusPoint_.x).I32(stylusPoint_.y).U64(stylusSequence_);
}

void Server::Stylus(uint32_t message, Point screenPoint)
{
    stylusDown_ = message != WM_LBUTTONUP;
    stylusPoint_ = screenPoint;
    ++stylusSequence_;
    WakeWaiters();
    Hwnd target = windows_.Capture() ? windows_.Capture() : windows_.HitTest(screenPoint);
    LogEvent(std::string("stylus kind=") + StylusName(message) + " x=" + std::to_string(screenPoint.x) +
             " y=" + std::to_string(screenPoint.y) + " hwnd=" + std::to_string(target));
    const Window* window = windows_.Get(target);
    if (!window || !windows_.IsEnabled(target))
        return;
    if (message == WM_LBUTTONDOWN) {
        // A tap on a window that is not active activates it first.
        Hwnd topLevel = windows_.TopLevelOf(target);
        if (topLevel != windows_.Active())
            NotifyActivation(0, nullptr, windows_.SetForeground(topLevel));
    }
    std::optional<Point> offset = windows_.MapOffset(0, target);
    if (!offset || window->pid == 0)
        return;
    Message m;
    m.hwnd = target;
    m.message = message;
    m.wParam = message == WM_LBUTTONUP ? 0 : MK_LBUTTON;
    int32_t x = screenPoint.x + offset->x;
    int32_t y = screenPoint.y + offset->y;
    Rect client = windows_.ClientOnScreen(target);
    if (!windows_.Capture() && !client.Contains(screenPoint)) {
        m.message = NonClientMessage(message);
        m.wParam = screenPoint.y < client.top ? HTCAPTION : HTBORDER;
        x = screenPoint.x;
        y = screenPoint.y;
    }
    m.lParam = (x & 0xFFFF) | ((y & 0xFFFF) << 16);
    m.time = static_cast<uint32_t>(now_);
    m.pt = screenPoint;
    QueueOf(window->pid).PostInput(m);
    WakeWaiters();
}

// On the device the soft keys belong to the menu bar: the shown bar of the
// active window takes F1 and F2 whichever window has the focus.
Hwnd Server::SoftKeyTarget(uint8_t virtualKey) const
{
    if ((virtualKey != VK_F1 && virtualKey != VK_F2) || windows_.Active() == 0)
        return 0;
    for (Hwnd hwnd : windows_.TopLevelZOrder()) {
        const Window* window = windows_.Get(hwnd);
        if (window->owner == windows_.Active() && windows_.IsVisible(hwnd) && IsMenuBarClass(window->className))
            return hwnd;
    }
    return 0;
}

void Server::Key(uint8_t virtualKey, bool down)
{
    // As on the device: with no focus window the active window gets the
    // key as a system key. The active window's soft-key bar takes the soft
    // keys as they are.
    Hwnd focus = windows_.Focus();
    Hwnd bar = SoftKeyTarget(virtualKey);
    Hwnd target = bar ? bar : (focus ? focus : windows_.Active());
    LogEvent(std::string("key vk=") + HexLogNumber(virtualKey) + " kind=" + (down ? "down" : "up") +
             " hwnd=" + std::to_string(target));
    const Window* window = windows_.Get(target);
    if (!window || window->pid == 0)
        return;
    Message m;
    m.hwnd = target;
    if (focus || bar)
        m.message = down ? WM_KEYDOWN : WM_KEYUP;
    else
        m.message = down ? WM_SYSKEYDOWN : WM_SYSKEYUP;
    m.wParam = virtualKey;
    // Repeat count 1; a release also has the previous-state and transition bits.
    m.lParam = down ? 1 : 0xC0000001;
    m.time = static_cast<uint32_t>(now_);
    QueueOf(window->pid).PostInput(m);
    WakeWaiters();
}

bool Server::Rotate(const std::string& form)
{
    DeviceProfile& profile = device_.Profile();
    int shorter = std::min(profile.screenWidth, profile.screenHeight);
    int longer = std::max(profile.screenWidth, profile.screenHeight);
    if (form == "portrait") {
        profile.screenWidth = shorter;
        profile.screenHeight = longer;
    } else if (form == "landscape") {
        profile.screenWidth = longer;
        profile.screenHeight = shorter;
    } else if (form == "square") {
        profile.screenWidth = shorter;
        profile.screenHeight = shorter;
    } else {
        return false;
    }
    LogEvent("rotate form=" + form + " width=" + std::to_string(profile.screenWidth) +
             " height=" + std::to_string(profile.screenHeight));
    ScreenInfo screen = ScreenOf(profile);
    if (ScreenBuffer* buffer = device_.Screen())
        buffer->Resize(screen.width, screen.height);
    std::vector<Hwnd> resized =
        windows_.ScreenChanged(Rect{0, 0, screen.width, screen.height},
                               Rect{screen.workLeft, screen.workTop, screen.workRight, screen.workBottom});
    for (Hwnd hwnd : resized) {
        Rect client = windows_.ClientRect(hwnd);
        Notify(0, nullptr, hwnd, WM_SIZE, 0, (client.Width() & 0xFFFF) | ((client.Height() & 0xFFFF) << 16));
    }
    WakeWaiters();
    return true;
}

void Server::StatusChanged()
{
    device_.PublishBatteryState();
    WakeWaiters();
}

}  // namespace sim
