// The application manager's INI file: [CEAppManager] Component = NAME, and
// [NAME] with CabFiles = CAB[,CAB...] and Description.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The value of KEY in [SECTION] (names without regard to case), without the
// blanks around it; none when there is no such line.
std::optional<std::string> IniValue(const std::string& text, std::string_view section, std::string_view key);

// The names of a CabFiles list, blanks around each dropped, empty ones left
// out.
std::vector<std::string> CabinetNames(const std::string& list);
