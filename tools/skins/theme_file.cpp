#include "theme_file.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace skins {

namespace {

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> fields;
    std::stringstream in(text);
    std::string field;
    while (std::getline(in, field, separator))
        fields.push_back(field);
    return fields;
}

int Field(const std::vector<std::string>& fields, size_t i)
{
    return i < fields.size() ? std::atoi(fields[i].c_str()) : 0;
}

const std::string& Value(const ThemeFile& theme, const std::string& key)
{
    auto found = theme.values.find(key);
    if (found == theme.values.end())
        throw std::runtime_error("theme file has no " + key);
    return found->second;
}

} // namespace

const char* FormSuffix(ScreenForm form)
{
    switch (form) {
    case kLandscape:
        return "_landscape";
    case kSquare:
        return "_square";
    default:
        return "";
    }
}

Color ParseThemeColour(const std::string& text)
{
    std::vector<std::string> fields = Split(text, ':');
    auto component = [&](size_t i) { return i < fields.size() ? (std::atoi(fields[i].c_str()) & 0xFF) : 255; };
    return Color{component(1) / 255.0, component(2) / 255.0, component(3) / 255.0, 1};
}

ThemeFile ReadThemeFile(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    ThemeFile theme;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == ';')
            continue;
        size_t eq = line.find('=');
        if (eq == std::string::npos)
            throw std::runtime_error(path + ": line without '=': " + line);
        theme.values.emplace(line.substr(0, eq), line.substr(eq + 1));
    }
    theme.textColor = ParseThemeColour(Value(theme, "textcolor"));
    for (int f = 0; f < kScreenForms; ++f) {
        auto form = static_cast<ScreenForm>(f);
        std::vector<std::string> place = Split(Value(theme, std::string("popupbackground") + FormSuffix(form)), ',');
        theme.popup[f] = PopupPlace{place.empty() ? "" : place[0], Field(place, 1), Field(place, 2)};
        std::vector<std::string> list = Split(Value(theme, std::string("popup_tasklist") + FormSuffix(form)), ',');
        if (list.size() < 9)
            throw std::runtime_error(path + ": popup_tasklist needs nine fields");
        theme.list[f] = PopupList{Field(list, 0), Field(list, 1), Field(list, 2), Field(list, 3), Field(list, 4),
                                  Field(list, 5), list[6] == "bold", ParseThemeColour(list[7]),
                                  ParseThemeColour(list[8])};
    }
    return theme;
}

} // namespace skins
