#include "server_connection.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "local_windows.h"
#include "remote_device.h"
#include "server/device.h"
#include "server/screen_buffer.h"
#include "server/server.h"
#include "text_convert.h"

namespace platform {
namespace {

// The device server running on a thread of this process.
struct InProcessServer {
    std::unique_ptr<sim::Device> device;
    std::unique_ptr<sim::Server> server;
    std::thread thread;
};

struct Connection {
    int fd = -1;
    DWORD pid = 0;
    std::string root;
    std::unique_ptr<InProcessServer> local;
    std::unique_ptr<RemoteDevice> remote;
    std::unique_ptr<sim::ScreenBuffer> screen;
};

Connection& Current()
{
    static Connection connection;
    return connection;
}

std::string EnvOr(const char* name, const char* fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

[[noreturn]] void LostServer()
{
    std::fprintf(stderr, "devsim: the device server is gone\n");
    std::fflush(stderr);
    _exit(3);
}

void SayHello(Connection& connection)
{
    sim::WireWriter hello;
    hello.U16(static_cast<uint16_t>(sim::Op::Hello)).U32(connection.pid);
    std::string reply;
    if (!sim::SendFrame(connection.fd, hello.Data()) || !sim::ReceiveFrame(connection.fd, reply))
        LostServer();
    sim::WireReader in(reply);
    connection.root = in.Bytes();
    connection.remote = std::make_unique<RemoteDevice>(connection.root);
    // Started programs inherit the descriptor; the in-process server's is
    // this process's own.
    int screenFd = in.I32();
    std::string error;
    if (screenFd >= 0)
        connection.screen = sim::ScreenBuffer::Map(screenFd, error);
}

void StartLocal(Connection& connection, std::unique_ptr<sim::Device> device, const std::string& programSocket = "")
{
    int pair[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) {
        std::perror("devsim: socketpair");
        std::exit(3);
    }
    auto local = std::make_unique<InProcessServer>();
    local->device = std::move(device);
    sim::ServerOptions options;
    options.harness = true;
    local->server = std::make_unique<sim::Server>(*local->device, options);
    std::string error;
    if (!programSocket.empty() && !local->server->Listen(programSocket, error)) {
        std::fprintf(stderr, "devsim: %s\n", error.c_str());
        std::exit(3);
    }
    const char* program = std::getenv("DEVSIM_PROGRAM");
    connection.pid = local->server->AttachClient(pair[1], program ? Utf16FromUtf8(program) : u"\\test.exe");
    connection.fd = pair[0];
    sim::Server* server = local->server.get();
    local->thread = std::thread([server] { server->ServeHarness(); });
    connection.local = std::move(local);
    SayHello(connection);
}

std::unique_ptr<sim::Device> DeviceFromEnvironment()
{
    std::string root = EnvOr("DEVSIM_ROOT", "./devroot");
    std::string profileName = EnvOr("DEVSIM_PROFILE", "qvga");
    std::string error;
    std::optional<sim::DeviceProfile> profile = sim::LoadProfile(profileName, error);
    if (!profile) {
        std::fprintf(stderr, "devsim: %s; using the qvga profile\n", error.c_str());
        profile = sim::BuiltInProfile("qvga");
    }
    return std::make_unique<sim::Device>(root, *profile);
}

void ConnectToSocket(Connection& connection, const char* socketPath, const char* pid)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath, sizeof address.sun_path - 1);
    connection.fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (connection.fd < 0 || connect(connection.fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        LostServer();
    connection.pid = static_cast<DWORD>(std::strtoul(pid, nullptr, 10));
    SayHello(connection);
}

Connection& Connected()
{
    Connection& connection = Current();
    if (connection.fd >= 0)
        return connection;
    const char* socketPath = std::getenv("DEVSIM_SOCKET");
    const char* pid = std::getenv("DEVSIM_PID");
    if (socketPath && *socketPath && pid)
        ConnectToSocket(connection, socketPath, pid);
    else
        StartLocal(connection, DeviceFromEnvironment());
    return connection;
}

}  // namespace

void ConnectInProcess(std::unique_ptr<sim::Device> device, const std::string& programSocket)
{
    Disconnect();
    StartLocal(Current(), std::move(device), programSocket);
}

static unsigned long long s_stateEpoch = 0;

void Disconnect()
{
    Connection& connection = Current();
    if (connection.fd >= 0)
        close(connection.fd);
    connection.fd = -1;
    if (connection.local) {
        connection.local->thread.join();
        connection.local.reset();
    }
    connection.remote.reset();
    connection.screen.reset();
    connection.pid = 0;
    // Nothing read from the old device holds for the next.
    ++s_stateEpoch;
    ForgetLocalWindows();
}

static unsigned long long s_callCount = 0;

unsigned long long CallCount() { return s_callCount; }

unsigned long long StateEpoch() { return s_stateEpoch; }

std::string Call(sim::Op op, const sim::WireWriter& args)
{
    ++s_callCount;
    if (!sim::AsksOnly(op))
        ++s_stateEpoch;
    Connection& connection = Connected();
    std::string frame;
    frame.reserve(2 + args.Data().size());
    sim::WireWriter header;
    header.U16(static_cast<uint16_t>(op));
    frame = header.Data() + args.Data();
    std::string reply;
    if (!sim::SendFrame(connection.fd, frame) || !sim::ReceiveFrame(connection.fd, reply))
        LostServer();
    return reply;
}

bool IsConnected() { return Current().fd >= 0; }

DWORD CurrentPid() { return Connected().pid; }

sim::ScreenInfo ScreenFacts()
{
    std::string reply = Call(sim::Op::Screen, sim::WireWriter());
    sim::WireReader in(reply);
    return sim::ReadScreen(in);
}

sim::ScreenBuffer* DeviceScreen() { return Connected().screen.get(); }

DeviceServer& Server() { return *Connected().remote; }

}  // namespace platform
