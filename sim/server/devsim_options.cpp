#include "devsim_options.h"

#include <string_view>

namespace sim {
namespace {

// Reads the value that follows an option; a following option is taken as a
// forgotten value rather than as a file name.
bool TakeValue(int argc, const char* const* argv, int& i, std::string& value, std::string& error)
{
    std::string_view option = argv[i];
    if (i + 1 >= argc || argv[i + 1][0] == '\0' || std::string_view(argv[i + 1]).starts_with("--")) {
        error = std::string(option) + " needs a value";
        return false;
    }
    value = argv[++i];
    return true;
}

bool TakePath(int argc, const char* const* argv, int& i, std::filesystem::path& path, std::string& error)
{
    std::string value;
    if (!TakeValue(argc, argv, i, value, error))
        return false;
    path = value;
    return true;
}

// The window's zoom: a whole number from 1 to kMaxZoom.
bool TakeZoom(int argc, const char* const* argv, int& i, int& zoom, std::string& error)
{
    constexpr int kMaxZoom = 8;
    std::string value;
    if (!TakeValue(argc, argv, i, value, error))
        return false;
    bool digits = value.size() <= 2 && value.find_first_not_of("0123456789") == std::string::npos;
    int number = digits ? std::stoi(value) : 0;
    if (number < 1 || number > kMaxZoom) {
        error = "--zoom takes a whole number from 1 to " + std::to_string(kMaxZoom) + ", not " + value;
        return false;
    }
    zoom = number;
    return true;
}

bool TakeImage(int argc, const char* const* argv, int& i, std::string& image, std::string& error)
{
    if (!TakeValue(argc, argv, i, image, error))
        return false;
    if (image != "installed" && image != "cabinet" && image != "desktop") {
        error = "--image takes installed, cabinet or desktop, not " + image;
        return false;
    }
    return true;
}

// The program and, from the rest of the command line, its parameters.
bool TakeStart(int argc, const char* const* argv, int& i, DevsimOptions& options, std::string& error)
{
    if (!TakeValue(argc, argv, i, options.start, error))
        return false;
    options.startParameters.clear();
    for (++i; i < argc; ++i) {
        if (!options.startParameters.empty())
            options.startParameters += ' ';
        options.startParameters += argv[i];
    }
    return true;
}

}  // namespace

bool ParseDevsimOptions(int argc, const char* const* argv, DevsimOptions& options, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        bool ok = true;
        if (arg == "--root")
            ok = TakePath(argc, argv, i, options.root, error);
        else if (arg == "--reset")
            options.reset = true;
        else if (arg == "--fill-only")
            options.fillOnly = true;
        else if (arg == "--pair")
            ok = TakePath(argc, argv, i, options.pair, error);
        else if (arg == "--profile")
            ok = TakeValue(argc, argv, i, options.profile, error);
        else if (arg == "--image")
            ok = TakeImage(argc, argv, i, options.image, error);
        else if (arg == "--script")
            ok = TakePath(argc, argv, i, options.script, error);
        else if (arg == "--log")
            ok = TakePath(argc, argv, i, options.log, error);
        else if (arg == "--realtime")
            options.realtime = true;
        else if (arg == "--shots")
            ok = TakePath(argc, argv, i, options.shots, error);
        else if (arg == "--rebaseline")
            options.rebaseline = true;
        else if (arg == "--zoom")
            ok = TakeZoom(argc, argv, i, options.zoom, error);
        else if (arg == "--start")
            ok = TakeStart(argc, argv, i, options, error);
        else if (arg == "--help")
            options.help = true;
        else {
            error = (arg.starts_with("-") ? "unknown option " : "unexpected argument ") + std::string(arg);
            return false;
        }
        if (!ok)
            return false;
    }
    return true;
}

std::string ImageOf(const DevsimOptions& options, bool desktopProfile)
{
    if (!options.image.empty())
        return options.image;
    return desktopProfile ? "desktop" : "installed";
}

std::string DevsimUsage()
{
    return "usage: devsim [--root DIR] [--reset] [--fill-only] [--profile NAME|FILE] [--image KIND]\n"
           "              [--script FILE]\n"
           "              [--log FILE]\n"
           "              [--realtime] [--shots DIR] [--rebaseline] [--zoom N] [--help]\n"
           "              [--start PATH [ARGS...]]\n"
           "  --root DIR       the device's file system (default: devroot in the current folder);\n"
           "                   a missing or empty DIR is first filled from the device image\n"
           "  --reset          refill DIR from the device image\n"
           "  --pair DEVICE    a desktop's paired device: the root folder of the device that\n"
           "                   the application manager hands cabinets to\n"
           "  --fill-only      fill DIR for the profile's device and stop without booting, so\n"
           "                   that files can be changed before the first boot\n"
           "  --profile NAME   qvga (default), vga, vga96, landscape, square, ce4, de, desktop\n"
           "                   (a desktop PC whose drive C: is DIR), or a profile file\n"
           "  --image KIND     what a freshly filled DIR holds: installed (a Pocket PC's default),\n"
           "                   the image with the application installed; cabinet, the image\n"
           "                   without it and its cabinet in \\My Documents, for wceload.exe to\n"
           "                   install; or desktop (a desktop's default), the desktop PC's image\n"
           "  --script FILE    run FILE headless; exit 1 when an expectation fails; without it\n"
           "                   the device shows in a window when there is a display\n"
           "  --log FILE       write the event log to FILE (default: standard output)\n"
           "  --realtime       follow real time instead of the virtual clock\n"
           "  --shots DIR      the folder for screenshots (shot FILE) and for the screens\n"
           "                   that failed a match (NAME.actual.png)\n"
           "  --rebaseline     match GOLDEN writes the screen to GOLDEN instead of comparing;\n"
           "                   look at every golden it changes\n"
           "  --zoom N         the window's pixels per screen pixel, 1 to 8 (default: 2 for a\n"
           "                   240-pixel screen, 1 for a 480-pixel one)\n"
           "  --start PATH     after boot, start the device program PATH as a script's run does,\n"
           "                   e.g. --start \"\\Program Files\\Quib Monitor\\quibmonitor.exe\";\n"
           "                   the words after PATH are its parameters, so it comes last\n"
           "  --help           show this text\n";
}

}  // namespace sim
