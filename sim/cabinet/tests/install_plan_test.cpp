#include <gtest/gtest.h>

#include <functional>

#include "install_plan.h"

namespace cabinet {
namespace {

SetupFile Sample()
{
    SetupFile setup;
    setup.appName = "Sample App";
    setup.strings = {{1, "%CE1%"}, {2, "Sample App"}, {3, "pictures"}, {4, "%CE2%"}, {5, "Sample"}};
    setup.directories = {{1, {1, 2}}, {2, {1, 2, 3}}, {3, {4}}};
    setup.files = {{1, 1, 0, "sample.exe"}, {2, 2, 0, "a.tga"}, {3, 3, 0, "Sample.dll"}, {999, 1, 0, "setup.dll"}};
    setup.links = {{1, 11, 1, kLinkToFile, {5}}};
    return setup;
}

std::vector<CabinetMember> Members()
{
    return {{"SAMPLE~1.000", {}}, {"SETUP.999", {9, 9}}, {"SAMPLE~1.003", {3, 3, 3}}, {"00000ATGA.002", {2}},
            {"SAMPLE~1.001", {1, 1, 1, 1}}};
}

TEST(InstallPlan, PlacesFilesFoldersAndShortcuts)
{
    std::vector<CabinetMember> members = Members();
    std::string error;
    std::optional<InstallPlan> plan = PlanInstall(Sample(), members, error);
    ASSERT_TRUE(plan) << error;
    EXPECT_EQ(plan->app, u"Sample App");
    EXPECT_EQ(plan->installDir, u"\\Program Files\\Sample App");
    EXPECT_TRUE(plan->hasSetupLibrary);
    std::vector<std::u16string> paths;
    for (const PlannedFile& file : plan->files)
        paths.push_back(file.Path());
    EXPECT_EQ(paths, (std::vector<std::u16string>{u"\\Program Files\\Sample App\\setup.dll",
                                                  u"\\Program Files\\Sample App\\sample.exe",
                                                  u"\\Program Files\\Sample App\\pictures\\a.tga",
                                                  u"\\Windows\\Sample.dll"}));
    EXPECT_EQ(plan->files[1].member, &members[4]);
    EXPECT_EQ(plan->folders, (std::vector<std::u16string>{u"\\Program Files", u"\\Program Files\\Sample App",
                                                          u"\\Program Files\\Sample App\\pictures", u"\\Windows",
                                                          u"\\Windows\\Start Menu", u"\\Windows\\Start Menu\\Programs"}));
    ASSERT_EQ(plan->links.size(), 1u);
    EXPECT_EQ(plan->links[0].path, u"\\Windows\\Start Menu\\Programs\\Sample.lnk");
    EXPECT_EQ(plan->links[0].target, u"\\Program Files\\Sample App\\sample.exe");
    EXPECT_EQ(plan->bytes, 10u);
}

TEST(InstallPlan, RefusesWhatWouldNotStayInsideTheDevice)
{
    struct Case {
        const char* what;
        std::function<void(SetupFile&, std::vector<CabinetMember>&)> edit;
    };
    const Case cases[] = {
        {"a file without its member", [](SetupFile&, std::vector<CabinetMember>& m) { m.pop_back(); }},
        {"two members with one number", [](SetupFile&, std::vector<CabinetMember>& m) { m[3].name = "OTHER.001"; }},
        {"a member without a number", [](SetupFile&, std::vector<CabinetMember>& m) { m[3].name = "README.TXT"; }},
        {"a file of the setup file's number", [](SetupFile& s, std::vector<CabinetMember>&) { s.files[1].id = 0; }},
        {"a folder that climbs out", [](SetupFile& s, std::vector<CabinetMember>&) { s.strings[2].text = ".."; }},
        {"a folder string that climbs out", [](SetupFile& s, std::vector<CabinetMember>&) { s.strings[2].text = "x\\..\\.."; }},
        {"a host path", [](SetupFile& s, std::vector<CabinetMember>&) { s.strings[2].text = "/etc"; }},
        {"a drive path", [](SetupFile& s, std::vector<CabinetMember>&) { s.strings[0].text = "C:"; }},
        {"a macro the device lacks", [](SetupFile& s, std::vector<CabinetMember>&) { s.strings[3].text = "%CE3%"; }},
        {"a macro inside a path", [](SetupFile& s, std::vector<CabinetMember>&) { s.strings[2].text = "%CE2%"; }},
        {"a file name that climbs out", [](SetupFile& s, std::vector<CabinetMember>&) { s.files[0].name = ".."; }},
        {"a file name with a folder", [](SetupFile& s, std::vector<CabinetMember>&) { s.files[0].name = "a/b"; }},
        {"two files on one path", [](SetupFile& s, std::vector<CabinetMember>&) { s.files[2] = {3, 1, 0, "SAMPLE.EXE"}; }},
        {"a link to an unknown folder", [](SetupFile& s, std::vector<CabinetMember>&) { s.links[0].baseFolder = 3; }},
        {"a setup library with no place", [](SetupFile& s, std::vector<CabinetMember>&) { s.files.pop_back(); }},
        {"registry entries", [](SetupFile& s, std::vector<CabinetMember>&) { s.keys.push_back({1, {}}); }},
        {"an application name with a folder", [](SetupFile& s, std::vector<CabinetMember>&) { s.appName = "a\\b"; }},
    };
    for (const Case& c : cases) {
        SetupFile setup = Sample();
        std::vector<CabinetMember> members = Members();
        c.edit(setup, members);
        std::string error;
        EXPECT_FALSE(PlanInstall(setup, members, error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
    }
}

}  // namespace
}  // namespace cabinet
