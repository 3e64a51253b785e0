// Cabinet containers, which come from anywhere: read with the reference
// reader from memory, every member whole or nothing.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "cabinet_container.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string error;
    std::optional<std::vector<cabinet::CabinetMember>> members =
        cabinet::ReadCabinetMembers(std::string_view(reinterpret_cast<const char*>(data), size), error);
    if (!members && error.empty())
        abort();
    return 0;
}
