// Shortcut files in the Start menu's folders, which any program may write.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "shortcut_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::optional<shell::Shortcut> shortcut = shell::ParseShortcut(bytes);
    // What is read comes from the file: never more characters than it has.
    if (shortcut && (shortcut->target.empty() || shortcut->target.size() + shortcut->arguments.size() > size))
        abort();
    return 0;
}
