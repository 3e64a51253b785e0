// The top-level windows in z-order with what the server knows of each,
// read in one request and kept while this process asks only questions:
// nothing on the device can change meanwhile, so a walk over the windows
// (GetWindow, then IsWindow, IsWindowVisible, GetWindowText... for each)
// costs one round trip instead of several per window.
#pragma once

#include <optional>

#include "server/wire.h"
#include "window_info.h"

namespace platform {

// GetWindow's answer for a top-level window and GW_HWNDFIRST, GW_HWNDLAST,
// GW_HWNDNEXT or GW_HWNDPREV; empty when the snapshot cannot answer (other
// relations, child windows, handles that are no window).
std::optional<HWND> SnapshotSibling(HWND hwnd, UINT relation);

// The window's information from a snapshot still current; empty when there
// is none or the window is not in it.
std::optional<WindowInfo> SnapshotInfo(HWND hwnd);

// Reads what the server writes for one window after its ok byte.
WindowInfo ReadWindowInfo(sim::WireReader& in);

}  // namespace platform
