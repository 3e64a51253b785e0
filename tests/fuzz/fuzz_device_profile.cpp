// Profile files given on the simulator's command line.
#include <string>
#include <string_view>

#include "server/device_profile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string error;
    sim::ParseProfile(std::string_view(reinterpret_cast<const char*>(data), size), error);
    return 0;
}
