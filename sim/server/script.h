// Device scripts: the commands a headless run carries out, one a line.
//
//   run PATH [PARAMETERS]      start a program as ShellExecuteEx does; PATH
//                              may be double-quoted, PARAMETERS is the rest
//                              of the line after one blank, kept verbatim
//   wait MS                    let the device run for MS milliseconds
//   idle                       run until every process waits
//   tap X Y, down X Y, move X Y, up X Y     stylus, in screen coordinates
//   hold X Y [MS]              stylus down, MS milliseconds, up
//   choose TEXT                a tap at the centre of the open popup menu's
//                              item whose text is TEXT
//   press TEXT                 a tap at the centre of the button or radio
//                              button in the active window whose text,
//                              without its '&', is TEXT
//   key NAME [down|up]         LEFT UP RIGHT DOWN RETURN ESCAPE F1 F2, or a
//                              virtual key number (decimal or 0x hex);
//                              without down/up a press and a release
//   expect REGEX               a log line after the previous match matches
//   expect-not REGEX           no log line after the previous match matches
//   set battery main|backup PERCENT [FLAGBYTE]
//   set card present|absent
//   set locale NAME
//   rotate FORM
//   kill TITLE                 end the process owning that window
//   delete PATH                remove a file of the device by its CE path
//   dump FILE                  write the window tree
//   shot FILE                  write the screen as a PNG (under --shots)
//   match GOLDEN               the screen equals the PNG GOLDEN, a path
//                              relative to the script's folder
//   end
//
// A line whose first non-blank character is '#' is a comment; elsewhere '#'
// is an ordinary character, so patterns, parameters and titles may hold it.
// TITLE, FILE and PATH may be double-quoted. Blanks around arguments are dropped,
// except from run's parameters, which the program receives as written.
#pragma once

#include <cstdint>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

// A hold without a duration keeps the stylus down for a full second, long
// enough for any tap-and-hold to be recognised.
constexpr uint32_t kDefaultHoldMs = 1000;

struct ScriptCommand {
    enum class Kind {
        Run, Wait, Idle, Tap, Down, Move, Up, Hold, Choose, Key, Expect, ExpectNot,
        SetBattery, SetCard, SetLocale, Rotate, Kill, Dump, Shot, Match, End,
        Delete, Press,
    };
    enum class KeyAction { Press, Down, Up };
    enum class Battery { Main, Backup };

    int line = 0;  // 1-based line in the script
    Kind kind = Kind::End;

    // Run: the CE path. Expect, ExpectNot: the pattern as written.
    // SetLocale, Rotate: the name. Kill: the title. Choose: the item's text.
    // Press: the button's text.
    // Dump, Shot, Match: the host file. Delete: the CE path.
    std::string text;
    std::string parameters;  // Run; may be empty
    int x = 0, y = 0;        // Tap, Down, Move, Up, Hold
    uint32_t ms = 0;         // Wait, Hold
    uint8_t virtualKey = 0;  // Key
    KeyAction keyAction = KeyAction::Press;
    std::regex pattern;      // Expect, ExpectNot (ECMAScript)
    Battery battery = Battery::Main;
    uint8_t percent = 0;     // SetBattery: 0..100, or 255 for unknown
    std::optional<uint8_t> batteryFlag;  // SetBattery; absent keeps the flag
    bool cardPresent = false;            // SetCard
};

using Script = std::vector<ScriptCommand>;

// Appends the script's commands to commands and one "line N: why" message
// per malformed line to errors; answers whether there were none.
bool ParseScript(std::string_view text, Script& commands, std::vector<std::string>& errors);

}  // namespace sim
