// Session, status and registry requests.
#include "ce/errors.h"
#include "server.h"
#include "wire_records.h"

namespace sim {
namespace {

// The task bar's height at 96 dpi; it scales with the screen's dpi.
constexpr int kTaskBarHeight = 26;

}  // namespace

ScreenInfo ScreenOf(const DeviceProfile& profile)
{
    ScreenInfo screen;
    screen.width = profile.screenWidth;
    screen.height = profile.screenHeight;
    screen.dpi = profile.dpi;
    screen.workLeft = 0;
    screen.workTop = kTaskBarHeight * profile.dpi / 96;
    screen.workRight = profile.screenWidth;
    screen.workBottom = profile.screenHeight;
    return screen;
}

void Server::HandleSession(Process& caller, Op op, WireReader& in, WireWriter& out)
{
    switch (op) {
    case Op::Exit:
        caller.exitCode = in.U32();
        caller.exitCodeSet = true;
        break;
    case Op::Log:
        LogEvent(in.Bytes());
        break;
    case Op::Status:
        WriteStatus(out, device_.Profile().status);
        break;
    case Op::Screen:
        WriteScreen(out, ScreenOf(device_.Profile()));
        break;
    default:
        break;
    }
}

void Server::HandleRegistry(Process& caller, Op op, WireReader& in, WireWriter& out)
{
    platform::RegistryService& registry = device_.Registry();
    switch (op) {
    case Op::RegOpenKey: {
        uint32_t parent = in.U32();
        std::u16string path = in.Text();
        platform::RegKeyId key = 0;
        out.I32(registry.OpenKey(parent, path, key)).U32(key);
        break;
    }
    case Op::RegCreateKey: {
        uint32_t parent = in.U32();
        std::u16string path = in.Text();
        platform::RegKeyId key = 0;
        bool created = false;
        out.I32(registry.CreateKey(parent, path, key, created)).U32(key).U8(created ? 1 : 0);
        break;
    }
    case Op::RegCloseKey:
        out.I32(registry.CloseKey(in.U32()));
        break;
    case Op::RegSetValue: {
        uint32_t key = in.U32();
        std::u16string name = in.Text();
        uint32_t type = in.U32();
        std::string data = in.Bytes();
        out.I32(registry.SetValue(key, name, type,
                                  std::span<const BYTE>(reinterpret_cast<const BYTE*>(data.data()), data.size())));
        break;
    }
    case Op::RegQueryValue: {
        uint32_t key = in.U32();
        std::u16string name = in.Text();
        DWORD type = 0;
        std::vector<BYTE> data;
        LONG result = registry.QueryValue(key, name, type, data);
        out.I32(result).U32(type).Bytes(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
        break;
    }
    case Op::RegDeleteValue: {
        uint32_t key = in.U32();
        out.I32(registry.DeleteValue(key, in.Text()));
        break;
    }
    case Op::RegDeleteKey: {
        uint32_t parent = in.U32();
        out.I32(registry.DeleteKey(parent, in.Text()));
        break;
    }
    case Op::RegPathOf:
        out.Text(registry.PathOf(in.U32()));
        break;
    default:
        out.I32(ERROR_INVALID_PARAMETER);
        break;
    }
    (void)caller;
}

}  // namespace sim
