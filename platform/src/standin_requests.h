// Requests that only the simulator's own stand-in programs make, to take on
// a part a test needs; no device API reaches them.
#pragma once

namespace platform {

// From now on OpenProcess on this process fails in every other process with
// ERROR_ACCESS_DENIED, as for a process the caller may not touch.
void DenyProcessAccess();

}  // namespace platform
