// How this process reaches its device server.
//
// A program started by devsim finds the server's socket and its own pid in
// DEVSIM_SOCKET and DEVSIM_PID. Anything else (a test, a tool) gets a
// device server of its own on a thread of this process: the given device,
// or one made from DEVSIM_ROOT (default "./devroot") and DEVSIM_PROFILE
// (default "qvga") on first use.
#pragma once

#include <memory>
#include <string>

#include "device_services.h"
#include "server/protocol.h"
#include "server/wire.h"
#include "server/wire_records.h"

namespace sim {
class Device;
class ScreenBuffer;
}

namespace platform {

// Serves this process from the given device from now on. With a socket
// path, the programs this process starts run on the same device, which
// takes their connections there; they end when this process disconnects.
void ConnectInProcess(std::unique_ptr<sim::Device> device, const std::string& programSocket = "");

// Ends the in-process device (or forgets the socket); the next use
// connects anew.
void Disconnect();

// Whether this process is connected to a device now (a request would
// otherwise connect it).
bool IsConnected();

// One request and its reply. A lost server ends the program: without its
// device it cannot go on.
std::string Call(sim::Op op, const sim::WireWriter& args);

// Requests made so far by this process, for measuring round trips.
unsigned long long CallCount();

// Goes up with every request that may change the device's state (or let
// another process run); what was read while it stood still is still true.
unsigned long long StateEpoch();

// The device's screen as it stands: size, dpi, work area, desktop or handheld.
sim::ScreenInfo ScreenFacts();

// This process's emulated pid.
DWORD CurrentPid();

// The device's framebuffer as this process maps it; none when the device
// has no screen memory.
sim::ScreenBuffer* DeviceScreen();

}  // namespace platform
