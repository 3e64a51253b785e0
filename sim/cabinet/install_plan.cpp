#include "install_plan.h"

#include <map>
#include <set>

namespace cabinet {
namespace {

// The Pocket PC's folder macros; the others of the format do not exist on
// this kind of device.
struct FolderMacro {
    unsigned number;
    std::u16string_view folder;
};
constexpr FolderMacro kFolderMacros[] = {
    {1, u"\\Program Files"},
    {2, u"\\Windows"},
    {4, u"\\Windows\\StartUp"},
    {5, u"\\My Documents"},
    {8, u"\\Program Files\\Games"},
    {11, u"\\Windows\\Start Menu\\Programs"},
    {14, u"\\Windows\\Start Menu\\Programs\\Games"},
    {15, u"\\Windows\\Fonts"},
    {17, u"\\Windows\\Start Menu"},
};

// Longer device paths do not fit the platform's MAX_PATH buffers.
constexpr size_t kMaxDevicePath = 259;

std::u16string Widen(std::string_view text)
{
    return std::u16string(text.begin(), text.end());
}

// A name of one folder or file: printable ASCII, none of the characters
// that separate or climb, not "." or "..".
bool IsPlainName(std::string_view name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    for (char c : name) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7f || std::string_view("\\/:*?\"<>|%").find(c) != std::string_view::npos)
            return false;
    }
    return true;
}

// "%CEn%" or "%InstallDir%" resolved, or nothing when the text is no macro
// the device knows.
std::optional<std::u16string> ResolveMacro(std::string_view text, const std::u16string& installDir)
{
    if (text == "%InstallDir%")
        return installDir;
    if (text.size() < 5 || !text.starts_with("%CE") || !text.ends_with('%'))
        return std::nullopt;
    unsigned number = 0;
    for (char c : text.substr(3, text.size() - 4)) {
        if (c < '0' || c > '9' || number > 100)
            return std::nullopt;
        number = number * 10 + static_cast<unsigned>(c - '0');
    }
    std::u16string_view folder = FolderOfMacro(number);
    if (folder.empty())
        return std::nullopt;
    return std::u16string(folder);
}

// A path from string ids: a leading macro, then plain names, each string
// possibly holding several names separated by '\'.
std::optional<std::u16string> JoinParts(const SetupFile& setup, const std::vector<uint16_t>& parts,
                                        std::u16string base, const std::u16string& installDir)
{
    std::u16string path = std::move(base);
    for (size_t i = 0; i < parts.size(); ++i) {
        std::string_view text = *setup.String(parts[i]);
        if (i == 0 && path.empty() && text.starts_with('%')) {
            std::optional<std::u16string> folder = ResolveMacro(text, installDir);
            if (!folder)
                return std::nullopt;
            path = *folder;
            continue;
        }
        for (size_t start = 0; start <= text.size();) {
            size_t end = std::min(text.find('\\', start), text.size());
            std::string_view name = text.substr(start, end - start);
            if (!IsPlainName(name))
                return std::nullopt;
            path += u"\\" + Widen(name);
            start = end + 1;
        }
    }
    if (path.empty() || path.size() > kMaxDevicePath)
        return std::nullopt;
    return path;
}

// Every folder on the way to `folder`, parents first, once each.
void AddFolders(const std::u16string& folder, std::vector<std::u16string>& folders, std::set<std::u16string>& seen)
{
    for (size_t end = folder.find(u'\\', 1);; end = folder.find(u'\\', end + 1)) {
        std::u16string prefix = folder.substr(0, end);
        if (seen.insert(prefix).second)
            folders.push_back(prefix);
        if (end == std::u16string::npos)
            break;
    }
}

std::u16string Lower(std::u16string text)
{
    for (char16_t& c : text)
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
    return text;
}

bool IndexMembers(const std::vector<CabinetMember>& members, std::map<uint16_t, const CabinetMember*>& byNumber,
                  std::string& error)
{
    for (const CabinetMember& member : members) {
        std::optional<uint16_t> number = MemberNumber(member.name);
        if (!number) {
            error = "member " + member.name + " has no numeric extension";
            return false;
        }
        if (!byNumber.emplace(*number, &member).second) {
            error = "two members have the extension " + std::to_string(*number);
            return false;
        }
    }
    return true;
}

bool PlanFiles(const SetupFile& setup, const std::map<uint16_t, const CabinetMember*>& byNumber, InstallPlan& plan,
               std::map<uint16_t, std::u16string>& installedAt, std::string& error)
{
    std::set<std::u16string> paths, seenFolders;
    for (const SetupFileEntry& entry : setup.files) {
        auto member = byNumber.find(entry.id);
        if (entry.id == kSetupFileNumber || member == byNumber.end()) {
            error = "file " + entry.name + " has no member in the cabinet";
            return false;
        }
        std::optional<std::u16string> folder =
            JoinParts(setup, setup.Directory(entry.directory)->parts, u"", plan.installDir);
        if (!folder || !IsPlainName(entry.name)) {
            error = "file " + entry.name + " would be placed outside the device's folders";
            return false;
        }
        PlannedFile file{*folder, Widen(entry.name), member->second};
        if (file.Path().size() > kMaxDevicePath || !paths.insert(Lower(file.Path())).second) {
            error = "file " + entry.name + " cannot be placed where it is meant to go";
            return false;
        }
        installedAt[entry.id] = file.Path();
        plan.bytes += file.member->bytes.size();
        AddFolders(file.folder, plan.folders, seenFolders);
        if (entry.id == kSetupLibraryNumber) {
            plan.hasSetupLibrary = true;
            plan.files.insert(plan.files.begin(), std::move(file));
        } else {
            plan.files.push_back(std::move(file));
        }
    }
    if (byNumber.count(kSetupLibraryNumber) && !plan.hasSetupLibrary) {
        error = "the setup library has no place to be installed";
        return false;
    }
    return true;
}

bool PlanLinks(const SetupFile& setup, const std::map<uint16_t, std::u16string>& installedAt, InstallPlan& plan,
               std::string& error)
{
    std::set<std::u16string> seenFolders(plan.folders.begin(), plan.folders.end());
    for (const SetupLink& link : setup.links) {
        std::u16string base = link.baseFolder == 0 ? plan.installDir : std::u16string(FolderOfMacro(link.baseFolder));
        std::optional<std::u16string> path;
        if (!base.empty())
            path = JoinParts(setup, link.parts, base, plan.installDir);
        std::optional<std::u16string> target;
        if (link.type == kLinkToFile)
            target = installedAt.at(link.target);
        else if (link.target == 0)
            target = plan.installDir;
        else
            target = JoinParts(setup, setup.Directory(link.target)->parts, u"", plan.installDir);
        if (!path || !target || path->size() + 4 > kMaxDevicePath) {
            error = "link " + std::to_string(link.id) + " would be placed outside the device's folders";
            return false;
        }
        AddFolders(path->substr(0, path->rfind(u'\\')), plan.folders, seenFolders);
        plan.links.push_back({*path + u".lnk", *target});
    }
    return true;
}

}  // namespace

std::u16string_view FolderOfMacro(unsigned number)
{
    for (const FolderMacro& macro : kFolderMacros)
        if (macro.number == number)
            return macro.folder;
    return {};
}

std::optional<InstallPlan> PlanInstall(const SetupFile& setup, const std::vector<CabinetMember>& members,
                                       std::string& error)
{
    if (!IsPlainName(setup.appName)) {
        error = "the application's name cannot name a folder";
        return std::nullopt;
    }
    if (!setup.hives.empty() || !setup.keys.empty()) {
        // FIXME: registry entries of a cabinet are not made by this installer.
        error = "the cabinet asks for registry entries";
        return std::nullopt;
    }
    InstallPlan plan;
    plan.app = Widen(setup.appName);
    plan.installDir = std::u16string(FolderOfMacro(1)) + u"\\" + plan.app;
    std::map<uint16_t, const CabinetMember*> byNumber;
    std::map<uint16_t, std::u16string> installedAt;
    if (!IndexMembers(members, byNumber, error) || !PlanFiles(setup, byNumber, plan, installedAt, error) ||
        !PlanLinks(setup, installedAt, plan, error))
        return std::nullopt;
    return plan;
}

}  // namespace cabinet
