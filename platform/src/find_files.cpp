// Listing a device folder: FindFirstFileW, FindNextFileW, FindClose.
#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ce/errors.h"
#include "ce/files.h"
#include "device_path.h"
#include "handles.h"

namespace fs = std::filesystem;

namespace platform {
namespace {

// A listing taken whole when the search starts, handed out one entry a call.
class FileSearch : public KernelObject {
public:
    static constexpr HandleKind kKind = HandleKind::Find;

    explicit FileSearch(std::vector<WIN32_FIND_DATAW> entries) : entries_(std::move(entries)) {}
    HandleKind Kind() const override { return kKind; }

    bool Next(WIN32_FIND_DATAW& entry)
    {
        if (next_ == entries_.size())
            return false;
        entry = entries_[next_++];
        return true;
    }

private:
    std::vector<WIN32_FIND_DATAW> entries_;
    size_t next_ = 0;
};

// '*' stands for any run of characters, '?' for one; both sides are folded.
bool MatchesWildcards(std::u16string_view pattern, std::u16string_view name)
{
    size_t p = 0;
    size_t n = 0;
    size_t starAt = std::u16string_view::npos;
    size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starAt = p++;
            starName = n;
        } else if (starAt != std::u16string_view::npos) {
            p = starAt + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

// As on Windows, a pattern ending in ".*" also takes names without an
// extension, so "*.*" matches every name.
bool MatchesPattern(const std::u16string& foldedPattern, const std::u16string& name)
{
    std::u16string folded = FoldDeviceName(name);
    if (MatchesWildcards(foldedPattern, folded))
        return true;
    std::u16string_view pattern = foldedPattern;
    return pattern.ends_with(u".*") && folded.find(u'.') == std::u16string::npos &&
           MatchesWildcards(pattern.substr(0, pattern.size() - 2), folded);
}

// The matching entries of a folder in name order without regard to case
// (ties by exact name), so that every run lists them alike. "." and ".."
// never appear, as on CE's file systems.
std::vector<WIN32_FIND_DATAW> ListMatches(const std::string& hostFolder, const std::u16string& pattern)
{
    std::u16string foldedPattern = FoldDeviceName(pattern);
    std::vector<std::pair<std::u16string, WIN32_FIND_DATAW>> found;
    std::error_code ec;
    for (fs::directory_iterator it(hostFolder, ec), end; !ec && it != end; it.increment(ec)) {
        std::optional<std::u16string> name = DeviceNameOf(it->path().filename().string());
        if (!name || name->size() >= MAX_PATH || !MatchesPattern(foldedPattern, *name))
            continue;
        WIN32_FIND_DATAW entry {};
        // An entry that vanished or is a broken link is not listed.
        if (!DeviceFileInfo(it->path().string(), entry))
            continue;
        std::copy(name->begin(), name->end(), entry.cFileName);
        found.emplace_back(FoldDeviceName(*name), entry);
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first
                                  : std::u16string_view(a.second.cFileName) < std::u16string_view(b.second.cFileName);
    });
    std::vector<WIN32_FIND_DATAW> entries;
    for (auto& [key, entry] : found)
        entries.push_back(entry);
    return entries;
}

bool IsFolder(const std::string& hostPath)
{
    std::error_code ec;
    return fs::is_directory(hostPath, ec);
}

}  // namespace
}  // namespace platform

using namespace platform;

HANDLE FindFirstFileW(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData)
{
    if (!lpFileName || !lpFindFileData) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    std::string hostFolder;
    std::u16string pattern;
    if (!MapDevicePattern(lpFileName, hostFolder, pattern)) {
        SetLastError(ERROR_INVALID_NAME);
        return INVALID_HANDLE_VALUE;
    }
    if (!IsFolder(hostFolder)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    auto search = std::make_shared<FileSearch>(ListMatches(hostFolder, pattern));
    if (!search->Next(*lpFindFileData)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    return AddHandle(std::move(search));
}

BOOL FindNextFileW(HANDLE hFindFile, LPWIN32_FIND_DATAW lpFindFileData)
{
    std::shared_ptr<FileSearch> search = LookupHandle<FileSearch>(hFindFile);
    if (!search) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!lpFindFileData) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!search->Next(*lpFindFileData)) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    return TRUE;
}

BOOL FindClose(HANDLE hFindFile)
{
    if (!RemoveHandle(hFindFile, HandleKind::Find)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
