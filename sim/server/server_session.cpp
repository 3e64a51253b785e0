// Session, status and registry requests.
#include "ce/errors.h"
#include "ce/registry.h"
#include "event_log.h"
#include "server.h"
#include "wire_records.h"

namespace sim {
namespace {

// The task bar heights at 96 dpi (a Pocket PC's at the top, a desktop's at the
// bottom); they scale with the screen's dpi.
constexpr int kTaskBarHeight = 26;
constexpr int kDesktopTaskBarHeight = 30;

// How reg-set shows a value: REG_SZ as the quoted text up to its first NUL,
// a 4-byte REG_DWORD as its decimal number, anything else as lowercase hex.
std::string LogData(DWORD type, std::string_view data)
{
    if (type == REG_SZ) {
        std::u16string text;
        for (size_t i = 0; i + 1 < data.size(); i += 2) {
            char16_t c = static_cast<char16_t>(static_cast<BYTE>(data[i]) | (static_cast<BYTE>(data[i + 1]) << 8));
            if (c == 0)
                break;
            text += c;
        }
        return QuoteLogText(text);
    }
    auto byte = [&data](size_t i) { return static_cast<DWORD>(static_cast<BYTE>(data[i])); };
    if (type == REG_DWORD && data.size() == 4)
        return std::to_string(byte(0) | (byte(1) << 8) | (byte(2) << 16) | (byte(3) << 24));
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (size_t i = 0; i < data.size(); ++i) {
        hex += kDigits[byte(i) >> 4];
        hex += kDigits[byte(i) & 0xF];
    }
    return hex;
}

}  // namespace

ScreenInfo ScreenOf(const DeviceProfile& profile)
{
    ScreenInfo screen;
    screen.width = profile.screenWidth;
    screen.height = profile.screenHeight;
    screen.dpi = profile.dpi;
    screen.workLeft = 0;
    screen.workRight = profile.screenWidth;
    // A Pocket PC's task bar spans the top, a desktop's the bottom.
    screen.desktop = profile.desktop;
    if (profile.desktop) {
        screen.workTop = 0;
        screen.workBottom = profile.screenHeight - kDesktopTaskBarHeight * profile.dpi / 96;
    } else {
        screen.workTop = kTaskBarHeight * profile.dpi / 96;
        screen.workBottom = profile.screenHeight;
    }
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
        WriteStatus(out, device_.Status());
        break;
    case Op::Screen:
        WriteScreen(out, ScreenOf(device_.Profile()));
        break;
    case Op::MenuItems:
        openMenus_.Set(caller.pid, ReadMenuItems(in));
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
        LONG result = registry.SetValue(
            key, name, type, std::span<const BYTE>(reinterpret_cast<const BYTE*>(data.data()), data.size()));
        if (result == ERROR_SUCCESS)
            LogEvent("reg-set key=" + QuoteLogText(registry.PathOf(key)) + " value=" + QuoteLogText(name) +
                     " type=" + std::to_string(type) + " data=" + LogData(type, data));
        out.I32(result);
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
        std::u16string name = in.Text();
        LONG result = registry.DeleteValue(key, name);
        if (result == ERROR_SUCCESS)
            LogEvent("reg-delete key=" + QuoteLogText(registry.PathOf(key)) + " value=" + QuoteLogText(name));
        out.I32(result);
        break;
    }
    case Op::RegDeleteKey: {
        uint32_t parent = in.U32();
        std::u16string path = in.Text();
        // The spelling is taken first: once the key is gone, so is it.
        std::u16string full;
        platform::RegKeyId key = 0;
        if (registry.OpenKey(parent, path, key) == ERROR_SUCCESS) {
            full = registry.PathOf(key);
            registry.CloseKey(key);
        }
        LONG result = registry.DeleteKey(parent, path);
        if (result == ERROR_SUCCESS)
            LogEvent("reg-delete key=" + QuoteLogText(full));
        else
            LogEvent("reg-delete-failed key=" + QuoteLogText(registry.PathOf(parent) + u"\\" + path) +
                     " error=" + std::to_string(result));
        out.I32(result);
        break;
    }
    case Op::RegPathOf:
        out.Text(registry.PathOf(in.U32()));
        break;
    case Op::RegEnumKey: {
        uint32_t key = in.U32();
        uint32_t index = in.U32();
        std::u16string name;
        out.I32(registry.EnumKey(key, index, name)).Text(name);
        break;
    }
    default:
        out.I32(ERROR_INVALID_PARAMETER);
        break;
    }
    (void)caller;
}

}  // namespace sim
