// Shortcut files (.lnk) as the device keeps them: one line of text,
//   NN#"\path\program.exe" [arguments]
// where NN is the decimal count of the characters after the '#'. The path
// may go without quotes when it holds no blank; the arguments are optional.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace shell {

struct Shortcut {
    std::u16string target;     // the program's device path
    std::u16string arguments;  // empty when there are none
};

// Larger files are not shortcuts; a reader need not take in more than this.
constexpr size_t kMaxShortcutFileSize = 1024;

// The file's bytes (single-byte text, each byte one character) read as a
// shortcut; nothing when they are not one: no or a wrong count, no '#', no
// path, an open quote, control characters or more than kMaxShortcutFileSize
// bytes. One line end after the command is allowed and not counted.
std::optional<Shortcut> ParseShortcut(std::string_view bytes);

}  // namespace shell
