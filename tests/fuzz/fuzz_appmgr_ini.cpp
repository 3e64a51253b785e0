// The application manager's INI file, which the desktop's installer writes
// and anyone may damage: the values read are pieces of the text.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "appmgr_ini.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    std::optional<std::string> component = IniValue(text, "CEAppManager", "Component");
    if (!component)
        return 0;
    if (component->size() > size)
        abort();
    std::optional<std::string> cabs = IniValue(text, *component, "CabFiles");
    if (!cabs)
        return 0;
    size_t total = 0;
    for (const std::string& name : CabinetNames(*cabs)) {
        if (name.empty() || name.find(',') != std::string::npos)
            abort();
        total += name.size();
    }
    if (total > cabs->size())
        abort();
    return 0;
}
