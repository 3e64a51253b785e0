// Setup files (.000) of device cabinets, which come from anywhere, and the
// installation planned from them.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "install_plan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    std::optional<cabinet::SetupFile> setup = cabinet::ParseSetupFile(bytes, error);
    if (!setup)
        return 0;
    // What was read writes back to a setup file that reads the same.
    std::vector<uint8_t> written = cabinet::FormatSetupFile(*setup);
    std::optional<cabinet::SetupFile> again = cabinet::ParseSetupFile(
        std::string_view(reinterpret_cast<const char*>(written.data()), written.size()), error);
    if (!again || again->files.size() != setup->files.size() || again->appName != setup->appName)
        abort();
    // Every file entry gets an empty member, so that the planning runs on.
    std::vector<cabinet::CabinetMember> members;
    for (const cabinet::SetupFileEntry& file : setup->files)
        members.push_back({"FUZZ." + std::to_string(1000 + file.id).substr(1), {}});
    std::optional<cabinet::InstallPlan> plan = cabinet::PlanInstall(*setup, members, error);
    if (plan)
        for (const cabinet::PlannedFile& file : plan->files)
            if (file.Path().find(u"\\..") != std::u16string::npos || file.Path().front() != u'\\')
                abort();
    return 0;
}
