#include "script_runner.h"

#include <fstream>

#include "ce/windowing.h"
#include "event_log.h"
#include "text_convert.h"

namespace sim {
namespace {


// Regional settings a script can switch to.
bool ApplyLocale(const std::string& name, platform::DeviceStatus& status)
{
    if (name == "en" || name == "us") {
        status.decimalSeparator = u'.';
        status.thousandsSeparator = u',';
    } else if (name == "de") {
        status.decimalSeparator = u',';
        status.thousandsSeparator = u'.';
    } else {
        return false;
    }
    return true;
}

}  // namespace

ScriptRunner::ScriptRunner(Server& server) : server_(server), cursor_(server.GetDevice().Log().Lines()) {}

bool ScriptRunner::Fail(const ScriptCommand& command, const std::string& why)
{
    failure_ = "script line " + std::to_string(command.line) + ": " + why;
    return false;
}

bool ScriptRunner::Run(const Script& script)
{
    for (const ScriptCommand& command : script) {
        server_.RunUntilIdle();
        if (command.kind == ScriptCommand::Kind::End)
            break;
        if (!Execute(command))
            return false;
    }
    server_.RunUntilIdle();
    return true;
}

bool ScriptRunner::Execute(const ScriptCommand& command)
{
    using Kind = ScriptCommand::Kind;
    Device& device = server_.GetDevice();
    platform::DeviceStatus& status = device.Profile().status;
    switch (command.kind) {
    case Kind::Run: {
        std::u16string path = platform::Utf16FromUtf8(command.text);
        std::u16string params = platform::Utf16FromUtf8(command.parameters);
        Pid pid = 0;
        uint32_t error = server_.StartProcess(path, params, pid);
        device.LogEvent("shellexecute pid=0 file=" + QuoteLogText(path) + " params=" + QuoteLogText(params) +
                        " ok=" + (error == 0 ? "1" : "0"));
        return true;
    }
    case Kind::Wait:
        server_.RunFor(command.ms);
        return true;
    case Kind::Idle:
    case Kind::End:
        return true;
    case Kind::Tap:
        server_.Stylus(WM_LBUTTONDOWN, Point{command.x, command.y});
        server_.RunUntilIdle();
        server_.Stylus(WM_LBUTTONUP, Point{command.x, command.y});
        return true;
    case Kind::Down:
        server_.Stylus(WM_LBUTTONDOWN, Point{command.x, command.y});
        return true;
    case Kind::Move:
        server_.Stylus(WM_MOUSEMOVE, Point{command.x, command.y});
        return true;
    case Kind::Up:
        server_.Stylus(WM_LBUTTONUP, Point{command.x, command.y});
        return true;
    case Kind::Hold:
        server_.Stylus(WM_LBUTTONDOWN, Point{command.x, command.y});
        server_.RunFor(command.ms);
        server_.Stylus(WM_LBUTTONUP, Point{command.x, command.y});
        return true;
    case Kind::Key:
        if (command.keyAction != ScriptCommand::KeyAction::Up)
            server_.Key(command.virtualKey, true);
        if (command.keyAction == ScriptCommand::KeyAction::Press)
            server_.RunUntilIdle();
        if (command.keyAction != ScriptCommand::KeyAction::Down)
            server_.Key(command.virtualKey, false);
        return true;
    case Kind::Expect:
        if (!cursor_.Expect(command.pattern))
            return Fail(command, "expected a log line matching " + command.text);
        return true;
    case Kind::ExpectNot:
        if (!cursor_.ExpectNot(command.pattern))
            return Fail(command, "a log line matches " + command.text);
        return true;
    case Kind::SetBattery:
        if (command.battery == ScriptCommand::Battery::Main) {
            status.mainPercent = command.percent;
            if (command.batteryFlag)
                status.mainFlag = *command.batteryFlag;
        } else {
            status.backupPercent = command.percent;
            if (command.batteryFlag)
                status.backupFlag = *command.batteryFlag;
        }
        device.LogEvent(std::string("set battery=") +
                        (command.battery == ScriptCommand::Battery::Main ? "main" : "backup") +
                        " percent=" + std::to_string(command.percent));
        server_.StatusChanged();
        return true;
    case Kind::SetCard:
        status.cardPresent = command.cardPresent;
        device.LogEvent(std::string("set card=") + (command.cardPresent ? "present" : "absent"));
        server_.StatusChanged();
        return true;
    case Kind::SetLocale:
        if (!ApplyLocale(command.text, status))
            return Fail(command, "unknown locale " + command.text + " (en, us or de)");
        device.LogEvent("set locale=" + command.text);
        server_.StatusChanged();
        return true;
    case Kind::Rotate:
        if (!server_.Rotate(command.text))
            return Fail(command, "unknown form " + command.text + " (portrait, landscape or square)");
        return true;
    case Kind::Kill: {
        Hwnd hwnd = server_.Windows().Find(std::nullopt, platform::Utf16FromUtf8(command.text));
        const Window* window = server_.Windows().Get(hwnd);
        if (!window || window->pid == 0)
            return Fail(command, "no window titled " + command.text);
        server_.Terminate(window->pid, 0);
        return true;
    }
    case Kind::Dump: {
        std::ofstream out(command.text, std::ios::binary);
        out << server_.Windows().Dump();
        if (!out)
            return Fail(command, "cannot write " + command.text);
        return true;
    }
    case Kind::Shot:
        // FIXME: screenshots come with the screen's framebuffer.
        return Fail(command, "shot is not available yet");
    }
    return true;
}

}  // namespace sim
