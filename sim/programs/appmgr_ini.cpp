#include "appmgr_ini.h"

#include <cctype>

namespace {

std::string Trimmed(std::string_view text)
{
    size_t start = text.find_first_not_of(" \t\r");
    size_t end = text.find_last_not_of(" \t\r");
    return start == std::string_view::npos ? std::string() : std::string(text.substr(start, end + 1 - start));
}

bool SameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower((unsigned char)a[i]) != std::tolower((unsigned char)b[i]))
            return false;
    }
    return true;
}

}  // namespace

std::optional<std::string> IniValue(const std::string& text, std::string_view section, std::string_view key)
{
    std::string current;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        std::string line = Trimmed(std::string_view(text).substr(at, end == std::string::npos ? end : end - at));
        at = end == std::string::npos ? text.size() : end + 1;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            current = Trimmed(std::string_view(line).substr(1, line.size() - 2));
            continue;
        }
        size_t equals = line.find('=');
        if (equals != std::string::npos && SameText(current, section) &&
            SameText(Trimmed(std::string_view(line).substr(0, equals)), key))
            return Trimmed(std::string_view(line).substr(equals + 1));
    }
    return std::nullopt;
}

std::vector<std::string> CabinetNames(const std::string& list)
{
    std::vector<std::string> names;
    size_t at = 0;
    while (at <= list.size()) {
        size_t comma = list.find(',', at);
        std::string name = Trimmed(std::string_view(list).substr(at, comma == std::string::npos ? comma : comma - at));
        if (!name.empty())
            names.push_back(name);
        if (comma == std::string::npos)
            break;
        at = comma + 1;
    }
    return names;
}
