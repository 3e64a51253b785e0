// Window requests: creation, placement, z-order, activation, focus.
#include "ce/errors.h"
#include "ce/windowing.h"
#include "event_log.h"
#include "server.h"

namespace sim {
namespace {

// HWND_TOPMOST and HWND_NOTOPMOST as they travel in a request.
constexpr Hwnd kHwndTopmost = 0xFFFFFFFF;
constexpr Hwnd kHwndNoTopmost = 0xFFFFFFFE;
// The shell's desktop window takes over the one the device starts with.
constexpr std::u16string_view kDesktopClass = u"DesktopExplorerWindow";
// The shell's task bar shows the active window's title.
constexpr std::u16string_view kTaskBarClass = u"HHTaskBar";

int64_t SizeParam(const Rect& client) { return (client.Width() & 0xFFFF) | ((client.Height() & 0xFFFF) << 16); }

int64_t PointParam(int32_t x, int32_t y) { return (x & 0xFFFF) | ((y & 0xFFFF) << 16); }

std::optional<std::u16string> OptionalText(WireReader& in)
{
    bool present = in.U8() != 0;
    std::u16string text = in.Text();
    if (!present)
        return std::nullopt;
    return text;
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char16_t x = a[i] >= u'a' && a[i] <= u'z' ? a[i] - 0x20 : a[i];
        char16_t y = b[i] >= u'a' && b[i] <= u'z' ? b[i] - 0x20 : b[i];
        if (x != y)
            return false;
    }
    return true;
}

// An ok byte, then what QueryWindow reads: the same for one window and for
// each window of the top-level list.
void WriteWindowInfo(WireWriter& out, const WindowManager& windows, Hwnd hwnd)
{
    const Window* window = windows.Get(hwnd);
    out.U8(window ? 1 : 0);
    if (!window)
        return;
    Rect client = windows.ClientRect(hwnd);
    out.U32(window->pid).Text(window->className).Text(window->title).U32(window->style).U32(window->exStyle);
    out.U32(windows.Parent(hwnd));
    out.I32(window->rect.left).I32(window->rect.top).I32(window->rect.right).I32(window->rect.bottom);
    Rect onScreen = windows.ClientOnScreen(hwnd);
    out.I32(client.Width()).I32(client.Height()).I32(onScreen.left).I32(onScreen.top);
    out.U8(windows.IsVisible(hwnd) ? 1 : 0).U8(windows.IsEnabled(hwnd) ? 1 : 0);
}

// The rectangles of the window (whole, or its client area) that show.
void WriteVisibleRegion(WireWriter& out, const WindowManager& windows, Hwnd hwnd, bool whole)
{
    Region region = windows.VisibleRegion(hwnd, whole);
    out.U32(static_cast<uint32_t>(region.Rects().size()));
    for (const Rect& r : region.Rects())
        out.I32(r.left).I32(r.top).I32(r.right).I32(r.bottom);
}

}  // namespace

void Server::WritePaintTarget(WireWriter& out, Hwnd hwnd) const
{
    WriteWindowInfo(out, windows_, hwnd);
    if (windows_.Get(hwnd))
        WriteVisibleRegion(out, windows_, hwnd, false);
}

void Server::Notify(Pid caller, Effects* effects, Hwnd hwnd, uint32_t message, uint64_t wParam, int64_t lParam)
{
    const Window* window = windows_.Get(hwnd);
    if (!window)
        return;
    Message m;
    m.hwnd = hwnd;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = static_cast<uint32_t>(now_);
    if (window->pid == caller && effects) {
        effects->own.push_back(m);
        return;
    }
    auto it = processes_.find(window->pid);
    if (it == processes_.end() || it->second.state == ProcessState::Ended)
        return;
    LogCrossMessage(caller, hwnd, message, wParam, lParam, "sent");
    SentMessage sent;
    sent.sender = caller;
    sent.waiting = false;
    sent.message = m;
    QueueOf(window->pid).PushSent(sent);
}

void Server::LogActivation(const Activation& activation)
{
    if (activation.activated == 0)
        return;
    const Window* window = windows_.Get(activation.activated);
    LogEvent("activate hwnd=" + std::to_string(activation.activated) +
             " title=" + QuoteLogText(window ? window->title : u""));
}

void Server::RefreshTaskBar()
{
    if (Hwnd taskBar = windows_.Find(kTaskBarClass, std::nullopt))
        windows_.Invalidate(taskBar, std::nullopt, true);
}

void Server::NotifyActivation(Pid caller, Effects* effects, const Activation& activation)
{
    if (!activation.Changed())
        return;
    LogActivation(activation);
    RefreshTaskBar();
    if (activation.deactivated)
        Notify(caller, effects, activation.deactivated, WM_ACTIVATE, WA_INACTIVE, activation.activated);
    // The focus is the window's to take: DefWindowProc does on WM_ACTIVATE.
    if (activation.activated)
        Notify(caller, effects, activation.activated, WM_ACTIVATE, WA_ACTIVE, activation.deactivated);
}

void Server::WriteEffects(WireWriter& out, const Effects& effects)
{
    out.U32(static_cast<uint32_t>(effects.own.size()));
    for (const Message& m : effects.own)
        out.U32(m.hwnd).U32(m.message).U64(m.wParam).I64(m.lParam);
}

void Server::HandleWindows(Process& caller, Op op, WireReader& in, WireWriter& out)
{
    Effects effects;
    switch (op) {
    case Op::CreateWindow: {
        CreateParams params;
        params.className = in.Text();
        params.title = in.Text();
        params.style = in.U32();
        params.exStyle = in.U32();
        // CW_USEDEFAULT, the least number, stands for itself.
        auto placement = [&in] {
            int32_t value = in.I32();
            return value == static_cast<int32_t>(CW_USEDEFAULT) ? value : ClampCoordinate(value);
        };
        params.x = placement();
        params.y = placement();
        params.width = placement();
        params.height = placement();
        params.parent = in.U32();
        params.controlId = in.U32();
        params.extraBytes = in.U32();
        params.frame.left = ClampCoordinate(in.I32());
        params.frame.top = ClampCoordinate(in.I32());
        params.frame.right = ClampCoordinate(in.I32());
        params.frame.bottom = ClampCoordinate(in.I32());
        Hwnd hwnd = 0;
        if (params.parent == 0 && EqualsIgnoringCase(params.className, kDesktopClass)) {
            hwnd = windows_.Desktop();
            windows_.SetDesktopOwner(caller.pid);
            windows_.SetTitle(hwnd, params.title);
        } else {
            hwnd = windows_.Create(caller.pid, params);
        }
        if (hwnd) {
            const Window* window = windows_.Get(hwnd);
            LogEvent("window-create hwnd=" + std::to_string(hwnd) + " pid=" + std::to_string(caller.pid) +
                     " class=" + QuoteLogText(window->className) + " title=" + QuoteLogText(window->title) +
                     " parent=" + std::to_string(params.parent));
        }
        out.U32(hwnd);
        break;
    }
    case Op::DestroyWindow: {
        Hwnd hwnd = in.U32();
        bool commit = in.U8() != 0;
        const Window* window = windows_.Get(hwnd);
        if (!window || window->pid != caller.pid || hwnd == windows_.Desktop()) {
            out.U8(0);
            break;
        }
        out.U8(1);
        if (!commit) {
            // First the order, so that WM_DESTROY reaches windows that exist.
            std::vector<Hwnd> order = windows_.DestructionOrder(hwnd);
            out.U32(static_cast<uint32_t>(order.size()));
            for (Hwnd h : order)
                out.U32(h);
            break;
        }
        Destruction destruction = windows_.Destroy(hwnd);
        for (Hwnd h : destruction.destroyed) {
            QueueOf(caller.pid).DropWindow(h);
            LogEvent("window-destroy hwnd=" + std::to_string(h));
        }
        NotifyActivation(caller.pid, &effects, destruction.activation);
        WriteEffects(out, effects);
        break;
    }
    case Op::ShowWindow: {
        Hwnd hwnd = in.U32();
        uint32_t command = in.U32();
        const Window* window = windows_.Get(hwnd);
        if (!window) {
            out.U8(0).U8(0);
            WriteEffects(out, effects);
            break;
        }
        bool visible = command != SW_HIDE;
        bool before = (window->style & 0x10000000) != 0;
        ShowResult result = windows_.Show(hwnd, visible);
        if (before != visible)
            LogEvent("window-show hwnd=" + std::to_string(hwnd) + " visible=" + (visible ? "1" : "0"));
        NotifyActivation(caller.pid, &effects, result.activation);
        bool topLevel = windows_.Get(hwnd)->parent == 0;
        if (visible && topLevel && command != SW_SHOWNOACTIVATE && command != SW_SHOWNA)
            NotifyActivation(caller.pid, &effects, windows_.SetForeground(hwnd));
        out.U8(1).U8(result.wasVisible ? 1 : 0);
        WriteEffects(out, effects);
        break;
    }
    case Op::MoveWindow: {
        Hwnd hwnd = in.U32();
        Hwnd insertAfter = in.U32();
        Rect placement;
        placement.left = ClampCoordinate(in.I32());
        placement.top = ClampCoordinate(in.I32());
        placement.right = ClampCoordinate(in.I32());
        placement.bottom = ClampCoordinate(in.I32());
        uint32_t flags = in.U32();
        const Window* window = windows_.Get(hwnd);
        if (!window) {
            out.U8(0);
            WriteEffects(out, effects);
            break;
        }
        Rect old = windows_.Placement(hwnd);
        Rect target = old;
        if (!(flags & SWP_NOMOVE))
            target = target.Offset(placement.left - old.left, placement.top - old.top);
        if (!(flags & SWP_NOSIZE)) {
            target.right = target.left + placement.Width();
            target.bottom = target.top + placement.Height();
        }
        if (!(target == old)) {
            Rect oldClient = windows_.ClientRect(hwnd);
            windows_.Move(hwnd, target);
            if (target.left != old.left || target.top != old.top)
                Notify(caller.pid, &effects, hwnd, WM_MOVE, 0, PointParam(target.left, target.top));
            Rect client = windows_.ClientRect(hwnd);
            if (!(client == oldClient))
                Notify(caller.pid, &effects, hwnd, WM_SIZE, 0, SizeParam(client));
        }
        if (!(flags & SWP_NOZORDER)) {
            const Window* w = windows_.Get(hwnd);
            if (insertAfter == kHwndTopmost)
                windows_.SetExStyle(hwnd, w->exStyle | WS_EX_TOPMOST);
            else if (insertAfter == kHwndNoTopmost)
                windows_.SetExStyle(hwnd, w->exStyle & ~WS_EX_TOPMOST);
            if (insertAfter == 0 || insertAfter == kHwndTopmost)
                windows_.BringToTop(hwnd);
        }
        if (flags & SWP_HIDEWINDOW) {
            if (windows_.Get(hwnd)->style & 0x10000000)
                LogEvent("window-show hwnd=" + std::to_string(hwnd) + " visible=0");
            NotifyActivation(caller.pid, &effects, windows_.Show(hwnd, false).activation);
        } else if (flags & SWP_SHOWWINDOW) {
            if (!(windows_.Get(hwnd)->style & 0x10000000))
                LogEvent("window-show hwnd=" + std::to_string(hwnd) + " visible=1");
            windows_.Show(hwnd, true);
        }
        if (!(flags & SWP_NOACTIVATE) && !(flags & SWP_HIDEWINDOW) && windows_.Get(hwnd)->parent == 0 &&
            !(flags & SWP_NOZORDER))
            NotifyActivation(caller.pid, &effects, windows_.SetForeground(hwnd));
        out.U8(1);
        WriteEffects(out, effects);
        break;
    }
    case Op::RaiseWindow:
        out.U8(windows_.BringToTop(in.U32()) ? 1 : 0);
        break;
    case Op::WindowInfo:
        WriteWindowInfo(out, windows_, in.U32());
        break;
    case Op::TopLevelWindows: {
        const std::vector<Hwnd>& order = windows_.TopLevelZOrder();
        out.U32(static_cast<uint32_t>(order.size()));
        for (Hwnd hwnd : order) {
            out.U32(hwnd);
            WriteWindowInfo(out, windows_, hwnd);
        }
        break;
    }
    case Op::SetWindowText: {
        Hwnd hwnd = in.U32();
        out.U8(windows_.SetTitle(hwnd, in.Text()) ? 1 : 0);
        if (hwnd == windows_.Active())
            RefreshTaskBar();
        break;
    }
    case Op::GetWindowLong:
    case Op::SetWindowLong: {
        Hwnd hwnd = in.U32();
        int32_t index = in.I32();
        uint32_t value = in.U32();
        std::optional<uint32_t> answer =
            op == Op::GetWindowLong ? windows_.Long(hwnd, index) : windows_.SetLong(hwnd, index, value);
        WindowLongReply status = answer                  ? WindowLongReply::Done
                                 : windows_.IsWindow(hwnd) ? WindowLongReply::BadIndex
                                                           : WindowLongReply::NoWindow;
        out.U8(static_cast<uint8_t>(status)).U32(answer.value_or(0));
        break;
    }
    case Op::FindWindow: {
        std::optional<std::u16string> className = OptionalText(in);
        std::optional<std::u16string> title = OptionalText(in);
        std::optional<std::u16string_view> classView, titleView;
        if (className)
            classView = *className;
        if (title)
            titleView = *title;
        out.U32(windows_.Find(classView, titleView));
        break;
    }
    case Op::GetWindow: {
        Hwnd hwnd = in.U32();
        uint32_t command = in.U32();
        Hwnd result = 0;
        if (windows_.IsWindow(hwnd)) {
            switch (command) {
            case GW_HWNDFIRST: result = windows_.First(hwnd); break;
            case GW_HWNDLAST: result = windows_.Last(hwnd); break;
            case GW_HWNDNEXT: result = windows_.Next(hwnd); break;
            case GW_HWNDPREV: result = windows_.Previous(hwnd); break;
            case GW_OWNER: result = windows_.Get(hwnd)->owner; break;
            case GW_CHILD: result = windows_.FirstChild(hwnd); break;
            default: break;
            }
        }
        out.U32(result);
        break;
    }
    case Op::Desktop:
        out.U32(windows_.Desktop());
        break;
    case Op::FocusState: {
        Hwnd active = windows_.Active();
        const Window* window = windows_.Get(active);
        Hwnd callersActive = window && window->pid == caller.pid ? active : 0;
        out.U32(active).U32(windows_.Focus()).U32(windows_.Capture()).U32(callersActive);
        break;
    }
    case Op::SetForeground: {
        Hwnd hwnd = in.U32();
        bool ok = windows_.IsWindow(hwnd);
        if (ok)
            NotifyActivation(caller.pid, &effects, windows_.SetForeground(hwnd));
        out.U8(ok ? 1 : 0);
        WriteEffects(out, effects);
        break;
    }
    case Op::SetFocus: {
        Hwnd hwnd = in.U32();
        const Window* window = windows_.Get(hwnd);
        // Focusing one of its own windows elsewhere activates its top level.
        if (window && window->pid == caller.pid && windows_.IsVisible(hwnd) &&
            windows_.TopLevelOf(hwnd) != windows_.Active())
            NotifyActivation(caller.pid, &effects, windows_.SetForeground(windows_.TopLevelOf(hwnd)));
        Hwnd before = windows_.Focus();
        std::optional<Hwnd> previous = windows_.SetFocus(hwnd);
        out.U8(previous ? 1 : 0).U32(previous.value_or(0));
        if (previous && before != hwnd) {
            if (before)
                Notify(caller.pid, &effects, before, WM_KILLFOCUS, hwnd, 0);
            if (hwnd)
                Notify(caller.pid, &effects, hwnd, WM_SETFOCUS, before, 0);
        }
        WriteEffects(out, effects);
        break;
    }
    case Op::SetCapture:
        out.U32(windows_.SetCapture(in.U32()));
        break;
    case Op::ReleaseCapture:
        windows_.ReleaseCapture();
        break;
    case Op::WindowFromPoint: {
        Point point;
        point.x = ClampCoordinate(in.I32());
        point.y = ClampCoordinate(in.I32());
        out.U32(windows_.HitTest(point));
        break;
    }
    case Op::EnableWindow: {
        Hwnd hwnd = in.U32();
        bool enable = in.U8() != 0;
        bool ok = windows_.IsWindow(hwnd);
        bool wasDisabled = ok && !windows_.IsEnabled(hwnd);
        if (ok && wasDisabled == enable) {
            // As EnableWindow does: WM_CANCELMODE before disabling, the focus
            // taken away, then WM_ENABLE with the new state.
            if (!enable)
                Notify(caller.pid, &effects, hwnd, WM_CANCELMODE, 0, 0);
            Hwnd focus = windows_.Focus();
            windows_.Enable(hwnd, enable);
            if (focus != windows_.Focus())
                Notify(caller.pid, &effects, focus, WM_KILLFOCUS, 0, 0);
            Notify(caller.pid, &effects, hwnd, WM_ENABLE, enable ? 1 : 0, 0);
        }
        out.U8(ok ? 1 : 0).U8(wasDisabled ? 1 : 0);
        WriteEffects(out, effects);
        break;
    }
    case Op::VisibleRegion: {
        Hwnd hwnd = in.U32();
        bool whole = in.U8() != 0;
        const Window* window = windows_.Get(hwnd);
        out.U8(window ? 1 : 0);
        if (!window)
            break;
        Rect origin = whole ? window->rect : windows_.ClientOnScreen(hwnd);
        out.I32(origin.left).I32(origin.top);
        WriteVisibleRegion(out, windows_, hwnd, whole);
        break;
    }
    default:
        break;
    }
}

}  // namespace sim
