#include "script.h"

#include <charconv>
#include <limits>

#include "ce/windowing.h"

namespace sim {
namespace {

using Kind = ScriptCommand::Kind;

// The stylus messages carry coordinates in 16 bits.
constexpr uint32_t kMaxCoordinate = 32767;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> Words(std::string_view text)
{
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < text.size()) {
        if (IsBlank(text[i])) {
            ++i;
            continue;
        }
        size_t start = i;
        while (i < text.size() && !IsBlank(text[i]))
            ++i;
        words.push_back(text.substr(start, i - start));
    }
    return words;
}

bool ParseDecimal(std::string_view text, uint32_t limit, uint32_t& value)
{
    uint32_t number = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || number > limit)
        return false;
    value = number;
    return true;
}

// Decimal, or hexadecimal after "0x".
bool ParseByte(std::string_view text, uint8_t& value)
{
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    unsigned number = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || number > 0xFF)
        return false;
    value = static_cast<uint8_t>(number);
    return true;
}

bool ParseCoordinates(const std::vector<std::string_view>& words, ScriptCommand& command, std::string& why)
{
    uint32_t x = 0, y = 0;
    if (!ParseDecimal(words[0], kMaxCoordinate, x) || !ParseDecimal(words[1], kMaxCoordinate, y)) {
        why = "X and Y must be numbers from 0 to " + std::to_string(kMaxCoordinate);
        return false;
    }
    command.x = static_cast<int>(x);
    command.y = static_cast<int>(y);
    return true;
}

bool ParseMilliseconds(std::string_view word, uint32_t& ms, std::string& why)
{
    if (ParseDecimal(word, std::numeric_limits<uint32_t>::max(), ms))
        return true;
    why = "\"" + std::string(word) + "\" is not a number of milliseconds";
    return false;
}

// An argument that may be double-quoted: the text between the quotes, or
// else the rest of the line.
bool ParseText(std::string_view rest, std::string& text, std::string& why)
{
    rest = TrimBlanks(rest);
    if (!rest.empty() && rest.front() == '"') {
        size_t close = rest.find('"', 1);
        if (close == std::string_view::npos) {
            why = "missing closing quote";
            return false;
        }
        if (close + 1 != rest.size()) {
            why = "unexpected text after the closing quote";
            return false;
        }
        rest = rest.substr(1, close - 1);
    }
    if (rest.empty()) {
        why = "missing argument";
        return false;
    }
    text = rest;
    return true;
}

// The path, quoted when it holds blanks; the parameters follow one blank.
bool ParseRun(std::string_view rest, ScriptCommand& command, std::string& why)
{
    while (!rest.empty() && IsBlank(rest.front()))
        rest.remove_prefix(1);
    size_t pathEnd = 0;
    if (!rest.empty() && rest.front() == '"') {
        size_t close = rest.find('"', 1);
        if (close == std::string_view::npos) {
            why = "missing closing quote";
            return false;
        }
        command.text = rest.substr(1, close - 1);
        pathEnd = close + 1;
        if (pathEnd < rest.size() && !IsBlank(rest[pathEnd])) {
            why = "a blank must follow the quoted path";
            return false;
        }
    } else {
        while (pathEnd < rest.size() && !IsBlank(rest[pathEnd]))
            ++pathEnd;
        command.text = rest.substr(0, pathEnd);
    }
    if (command.text.empty()) {
        why = "missing program path";
        return false;
    }
    if (pathEnd < rest.size())
        command.parameters = rest.substr(pathEnd + 1);
    return true;
}

bool ParsePattern(std::string_view rest, ScriptCommand& command, std::string& why)
{
    command.text = TrimBlanks(rest);
    if (command.text.empty()) {
        why = "missing regular expression";
        return false;
    }
    try {
        command.pattern = std::regex(command.text, std::regex::ECMAScript);
    } catch (const std::regex_error& error) {
        why = std::string("invalid regular expression: ") + error.what();
        return false;
    }
    return true;
}

bool ParseNoArguments(std::string_view rest, ScriptCommand&, std::string& why)
{
    if (Words(rest).empty())
        return true;
    why = "takes no arguments";
    return false;
}

bool ParseWait(std::string_view rest, ScriptCommand& command, std::string& why)
{
    std::vector<std::string_view> words = Words(rest);
    if (words.size() != 1) {
        why = "expected MS";
        return false;
    }
    return ParseMilliseconds(words[0], command.ms, why);
}

bool ParsePoint(std::string_view rest, ScriptCommand& command, std::string& why)
{
    std::vector<std::string_view> words = Words(rest);
    if (words.size() != 2) {
        why = "expected X Y";
        return false;
    }
    return ParseCoordinates(words, command, why);
}

bool ParseHold(std::string_view rest, ScriptCommand& command, std::string& why)
{
    std::vector<std::string_view> words = Words(rest);
    if (words.size() != 2 && words.size() != 3) {
        why = "expected X Y [MS]";
        return false;
    }
    if (!ParseCoordinates(words, command, why))
        return false;
    command.ms = kDefaultHoldMs;
    return words.size() == 2 || ParseMilliseconds(words[2], command.ms, why);
}

struct KeyName {
    std::string_view name;
    uint8_t virtualKey;
};

constexpr KeyName kKeyNames[] = {
    {"LEFT", VK_LEFT},     {"UP", VK_UP},         {"RIGHT", VK_RIGHT}, {"DOWN", VK_DOWN},
    {"RETURN", VK_RETURN}, {"ESCAPE", VK_ESCAPE}, {"F1", VK_F1},       {"F2", VK_F2},
};

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
        if (upper(a[i]) != upper(b[i]))
            return false;
    }
    return true;
}

bool ParseVirtualKey(std::string_view word, uint8_t& virtualKey)
{
    for (const KeyName& key : kKeyNames) {
        if (EqualsIgnoringCase(word, key.name)) {
            virtualKey = key.virtualKey;
            return true;
        }
    }
    // Virtual key codes run from 1 to 254.
    return ParseByte(word, virtualKey) && virtualKey != 0 && virtualKey != 0xFF;
}

bool ParseKey(std::string_view rest, ScriptCommand& command, std::string& why)
{
    std::vector<std::string_view> words = Words(rest);
    if (words.empty() || words.size() > 2) {
        why = "expected NAME [down|up]";
        return false;
    }
    if (!ParseVirtualKey(words[0], command.virtualKey)) {
        why = "unknown key \"" + std::string(words[0]) + "\"";
        return false;
    }
    if (words.size() == 1)
        return true;
    if (words[1] == "down") {
        command.keyAction = ScriptCommand::KeyAction::Down;
    } else if (words[1] == "up") {
        command.keyAction = ScriptCommand::KeyAction::Up;
    } else {
        why = "expected down or up after the key";
        return false;
    }
    return true;
}

bool ParseBattery(const std::vector<std::string_view>& words, ScriptCommand& command, std::string& why)
{
    command.kind = Kind::SetBattery;
    if (words.size() != 3 && words.size() != 4) {
        why = "expected battery main|backup PERCENT [FLAGBYTE]";
        return false;
    }
    if (words[1] == "main") {
        command.battery = ScriptCommand::Battery::Main;
    } else if (words[1] == "backup") {
        command.battery = ScriptCommand::Battery::Backup;
    } else {
        why = "the battery is main or backup";
        return false;
    }
    uint32_t percent = 0;
    // 255 is the platform's "percentage unknown".
    if (!ParseDecimal(words[2], 255, percent) || (percent > 100 && percent != 255)) {
        why = "PERCENT must be 0 to 100, or 255 for unknown";
        return false;
    }
    command.percent = static_cast<uint8_t>(percent);
    if (words.size() == 3)
        return true;
    uint8_t flag = 0;
    if (!ParseByte(words[3], flag)) {
        why = "FLAGBYTE must be a number from 0 to 255 (or 0x00 to 0xff)";
        return false;
    }
    command.batteryFlag = flag;
    return true;
}

bool ParseCard(const std::vector<std::string_view>& words, ScriptCommand& command, std::string& why)
{
    command.kind = Kind::SetCard;
    if (words.size() != 2 || (words[1] != "present" && words[1] != "absent")) {
        why = "expected card present|absent";
        return false;
    }
    command.cardPresent = words[1] == "present";
    return true;
}

bool ParseOneName(std::string_view rest, ScriptCommand& command, std::string& why)
{
    std::vector<std::string_view> words = Words(rest);
    if (words.size() != 1) {
        why = "expected one name";
        return false;
    }
    command.text = words[0];
    return true;
}

bool ParseSet(std::string_view rest, ScriptCommand& command, std::string& why)
{
    std::vector<std::string_view> words = Words(rest);
    if (words.empty()) {
        why = "expected battery, card or locale";
        return false;
    }
    if (words[0] == "battery")
        return ParseBattery(words, command, why);
    if (words[0] == "card")
        return ParseCard(words, command, why);
    if (words[0] == "locale") {
        command.kind = Kind::SetLocale;
        if (words.size() == 2) {
            command.text = words[1];
            return true;
        }
        why = "expected locale NAME";
        return false;
    }
    why = "unknown setting \"" + std::string(words[0]) + "\"";
    return false;
}

bool ParseTextCommand(std::string_view rest, ScriptCommand& command, std::string& why)
{
    return ParseText(rest, command.text, why);
}

// A handler reads the arguments (the line after the command word) into the
// command, or says what is wrong with them.
using Handler = bool (*)(std::string_view, ScriptCommand&, std::string&);

struct CommandWord {
    std::string_view word;
    Kind kind;  // "set" refines it from its first argument
    Handler parse;
};

constexpr CommandWord kCommands[] = {
    {"run", Kind::Run, ParseRun},
    {"wait", Kind::Wait, ParseWait},
    {"idle", Kind::Idle, ParseNoArguments},
    {"tap", Kind::Tap, ParsePoint},
    {"down", Kind::Down, ParsePoint},
    {"move", Kind::Move, ParsePoint},
    {"up", Kind::Up, ParsePoint},
    {"hold", Kind::Hold, ParseHold},
    {"choose", Kind::Choose, ParseTextCommand},
    {"press", Kind::Press, ParseTextCommand},
    {"key", Kind::Key, ParseKey},
    {"expect", Kind::Expect, ParsePattern},
    {"expect-not", Kind::ExpectNot, ParsePattern},
    {"set", Kind::SetBattery, ParseSet},
    {"rotate", Kind::Rotate, ParseOneName},
    {"kill", Kind::Kill, ParseTextCommand},
    {"dump", Kind::Dump, ParseTextCommand},
    {"shot", Kind::Shot, ParseTextCommand},
    {"match", Kind::Match, ParseTextCommand},
    {"end", Kind::End, ParseNoArguments},
    {"delete", Kind::Delete, ParseTextCommand},
};

void ParseLine(std::string_view line, int number, Script& commands, std::vector<std::string>& errors)
{
    while (!line.empty() && IsBlank(line.front()))
        line.remove_prefix(1);
    if (line.empty() || line.front() == '#')
        return;
    size_t wordEnd = 0;
    while (wordEnd < line.size() && !IsBlank(line[wordEnd]))
        ++wordEnd;
    std::string_view word = line.substr(0, wordEnd);
    std::string_view rest = line.substr(wordEnd);
    std::string prefix = "line " + std::to_string(number) + ": ";
    for (const CommandWord& entry : kCommands) {
        if (entry.word != word)
            continue;
        ScriptCommand command;
        command.line = number;
        command.kind = entry.kind;
        std::string why;
        if (entry.parse(rest, command, why))
            commands.push_back(std::move(command));
        else
            errors.push_back(prefix + std::string(word) + ": " + why);
        return;
    }
    errors.push_back(prefix + "unknown command \"" + std::string(word) + "\"");
}

}  // namespace

bool ParseScript(std::string_view text, Script& commands, std::vector<std::string>& errors)
{
    size_t errorsBefore = errors.size();
    // Editors on the desktop may start the file with a UTF-8 byte order mark.
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    int number = 1;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        ParseLine(line, number, commands, errors);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
        ++number;
    }
    return errors.size() == errorsBefore;
}

}  // namespace sim
