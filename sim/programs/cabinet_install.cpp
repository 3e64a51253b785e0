#include "cabinet_install.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "cabinet_container.h"
#include "device_services.h"
#include "install_plan.h"
#include "app_removal.h"
#include "device_file.h"
#include "install_record.h"
#include "server/event_log.h"
#include "setup_file.h"

namespace {

using cabinet::InstallPlan;
using cabinet::PlannedFile;

// The setup library's entry points, as the device's installer calls them.
using InstallInitProc = int (*)(HWND parent, BOOL firstCall, BOOL previouslyInstalled, LPCWSTR installDir);
using InstallExitProc = int (*)(HWND parent, LPCWSTR installDir, WORD failedDirs, WORD failedFiles,
                                WORD failedRegKeys, WORD failedRegValues, WORD failedShortcuts);
constexpr int kInstallInitContinue = 0;

// No device cabinet comes near this; a larger file is not read in whole.
constexpr DWORD kMaxCabinetBytes = 256u << 20;

const WCHAR kCaption[] = TEXT("Installation");

void Tell(const std::u16string& text, UINT style = MB_OK | MB_ICONEXCLAMATION)
{
    MessageBoxW(NULL, text.c_str(), kCaption, style);
}

// The device's shortcut: the length of the command, '#', the quoted path.
std::string ShortcutText(const std::u16string& target)
{
    std::string command = "\"" + std::string(target.begin(), target.end()) + "\"";
    return std::to_string(command.size()) + "#" + command;
}

bool FolderExists(const std::u16string& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::u16string Number(uint64_t value)
{
    std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

// The parsed cabinet and what installing it means; the members stay alive
// with the plan that points into them.
struct OpenedCabinet {
    std::vector<cabinet::CabinetMember> members;
    cabinet::SetupFile setup;
    InstallPlan plan;
};

std::optional<OpenedCabinet> OpenCabinet(const std::u16string& path, std::string& error)
{
    std::optional<std::string> bytes = ReadDeviceFile(path, kMaxCabinetBytes);
    if (!bytes) {
        error = "it cannot be read";
        return std::nullopt;
    }
    OpenedCabinet opened;
    std::optional<std::vector<cabinet::CabinetMember>> members = cabinet::ReadCabinetMembers(*bytes, error);
    if (!members)
        return std::nullopt;
    opened.members = std::move(*members);
    const cabinet::CabinetMember* setupMember = nullptr;
    for (const cabinet::CabinetMember& member : opened.members)
        if (cabinet::MemberNumber(member.name) == cabinet::kSetupFileNumber)
            setupMember = &member;
    if (!setupMember) {
        error = "it has no setup file";
        return std::nullopt;
    }
    std::string_view setupBytes(reinterpret_cast<const char*>(setupMember->bytes.data()), setupMember->bytes.size());
    std::optional<cabinet::SetupFile> setup = cabinet::ParseSetupFile(setupBytes, error);
    if (!setup)
        return std::nullopt;
    opened.setup = std::move(*setup);
    std::optional<InstallPlan> plan = cabinet::PlanInstall(opened.setup, opened.members, error);
    if (!plan)
        return std::nullopt;
    opened.plan = std::move(*plan);
    return opened;
}

bool OsVersionFits(const cabinet::SetupFile& setup)
{
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExW(&version))
        return false;
    uint64_t device = uint64_t(version.dwMajorVersion) * 1000 + version.dwMinorVersion;
    uint64_t lowest = uint64_t(setup.minMajor) * 1000 + setup.minMinor;
    uint64_t highest = uint64_t(setup.maxMajor) * 1000 + setup.maxMinor;
    // 0 stands for no limit.
    return device >= lowest && (highest == 0 || device <= highest);
}

// Removes what an earlier installation recorded, and only that.
void RemoveRecorded(const InstallRecord& record)
{
    for (const std::u16string& file : record.files)
        DeleteFileW(file.c_str());
    for (const std::u16string& link : record.links)
        DeleteFileW(link.c_str());
    for (auto folder = record.folders.rbegin(); folder != record.folders.rend(); ++folder)
        RemoveDirectoryW(folder->c_str());
    DropInstallRecord(record.app);
}

// One installation in progress: what it has made so far, so that a failure
// takes all of it away again.
class Installation {
public:
    explicit Installation(const InstallPlan& plan) : plan_(plan)
    {
        record_.app = plan.app;
        record_.dir = plan.installDir;
    }
    ~Installation()
    {
        if (module_)
            FreeLibrary(module_);
    }

    bool MakeFolders()
    {
        for (const std::u16string& folder : plan_.folders) {
            if (FolderExists(folder))
                continue;
            if (!CreateDirectoryW(folder.c_str(), NULL)) {
                ++failedFolders_;
                return false;
            }
            record_.folders.push_back(folder);
        }
        return true;
    }

    bool CopyFile(const PlannedFile& file)
    {
        std::u16string path = file.Path();
        if (!WriteDeviceFile(path, file.member->bytes.data(), file.member->bytes.size())) {
            ++failedFiles_;
            return false;
        }
        record_.files.push_back(path);
        platform::Server().LogEvent("install app=" + sim::QuoteLogText(plan_.app) + " file=" +
                                    sim::QuoteLogText(file.name) + " dir=" + sim::QuoteLogText(file.folder));
        return true;
    }

    // The setup library, loaded from where it was installed; false when it
    // cannot be loaded or asks not to go on.
    bool StartSetupLibrary(bool previouslyInstalled)
    {
        record_.setup = plan_.files.front().Path();
        module_ = LoadLibraryW(record_.setup.c_str());
        auto init = module_ ? (InstallInitProc)GetProcAddressW(module_, TEXT("Install_Init")) : nullptr;
        exit_ = module_ ? (InstallExitProc)GetProcAddressW(module_, TEXT("Install_Exit")) : nullptr;
        if (!init || !exit_)
            return false;
        return init(NULL, TRUE, previouslyInstalled, plan_.installDir.c_str()) == kInstallInitContinue;
    }

    bool MakeLinks()
    {
        for (const cabinet::PlannedLink& link : plan_.links) {
            std::string text = ShortcutText(link.target);
            if (!WriteDeviceFile(link.path, text.data(), text.size())) {
                ++failedLinks_;
                return false;
            }
            record_.links.push_back(link.path);
        }
        return true;
    }

    void FinishSetupLibrary()
    {
        if (exit_)
            exit_(NULL, plan_.installDir.c_str(), failedFolders_, failedFiles_, 0, 0, failedLinks_);
        exit_ = nullptr;
    }

    bool Record() { return SaveInstallRecord(record_); }

    void RollBack()
    {
        FinishSetupLibrary();
        if (module_)
            FreeLibrary(module_);
        module_ = NULL;
        record_.setup.clear();
        RemoveRecorded(record_);
    }

private:
    const InstallPlan& plan_;
    InstallRecord record_;
    HMODULE module_ = NULL;
    InstallExitProc exit_ = nullptr;
    WORD failedFolders_ = 0, failedFiles_ = 0, failedLinks_ = 0;
};

InstallResult Copy(const InstallPlan& plan, bool previouslyInstalled)
{
    Installation installation(plan);
    bool ok = installation.MakeFolders();
    size_t first = 0;
    if (ok && plan.hasSetupLibrary) {
        ok = installation.CopyFile(plan.files.front());
        first = 1;
        if (ok && !installation.StartSetupLibrary(previouslyInstalled)) {
            installation.RollBack();
            return InstallResult::kCancelled;
        }
    }
    for (size_t i = first; ok && i < plan.files.size(); ++i)
        ok = installation.CopyFile(plan.files[i]);
    ok = ok && installation.MakeLinks();
    if (ok)
        installation.FinishSetupLibrary();
    ok = ok && installation.Record();
    if (!ok) {
        installation.RollBack();
        Tell(u"Installation of " + plan.app + u" was unsuccessful. Nothing has been installed.");
        return InstallResult::kFailed;
    }
    return InstallResult::kInstalled;
}

// The checks between a sound cabinet and its copying: the OS version, an
// earlier installation, the free storage.
InstallResult Install(const OpenedCabinet& cabinet)
{
    const InstallPlan& plan = cabinet.plan;
    const cabinet::SetupFile& setup = cabinet.setup;
    if (!OsVersionFits(setup)) {
        Tell(plan.app + u" cannot be installed on this device: it needs Windows CE " + Number(setup.minMajor) +
             u"." + Number(setup.minMinor) + u" to " + Number(setup.maxMajor) + u"." + Number(setup.maxMinor) + u".");
        return InstallResult::kRefused;
    }
    std::optional<InstallRecord> previous = LoadInstallRecord(plan.app);
    if (previous) {
        int answer = MessageBoxW(NULL, (plan.app + u" is already installed. Remove the previous version first?").c_str(),
                                 kCaption, MB_YESNO | MB_ICONQUESTION);
        if (answer != IDYES)
            return InstallResult::kCancelled;
        // The previous version goes as Remove Programs takes it: its setup
        // library first, and what is in use stays on record.
        RemovalResult removal = RemoveApplication(plan.app);
        if (removal.cancelled)
            return InstallResult::kCancelled;
        if (removal.remaining > 0) {
            Tell(u"The previous version of " + plan.app + u" could not be removed completely. Close the programs "
                 u"that use its files and install " + plan.app + u" again.");
            return InstallResult::kFailed;
        }
    }
    ULARGE_INTEGER free = {};
    if (!GetDiskFreeSpaceExW(plan.installDir.c_str(), &free, NULL, NULL) || free.QuadPart < plan.bytes) {
        Tell(u"There is not enough storage memory to install " + plan.app + u": it needs " +
             Number((plan.bytes + 1023) / 1024) + u" KB, " + Number(free.QuadPart / 1024) + u" KB are free.");
        return InstallResult::kRefused;
    }
    return Copy(plan, previous.has_value());
}

}  // namespace

InstallResult InstallCabinet(const std::u16string& cabinetPath)
{
    std::string error;
    std::optional<OpenedCabinet> cabinet = OpenCabinet(cabinetPath, error);
    if (!cabinet) {
        platform::Server().LogEvent("install-refused cabinet=" + sim::QuoteLogText(cabinetPath) +
                                    " reason=" + sim::QuoteLogText(error));
        Tell(cabinetPath + u" is not a valid Windows CE Setup file.");
        return InstallResult::kRefused;
    }
    InstallResult result = Install(*cabinet);
    // The device deletes a cabinet once it is installed.
    if (result == InstallResult::kInstalled)
        DeleteFileW(cabinetPath.c_str());
    platform::Server().LogEvent("install-done app=" + sim::QuoteLogText(cabinet->plan.app) +
                                " result=" + std::to_string(static_cast<int>(result)));
    return result;
}
