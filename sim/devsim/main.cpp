// devsim: boots the emulated device and plays a script on it, or, without
// one, shows it in a window (or, with no display, runs until every program
// has ended).
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "devsim/interactive_window.h"
#include "server/device_files.h"
#include "server/devsim_options.h"
#include "server/script.h"
#include "server/script_runner.h"
#include "server/server.h"
#include "text_convert.h"

namespace fs = std::filesystem;

namespace {

// The shell the machine runs from boot: the Pocket PC's, or the desktop's.
constexpr char16_t kShellPath[] = u"\\Windows\\shell.exe";
constexpr char16_t kDesktopShellPath[] = u"\\Windows\\explorer.exe";

bool IsEmptyFolder(const fs::path& path)
{
    std::error_code error;
    return !fs::exists(path, error) || (fs::is_directory(path, error) && fs::is_empty(path, error));
}

std::vector<std::string> SplitBars(std::string_view text)
{
    std::vector<std::string> parts;
    for (size_t start = 0; start <= text.size();) {
        size_t end = std::min(text.find('|', start), text.size());
        parts.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

void OmitProfileFiles(const sim::DevsimOptions& options, const sim::DeviceProfile& profile)
{
    for (const std::string& path : profile.imageOmit)
        sim::DeleteDeviceFile(options.root.string(), platform::Utf16FromUtf8(path));
}

// The device before the application is installed: the image without what
// its cabinet installs, and the cabinet where a user would have copied it.
bool FillBareDevice(const fs::path& image, const sim::DevsimOptions& options, const sim::DeviceProfile& profile,
                    std::string& error)
{
    if (!sim::FillDeviceRoot(image.string(), options.root.string(), error, SplitBars(QM_CABINET_INSTALLS)) ||
        !sim::PlaceHostFile(options.root.string(), QM_CABINET_AT, QM_CABINET_FILE, error))
        return false;
    OmitProfileFiles(options, profile);
    return true;
}

// Fills the root from the device image the build made, without the files
// that the profile's device does not have.
bool PrepareRoot(const sim::DevsimOptions& options, const sim::DeviceProfile& profile, std::string& error)
{
    std::error_code ec;
    if (options.reset)
        fs::remove_all(options.root, ec);
    if (!IsEmptyFolder(options.root))
        return true;
    std::string kind = sim::ImageOf(options, profile.desktop);
    fs::path image = kind == "desktop" ? QM_DESKTOP_IMAGE : QM_DEVICE_IMAGE;
    if (!fs::is_directory(image, ec)) {
        error = "no " + kind + " image at " + image.string() + " (build the project first)";
        return false;
    }
    if (kind == "cabinet")
        return FillBareDevice(image, options, profile, error);
    if (!sim::FillDeviceRoot(image.string(), options.root.string(), error))
        return false;
    OmitProfileFiles(options, profile);
    return true;
}

bool ReadFile(const fs::path& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    sim::DevsimOptions options;
    std::string error;
    if (!sim::ParseDevsimOptions(argc, argv, options, error)) {
        std::cerr << "devsim: " << error << "\n" << sim::DevsimUsage();
        return 2;
    }
    if (options.help) {
        std::cout << sim::DevsimUsage();
        return 0;
    }
    sim::Script script;
    if (!options.script.empty()) {
        std::string text;
        std::vector<std::string> errors;
        if (!ReadFile(options.script, text)) {
            std::cerr << "devsim: cannot read " << options.script << "\n";
            return 2;
        }
        if (!sim::ParseScript(text, script, errors)) {
            for (const std::string& line : errors)
                std::cerr << "devsim: " << options.script.string() << ": " << line << "\n";
            return 2;
        }
    }
    std::optional<sim::DeviceProfile> profile = sim::LoadProfile(options.profile, error);
    if (!profile) {
        std::cerr << "devsim: " << error << "\n";
        return 2;
    }
    if (!PrepareRoot(options, *profile, error)) {
        std::cerr << "devsim: " << error << "\n";
        return 2;
    }
    if (options.fillOnly)
        return 0;

    std::ofstream logFile;
    if (!options.log.empty()) {
        logFile.open(options.log, std::ios::binary | std::ios::trunc);
        if (!logFile) {
            std::cerr << "devsim: cannot write " << options.log << "\n";
            return 2;
        }
    }
    std::ostream& log = options.log.empty() ? std::cout : logFile;

    sim::Device device(fs::absolute(options.root).lexically_normal().string(), *profile);
    device.Log().SetSink([&log](const std::string& line) { log << line << '\n' << std::flush; });
    if (const std::optional<sim::HiveDamage>& damage = device.Store().Damage())
        std::cerr << "devsim: " << sim::HiveDamageMessage(*damage) << "\n";
    sim::ServerOptions serverOptions;
    // Without a script nobody waits on the virtual clock: the device
    // follows real time, as an interactive one does.
    serverOptions.realtime = options.realtime || options.script.empty();
    if (!options.pair.empty())
        serverOptions.pairedRoot = fs::absolute(options.pair).lexically_normal().string();
    sim::Server server(device, serverOptions);

    char folder[] = "/tmp/devsim-XXXXXX";
    if (!mkdtemp(folder)) {
        std::perror("devsim: mkdtemp");
        return 2;
    }
    std::string socketPath = std::string(folder) + "/device";
    if (!server.Listen(socketPath, error)) {
        std::cerr << "devsim: " << error << "\n";
        return 2;
    }

    sim::Pid shell = 0;
    if (server.StartProcess(profile->desktop ? kDesktopShellPath : kShellPath, u"", shell) != 0)
        device.LogEvent("boot shell=missing");
    server.RunUntilIdle();
    if (!options.start.empty()) {
        sim::RunProgram(server, options.start, options.startParameters);
        server.RunUntilIdle();
    }

    int status = 0;
    if (!options.script.empty()) {
        sim::ScriptRunnerOptions runnerOptions;
        runnerOptions.scriptFolder = options.script.parent_path();
        runnerOptions.shots = options.shots;
        runnerOptions.rebaseline = options.rebaseline;
        sim::ScriptRunner runner(server, runnerOptions);
        if (!runner.Run(script)) {
            std::cerr << "devsim: " << options.script.string() << ": " << runner.Failure() << "\n";
            status = 1;
        }
    } else if (sim::RunInteractiveWindow(server, options.zoom, error) == sim::WindowOutcome::Unavailable) {
        // Without a window the device runs until its programs end (or
        // devsim is stopped).
        std::cerr << "devsim: running without a window: " << error << "\n";
        while (server.AnyProcessAlive())
            server.RunFor(1000);
    }
    server.TerminateAll();
    rmdir(folder);
    return status;
}
