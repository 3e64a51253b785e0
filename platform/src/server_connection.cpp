#include "server_connection.h"

#include <cstdio>
#include <cstdlib>

#include "server/device.h"

namespace platform {
namespace {

std::unique_ptr<DeviceServer>& Current()
{
    static std::unique_ptr<DeviceServer> server;
    return server;
}

std::string EnvOr(const char* name, const char* fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

std::unique_ptr<DeviceServer> StartInProcessDevice()
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

}  // namespace

void ConnectInProcess(std::unique_ptr<DeviceServer> server) { Current() = std::move(server); }

void Disconnect() { Current().reset(); }

DeviceServer& Server()
{
    std::unique_ptr<DeviceServer>& server = Current();
    if (!server)
        server = StartInProcessDevice();
    return *server;
}

}  // namespace platform
