#include "script_runner.h"

#include <fstream>

#include "button_search.h"
#include "ce/windowing.h"
#include "device_files.h"
#include "event_log.h"
#include "png_file.h"
#include "text_convert.h"

namespace sim {
namespace {

namespace fs = std::filesystem;

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

BgrPixels PixelsOf(const ScreenBuffer& screen)
{
    return BgrPixels{screen.Pixels(), screen.Width(), screen.Height(), screen.Stride()};
}

// Writes the screen, making the file's folder when it is missing.
bool WriteScreen(const ScreenBuffer& screen, const fs::path& file, std::string& error)
{
    std::error_code ec;
    if (file.has_parent_path())
        fs::create_directories(file.parent_path(), ec);
    return WritePngFile(file, PixelsOf(screen), error);
}

fs::path Under(const fs::path& folder, const std::string& name)
{
    fs::path file = name;
    return file.is_relative() && !folder.empty() ? folder / file : file;
}

}  // namespace

void RunProgram(Server& server, const std::string& path, const std::string& parameters)
{
    std::u16string file = platform::Utf16FromUtf8(path);
    std::u16string params = platform::Utf16FromUtf8(parameters);
    Pid pid = 0;
    uint32_t error = server.StartProcess(file, params, pid);
    server.GetDevice().LogEvent("shellexecute pid=0 file=" + QuoteLogText(file) + " params=" + QuoteLogText(params) +
                                " ok=" + (error == 0 ? "1" : "0"));
}

ScriptRunner::ScriptRunner(Server& server, ScriptRunnerOptions options)
    : server_(server), options_(std::move(options)), cursor_(server.GetDevice().Log().Lines())
{
}

bool ScriptRunner::Fail(const ScriptCommand& command, const std::string& why)
{
    failure_ = "script line " + std::to_string(command.line) + ": " + why;
    return false;
}

bool ScriptRunner::Run(const Script& script)
{
    for (const ScriptCommand& command : script) {
        // Every command, shot and match among them, finds the device
        // settled: started programs waiting and pending paints done.
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
    case Kind::Run:
        RunProgram(server_, command.text, command.parameters);
        return true;
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
    case Kind::Choose:
        return Choose(command);
    case Kind::Press:
        return Press(command);
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
        out << server_.Windows().Dump() << server_.ProcessReport();
        if (!out)
            return Fail(command, "cannot write " + command.text);
        return true;
    }
    case Kind::Shot:
        return Shot(command);
    case Kind::Match:
        return Match(command);
    case Kind::Delete:
        return Delete(command);
    }
    return true;
}

// A user's tap on the item: the stylus down and up at its centre.
bool ScriptRunner::Choose(const ScriptCommand& command)
{
    std::optional<Rect> item = server_.Menus().Find(platform::Utf16FromUtf8(command.text));
    if (!item)
        return Fail(command, "no open menu holds an item \"" + command.text + "\"");
    Point centre{(item->left + item->right) / 2, (item->top + item->bottom) / 2};
    server_.Stylus(WM_LBUTTONDOWN, centre);
    server_.RunUntilIdle();
    server_.Stylus(WM_LBUTTONUP, centre);
    return true;
}

// A user's tap on the button in the window in front; a disabled one takes
// it as it would from the user: not at all.
bool ScriptRunner::Press(const ScriptCommand& command)
{
    const WindowManager& windows = server_.Windows();
    Hwnd button = FindButton(windows, windows.Active(), platform::Utf16FromUtf8(command.text));
    if (!button)
        return Fail(command, "the active window has no button \"" + command.text + "\"");
    Rect rect = windows.Get(button)->rect;
    Point centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    server_.Stylus(WM_LBUTTONDOWN, centre);
    server_.RunUntilIdle();
    server_.Stylus(WM_LBUTTONUP, centre);
    return true;
}

// A missing file is logged, not a failure: a script may expect either. A
// file a running program holds stays, as it does for the device's user.
bool ScriptRunner::Delete(const ScriptCommand& command)
{
    Device& device = server_.GetDevice();
    std::u16string path = platform::Utf16FromUtf8(command.text);
    std::string hostPath;
    bool held = server_.MapFile(path, hostPath) && server_.FileInUse(hostPath);
    bool deleted = !held && DeleteDeviceFile(device.RootPath(), path);
    device.LogEvent("delete path=" + QuoteLogText(path) + " ok=" + (deleted ? "1" : "0"));
    return true;
}

bool ScriptRunner::Shot(const ScriptCommand& command)
{
    const ScreenBuffer* screen = server_.GetDevice().Screen();
    if (!screen)
        return Fail(command, "the device has no screen");
    std::string error;
    if (!WriteScreen(*screen, Under(options_.shots, command.text), error))
        return Fail(command, error);
    server_.GetDevice().LogEvent("shot file=" + QuoteLogText(command.text));
    return true;
}

bool ScriptRunner::Match(const ScriptCommand& command)
{
    Device& device = server_.GetDevice();
    const ScreenBuffer* screen = device.Screen();
    if (!screen)
        return Fail(command, "the device has no screen");
    fs::path golden = Under(options_.scriptFolder, command.text);
    std::string error;
    if (options_.rebaseline) {
        if (!WriteScreen(*screen, golden, error))
            return Fail(command, error);
        device.LogEvent("rebaseline file=" + QuoteLogText(command.text));
        return true;
    }
    std::error_code ec;
    if (!fs::exists(golden, ec))
        return Fail(command, "no golden " + golden.string() + " (devsim --rebaseline writes it)");
    RgbImage expected;
    if (!ReadPngFile(golden, expected, error))
        return Fail(command, error);
    ScreenComparison comparison = CompareScreen(PixelsOf(*screen), expected);
    device.LogEvent("match file=" + QuoteLogText(command.text) + " ok=" + (comparison.Matches() ? "1" : "0"));
    if (comparison.Matches())
        return true;
    std::string why = "the screen differs from " + golden.string() + ": " +
                      DescribeMismatch(comparison, PixelsOf(*screen), expected);
    fs::path actual = Under(options_.shots, golden.stem().string() + ".actual.png");
    if (WriteScreen(*screen, actual, error))
        why += "; the screen is in " + actual.string();
    else
        why += "; " + error;
    return Fail(command, why);
}

}  // namespace sim
