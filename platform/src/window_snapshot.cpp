#include "window_snapshot.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "local_windows.h"
#include "server/screen_buffer.h"
#include "server_connection.h"

namespace platform {
namespace {

struct Snapshot {
    bool taken = false;
    unsigned long long epoch = 0;
    // The screen's layout version: a process that ends while this one runs
    // takes its windows with it, and the server bumps it for that.
    uint64_t layout = 0;
    std::vector<HWND> order;
    std::vector<WindowInfo> infos;
};

Snapshot g_snapshot;

// Single windows' answers, kept under the same terms as the snapshot.
struct Answers {
    unsigned long long epoch = 0;
    uint64_t layout = 0;
    std::unordered_map<HWND, WindowInfo> infos;
};

Answers g_answers;

// Without the shared screen there is nothing to tell a change by; no copy
// is kept then.
bool Current()
{
    sim::ScreenBuffer* screen = DeviceScreen();
    return screen && g_snapshot.taken && g_snapshot.epoch == StateEpoch() && g_snapshot.layout == screen->LayoutVersion();
}

void Take()
{
    std::string reply = Call(sim::Op::TopLevelWindows, sim::WireWriter());
    sim::WireReader in(reply);
    uint32_t count = in.U32();
    g_snapshot.order.clear();
    g_snapshot.infos.clear();
    for (uint32_t i = 0; i < count; ++i) {
        HWND hwnd = WindowHandle(in.U32());
        if (in.U8() == 0)
            continue;
        g_snapshot.order.push_back(hwnd);
        g_snapshot.infos.push_back(ReadWindowInfo(in));
    }
    sim::ScreenBuffer* screen = DeviceScreen();
    g_snapshot.taken = screen != nullptr;
    g_snapshot.epoch = StateEpoch();
    g_snapshot.layout = screen ? screen->LayoutVersion() : 0;
}

// The window's place in the snapshot, or -1.
int PlaceOf(HWND hwnd)
{
    auto it = std::find(g_snapshot.order.begin(), g_snapshot.order.end(), hwnd);
    return it == g_snapshot.order.end() ? -1 : static_cast<int>(it - g_snapshot.order.begin());
}

}  // namespace

WindowInfo ReadWindowInfo(sim::WireReader& in)
{
    WindowInfo info;
    info.pid = in.U32();
    info.className = in.Text();
    info.title = in.Text();
    info.style = in.U32();
    info.exStyle = in.U32();
    info.parent = WindowHandle(in.U32());
    info.rect.left = in.I32();
    info.rect.top = in.I32();
    info.rect.right = in.I32();
    info.rect.bottom = in.I32();
    info.clientWidth = in.I32();
    info.clientHeight = in.I32();
    info.clientOrigin.x = in.I32();
    info.clientOrigin.y = in.I32();
    info.visible = in.U8() != 0;
    info.enabled = in.U8() != 0;
    return info;
}

std::optional<HWND> SnapshotSibling(HWND hwnd, UINT relation)
{
    if (relation != GW_HWNDFIRST && relation != GW_HWNDLAST && relation != GW_HWNDNEXT && relation != GW_HWNDPREV)
        return std::nullopt;
    if (!Current())
        Take();
    int place = PlaceOf(hwnd);
    if (place < 0)
        return std::nullopt;
    const std::vector<HWND>& order = g_snapshot.order;
    int last = static_cast<int>(order.size()) - 1;
    switch (relation) {
    case GW_HWNDFIRST: return order.front();
    case GW_HWNDLAST: return order.back();
    case GW_HWNDNEXT: return place < last ? order[place + 1] : nullptr;
    default: return place > 0 ? order[place - 1] : nullptr;
    }
}

std::optional<WindowInfo> SnapshotInfo(HWND hwnd)
{
    if (Current()) {
        int place = PlaceOf(hwnd);
        if (place >= 0)
            return g_snapshot.infos[place];
    }
    sim::ScreenBuffer* screen = DeviceScreen();
    if (!screen || g_answers.epoch != StateEpoch() || g_answers.layout != screen->LayoutVersion())
        return std::nullopt;
    auto it = g_answers.infos.find(hwnd);
    if (it == g_answers.infos.end())
        return std::nullopt;
    return it->second;
}

void KeepWindowInfo(HWND hwnd, const WindowInfo& info)
{
    sim::ScreenBuffer* screen = DeviceScreen();
    if (!screen)
        return;
    if (g_answers.epoch != StateEpoch() || g_answers.layout != screen->LayoutVersion()) {
        g_answers.infos.clear();
        g_answers.epoch = StateEpoch();
        g_answers.layout = screen->LayoutVersion();
    }
    g_answers.infos[hwnd] = info;
}

}  // namespace platform
