// The shell's lines in the device's event log, written the way the
// platform writes its own: "event field=value ...", text values quoted.
#pragma once

#include <string>
#include <string_view>

namespace shell {

void LogShellEvent(const std::string& line);
// A text field's value, double-quoted with '"' and '\' escaped.
std::string LogText(std::u16string_view text);

}  // namespace shell
