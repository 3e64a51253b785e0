#include "local_windows.h"

#include <map>

#include "menu_bar.h"
#include "server_connection.h"

namespace platform {
namespace {

std::map<HWND, LocalWindow>& Windows()
{
    static std::map<HWND, LocalWindow> windows;
    return windows;
}

}  // namespace

LocalWindow* FindLocalWindow(HWND hwnd)
{
    auto it = Windows().find(hwnd);
    return it == Windows().end() ? nullptr : &it->second;
}

void AddLocalWindow(HWND hwnd, const LocalWindow& window) { Windows()[hwnd] = window; }

void RemoveLocalWindow(HWND hwnd) { Windows().erase(hwnd); }

void ForgetLocalWindows() { Windows().clear(); }

LRESULT CallLocalProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LocalWindow* window = FindLocalWindow(hwnd);
    if (!window || !window->proc)
        return 0;
    // The soft-key bars follow their owner's activation, whatever the
    // owner's window procedure does with the message.
    if (message == WM_ACTIVATE)
        NoteMenuBarOwnerActivation(hwnd, LOWORD(wParam) != WA_INACTIVE);
    return window->proc(hwnd, message, wParam, lParam);
}

void DeliverEffects(sim::WireReader& in)
{
    uint32_t count = in.U32();
    std::vector<MSG> messages;
    for (uint32_t i = 0; i < count && !in.Failed(); ++i) {
        MSG m{};
        m.hwnd = WindowHandle(in.U32());
        m.message = in.U32();
        m.wParam = static_cast<WPARAM>(in.U64());
        m.lParam = static_cast<LPARAM>(in.I64());
        messages.push_back(m);
    }
    for (const MSG& m : messages)
        CallLocalProc(m.hwnd, m.message, m.wParam, m.lParam);
}

std::string CallWaiting(sim::Op op, const sim::WireWriter& args)
{
    std::string reply = Call(op, args);
    for (;;) {
        sim::WireReader in(reply);
        auto kind = static_cast<sim::WaitReply>(in.U8());
        if (kind != sim::WaitReply::Incoming)
            return reply.substr(1);
        uint64_t id = in.U64();
        bool senderWaits = in.U8() != 0;
        HWND hwnd = WindowHandle(in.U32());
        UINT message = in.U32();
        WPARAM wParam = static_cast<WPARAM>(in.U64());
        LPARAM lParam = static_cast<LPARAM>(in.I64());
        LRESULT result = CallLocalProc(hwnd, message, wParam, lParam);
        if (senderWaits) {
            sim::WireWriter answer;
            answer.U64(id).I64(result);
            Call(sim::Op::SendReply, answer);
        }
        if (op == sim::Op::PeekMessage)
            reply = Call(op, args);
        else
            reply = Call(sim::Op::ContinueWait, sim::WireWriter());
    }
}

}  // namespace platform
