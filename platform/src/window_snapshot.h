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

// The window's information from a snapshot or an answer still current;
// empty when there is none.
std::optional<WindowInfo> SnapshotInfo(HWND hwnd);

// Keeps one window's answer, from WindowInfo or BeginPaint, for as long as
// the snapshot would be kept: a paint asks for the same window's client
// area and visibility several times.
void KeepWindowInfo(HWND hwnd, const WindowInfo& info);

// Reads what the server writes for one window after its ok byte.
WindowInfo ReadWindowInfo(sim::WireReader& in);

}  // namespace platform
