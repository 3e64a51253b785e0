#include "shortcut_file.h"

namespace shell {
namespace {

// No real command needs more digits than a file may hold bytes.
constexpr size_t kMaxCountDigits = 4;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The count before the '#', or nothing when it is missing or not decimal.
std::optional<size_t> TakeCount(std::string_view& text)
{
    size_t hash = text.find('#');
    if (hash == 0 || hash == std::string_view::npos || hash > kMaxCountDigits)
        return std::nullopt;
    size_t count = 0;
    for (char c : text.substr(0, hash)) {
        if (c < '0' || c > '9')
            return std::nullopt;
        count = count * 10 + static_cast<size_t>(c - '0');
    }
    text.remove_prefix(hash + 1);
    return count;
}

std::string_view WithoutLineEnd(std::string_view text)
{
    if (text.ends_with("\r\n"))
        text.remove_suffix(2);
    else if (text.ends_with('\n'))
        text.remove_suffix(1);
    return text;
}

std::u16string Widen(std::string_view text)
{
    std::u16string wide;
    wide.reserve(text.size());
    for (char c : text)
        wide.push_back(static_cast<unsigned char>(c));
    return wide;
}

bool HasControlCharacters(std::string_view text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
            return true;
    return false;
}

// The path, quoted or up to the first blank, and the arguments after it.
std::optional<Shortcut> SplitCommand(std::string_view command)
{
    std::string_view path;
    std::string_view rest;
    if (!command.empty() && command.front() == '"') {
        size_t close = command.find('"', 1);
        if (close == std::string_view::npos)
            return std::nullopt;
        path = command.substr(1, close - 1);
        rest = command.substr(close + 1);
        if (!rest.empty() && !IsBlank(rest.front()))
            return std::nullopt;
    } else {
        size_t end = 0;
        while (end < command.size() && !IsBlank(command[end]))
            ++end;
        path = command.substr(0, end);
        rest = command.substr(end);
    }
    while (!rest.empty() && IsBlank(rest.front()))
        rest.remove_prefix(1);
    while (!rest.empty() && IsBlank(rest.back()))
        rest.remove_suffix(1);
    if (path.empty())
        return std::nullopt;
    return Shortcut{Widen(path), Widen(rest)};
}

}  // namespace

std::optional<Shortcut> ParseShortcut(std::string_view bytes)
{
    if (bytes.size() > kMaxShortcutFileSize)
        return std::nullopt;
    std::optional<size_t> count = TakeCount(bytes);
    if (!count)
        return std::nullopt;
    std::string_view command = bytes;
    if (command.size() != *count) {
        command = WithoutLineEnd(bytes);
        if (command.size() != *count)
            return std::nullopt;
    }
    if (HasControlCharacters(command))
        return std::nullopt;
    return SplitCommand(command);
}

}  // namespace shell
