// The application cabinet the build made, read by cabextract (a reader
// nobody here wrote) and by our own readers.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "install_plan.h"

namespace cabinet {
namespace {

namespace fs = std::filesystem;

struct Listed {
    std::string name;
    size_t size;
    bool operator==(const Listed&) const = default;
};

// cabextract -l rows: " SIZE | DATE TIME | NAME".
std::vector<Listed> ListWithCabextract(const std::string& path)
{
    std::vector<Listed> listed;
    FILE* pipe = popen(("cabextract -l '" + path + "'").c_str(), "r");
    if (!pipe)
        return listed;
    char line[512];
    while (fgets(line, sizeof line, pipe)) {
        std::string row(line);
        size_t first = row.find(" | "), second = row.rfind(" | ");
        if (first == std::string::npos || first == second || row.find("File size") != std::string::npos)
            continue;
        std::string name = row.substr(second + 3);
        name.erase(name.find_last_not_of("\r\n") + 1);
        listed.push_back({name, std::stoul(row.substr(0, first))});
    }
    pclose(pipe);
    return listed;
}

std::set<std::u16string> ImageFiles()
{
    std::set<std::u16string> files;
    fs::path image = QM_DEVICE_IMAGE;
    auto add = [&](const fs::path& path) {
        std::string relative = fs::relative(path, image).string();
        std::u16string device = u"\\";
        for (char c : relative)
            device += c == '/' ? u'\\' : static_cast<char16_t>(c);
        files.insert(device);
    };
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(image / "Program Files/Quib Monitor"))
        if (entry.is_regular_file())
            add(entry.path());
    add(image / "Windows/QuibMonitorToday.dll");
    return files;
}

TEST(ApplicationCabinet, ListsAlikeAndPlansTheInstalledImage)
{
    std::ifstream in(QM_CABINET, std::ios::binary);
    ASSERT_TRUE(in) << QM_CABINET;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string error;
    std::optional<std::vector<CabinetMember>> members = ReadCabinetMembers(bytes, error);
    ASSERT_TRUE(members) << error;

    std::vector<Listed> ours;
    for (const CabinetMember& member : *members)
        ours.push_back({member.name, member.bytes.size()});
    EXPECT_EQ(ListWithCabextract(QM_CABINET), ours);
    // The setup file first, then the members by falling number.
    ASSERT_FALSE(members->empty());
    EXPECT_EQ(MemberNumber(members->front().name), kSetupFileNumber);
    for (size_t i = 2; i < members->size(); ++i)
        EXPECT_GT(*MemberNumber((*members)[i - 1].name), *MemberNumber((*members)[i].name));

    const std::vector<uint8_t>& setupBytes = members->front().bytes;
    std::optional<SetupFile> setup =
        ParseSetupFile(std::string_view(reinterpret_cast<const char*>(setupBytes.data()), setupBytes.size()), error);
    ASSERT_TRUE(setup) << error;
    EXPECT_EQ(setup->appName, "Quib Monitor");
    EXPECT_EQ(std::vector<uint32_t>({setup->minMajor, setup->minMinor, setup->maxMajor, setup->maxMinor}),
              std::vector<uint32_t>({4, 0, 5, 99}));
    EXPECT_TRUE(setup->hives.empty() && setup->keys.empty());

    std::optional<InstallPlan> plan = PlanInstall(*setup, *members, error);
    ASSERT_TRUE(plan) << error;
    EXPECT_EQ(plan->installDir, u"\\Program Files\\Quib Monitor");
    std::set<std::u16string> planned;
    for (const PlannedFile& file : plan->files)
        planned.insert(file.Path());
    EXPECT_EQ(planned, ImageFiles());
    // The 103 files of the product and the task icons the program loads from its folder.
    EXPECT_EQ(plan->files.size(), 104u);
    ASSERT_EQ(plan->links.size(), 1u);
    EXPECT_EQ(plan->links[0].path, u"\\Windows\\Start Menu\\Programs\\Quib Monitor.lnk");
    EXPECT_EQ(plan->links[0].target, u"\\Program Files\\Quib Monitor\\quibmonitor.exe");
}

}  // namespace
}  // namespace cabinet
