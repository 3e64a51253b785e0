// This process's side of its windows: window procedures and classes live
// here, everything else in the device server.
#pragma once

#include <string>

#include "ce/windowing.h"
#include "server/protocol.h"
#include "server/wire.h"

namespace platform {

struct WindowClass {
    WNDCLASSW info{};
    std::u16string name;
    ATOM atom = 0;
};

// Registered classes compare without regard to case; an atom names its
// class too.
const WindowClass* FindClass(LPCWSTR name);

struct LocalWindow {
    WNDPROC proc = nullptr;
    HBRUSH background = nullptr;
    LONG id = 0;
};

LocalWindow* FindLocalWindow(HWND hwnd);
void AddLocalWindow(HWND hwnd, const LocalWindow& window);
void RemoveLocalWindow(HWND hwnd);
// The windows went with the device this process was connected to.
void ForgetLocalWindows();

inline uint32_t WindowId(HWND hwnd) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hwnd)); }
inline HWND WindowHandle(uint32_t id) { return reinterpret_cast<HWND>(static_cast<uintptr_t>(id)); }

// Calls the window procedure of one of this process's windows; 0 for any
// other window.
LRESULT CallLocalProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Delivers the messages a server change calls for on this process's own
// windows (a count, then hwnd, msg, wParam, lParam each).
void DeliverEffects(sim::WireReader& in);

// A request that may wait: messages sent by other processes meanwhile are
// handled, and the wait goes on, until the server answers with its result
// (returned without the leading WaitReply byte). Peeks ask anew each time.
std::string CallWaiting(sim::Op op, const sim::WireWriter& args);

}  // namespace platform
