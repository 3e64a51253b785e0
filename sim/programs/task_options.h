// The stand-in task's command line: options first, then the window title.
//   task.exe [--ignore-close] [--ignore-quit] [--hang] [--spin] [--protected] [--child]
//            [--class-from-title] [--load LIBRARY] [TITLE]
#pragma once

#include <string>
#include <string_view>

struct TaskOptions {
    bool ignoreClose = false;  // WM_CLOSE is swallowed
    bool ignoreQuit = false;   // the message loop outlives WM_QUIT
    bool hang = false;         // once shown, no message is handled any more
    bool spin = false;         // once shown, it computes for ever and never waits again
    bool denyOpen = false;     // --protected: OpenProcess on it is refused
    bool child = false;        // a visible child window titled "TITLE child"
    bool classFromTitle = false;  // the window's class is named as its title
    std::u16string library;    // --load: a library (device path) held loaded for good
    std::u16string title;      // "Task" when the command line has none
};

// Options are whole words at the start; the first other word begins the
// title, which is kept as written from there on.
TaskOptions ParseTaskOptions(std::u16string_view commandLine);
