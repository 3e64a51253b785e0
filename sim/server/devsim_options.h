// devsim's command line.
#pragma once

#include <filesystem>
#include <string>

namespace sim {

struct DevsimOptions {
    std::filesystem::path root = "devroot";  // the device's file system
    bool reset = false;                      // refill the root from the device image
    bool fillOnly = false;                   // fill the root for the profile, then stop
    std::string profile = "qvga";            // a built-in profile name or a profile file
    std::filesystem::path pair;              // the paired device's root, for a desktop
    std::string image;                       // installed, cabinet (the application still to
                                             // install) or desktop; empty: by the profile
    std::filesystem::path script;            // empty: interactive
    std::filesystem::path log;               // empty: standard output
    bool realtime = false;                   // real time instead of the virtual clock
    std::filesystem::path shots;             // the folder for screenshots; empty: not given
    int zoom = 0;                            // window pixels per screen pixel; 0: by screen size
    bool rebaseline = false;                 // match writes its golden instead of comparing
    std::string start;                       // a CE program to start after boot; empty: none
    std::string startParameters;             // its command line: the words after it, blank-joined
    bool help = false;
};

// Reads the options after argv[0] over the defaults; on an unknown option, a
// missing or malformed value or a stray argument sets error and answers false.
// --start PATH ends the options: every word after PATH goes to the program.
bool ParseDevsimOptions(int argc, const char* const* argv, DevsimOptions& options, std::string& error);

// The image a fresh root is filled from: the one asked for, else the
// profile's own (desktop on a desktop, installed on a Pocket PC).
std::string ImageOf(const DevsimOptions& options, bool desktopProfile);

// The usage text for --help and for a bad command line.
std::string DevsimUsage();

}  // namespace sim
