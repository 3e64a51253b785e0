// Hive text from the device folder: reading never fails, and whatever was
// read writes back to text that reads the same.
#include <cstdlib>
#include <string_view>

#include "server/registry_hive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    int badLines = 0;
    std::string written = sim::WriteHive(sim::ReadHive(text, badLines));
    int badAgain = 0;
    std::string rewritten = sim::WriteHive(sim::ReadHive(written, badAgain));
    if (badAgain != 0 || rewritten != written)
        abort();
    return 0;
}
