#include "device_path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <vector>

#include "ce/crt.h"
#include "device_services.h"
#include "server/wire_records.h"
#include "server_connection.h"
#include "text_convert.h"

namespace fs = std::filesystem;

namespace platform {
namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Lone surrogates have no UTF-8 form, so no host name can hold them.
bool IsValidUtf16(std::u16string_view text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsLowSurrogate(text[i]))
            return false;
        if (IsHighSurrogate(text[i])) {
            if (i + 1 == text.size() || !IsLowSurrogate(text[i + 1]))
                return false;
            ++i;
        }
    }
    return true;
}

// The characters CE refuses in file names; wildcards only in patterns.
bool IsValidName(std::u16string_view name, bool wildcards)
{
    for (char16_t c : name) {
        if (c < 0x20 || c == u'<' || c == u'>' || c == u':' || c == u'"' || c == u'|')
            return false;
        if ((c == u'*' || c == u'?') && !wildcards)
            return false;
    }
    return IsValidUtf16(name);
}

// Splits a CE path into components, dropping empty and "." ones and
// resolving ".."; fails when ".." would climb above the root.
bool SplitDevicePath(std::u16string_view path, std::vector<std::u16string>& parts)
{
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = start;
        while (end < path.size() && !IsSeparator(path[end]))
            ++end;
        std::u16string_view part = path.substr(start, end - start);
        if (!IsValidName(part, false))
            return false;
        if (part == u"..") {
            if (parts.empty())
                return false;
            parts.pop_back();
        } else if (!part.empty() && part != u".") {
            parts.emplace_back(part);
        }
        start = end + 1;
    }
    return true;
}

bool EntryExists(const fs::path& path)
{
    std::error_code ec;
    return fs::symlink_status(path, ec).type() != fs::file_type::not_found && !ec;
}

// The host entry of `folder` that a device name denotes: the same spelling
// when present, else the first case-insensitive match in byte order so that
// the choice does not depend on the directory's order.
std::optional<std::string> FindHostEntry(const fs::path& folder, const std::u16string& name)
{
    std::string exact = Utf8FromUtf16(name);
    if (EntryExists(folder / exact))
        return exact;
    std::u16string key = FoldDeviceName(name);
    std::optional<std::string> best;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string host = it->path().filename().string();
        std::optional<std::u16string> device = DeviceNameOf(host);
        if (device && FoldDeviceName(*device) == key && (!best || host < *best))
            best = host;
    }
    return best;
}

fs::path RootFolder(const std::string& rootPath)
{
    fs::path root = rootPath;
    return root.has_filename() ? root : root.parent_path();
}

// Canonical where the file system allows, so that links to the root and
// trailing separators do not hide that a path lies inside it.
fs::path Normalized(const fs::path& path)
{
    std::error_code ec;
    fs::path result = fs::weakly_canonical(path, ec);
    if (ec)
        result = fs::absolute(path, ec).lexically_normal();
    return result.has_filename() ? result : result.parent_path();
}

// FILETIME counts 100 ns steps since 1601; the host counts from 1970.
FILETIME FileTimeOf(const struct timespec& time)
{
    constexpr uint64_t kEpochDifference = 11644473600ULL;
    uint64_t ticks = (static_cast<uint64_t>(time.tv_sec) + kEpochDifference) * 10000000ULL +
                     static_cast<uint64_t>(time.tv_nsec) / 100;
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

// "X:" at the start: a drive letter, which only a desktop has.
bool HasDrive(std::u16string_view path)
{
    return path.size() >= 2 && path[1] == u':' &&
           ((path[0] >= u'A' && path[0] <= u'Z') || (path[0] >= u'a' && path[0] <= u'z'));
}

bool OnDesktop()
{
    std::string reply = Call(sim::Op::Screen, sim::WireWriter());
    sim::WireReader in(reply);
    return sim::ReadScreen(in).desktop;
}

}  // namespace

bool MapDevicePath(const WCHAR* cePath, std::string& hostPath)
{
    // Only a path that names a drive needs to know what machine this is.
    bool driveC = cePath && HasDrive(cePath) && OnDesktop();
    return MapDevicePathIn(Server().RootPath(), cePath, hostPath, driveC);
}

bool MapDevicePathIn(const std::string& rootPath, const WCHAR* cePath, std::string& hostPath, bool driveC)
{
    std::vector<std::u16string> parts;
    if (!cePath)
        return false;
    std::u16string_view text = cePath;
    if (driveC && HasDrive(text)) {
        if (text[0] != u'C' && text[0] != u'c')
            return false;
        text.remove_prefix(2);
    }
    if (!SplitDevicePath(text, parts))
        return false;
    fs::path path = RootFolder(rootPath);
    bool matching = true;
    for (const std::u16string& part : parts) {
        std::optional<std::string> host = matching ? FindHostEntry(path, part) : std::nullopt;
        // Below a missing component nothing exists to match against.
        matching = host.has_value();
        path /= host ? *host : Utf8FromUtf16(part);
    }
    hostPath = path.string();
    return true;
}

bool MapDevicePattern(const WCHAR* cePattern, std::string& hostFolder, std::u16string& pattern)
{
    if (!cePattern)
        return false;
    std::u16string_view text = cePattern;
    size_t cut = text.size();
    while (cut > 0 && !IsSeparator(text[cut - 1]))
        --cut;
    std::u16string_view last = text.substr(cut);
    if (!IsValidName(last, true))
        return false;
    std::u16string folder(text.substr(0, cut));
    if (!MapDevicePath(folder.c_str(), hostFolder))
        return false;
    pattern = last;
    return true;
}

std::u16string DevicePathOf(const std::string& hostPath)
{
    fs::path root = Normalized(RootFolder(Server().RootPath()));
    fs::path path = Normalized(hostPath);
    auto [rootEnd, rest] = std::mismatch(root.begin(), root.end(), path.begin(), path.end());
    if (rootEnd != root.end())
        return {};
    std::u16string result;
    for (; rest != path.end(); ++rest) {
        std::optional<std::u16string> name = DeviceNameOf(rest->string());
        if (!name)
            return {};
        result += u'\\';
        result += *name;
    }
    return result.empty() ? u"\\" : result;
}

std::optional<std::u16string> DeviceNameOf(const std::string& hostName)
{
    std::u16string name = Utf16FromUtf8(hostName);
    // A name that does not survive the round trip was not valid UTF-8.
    if (Utf8FromUtf16(name) != hostName)
        return std::nullopt;
    return name;
}

bool DeviceFileInfo(const std::string& hostPath, WIN32_FIND_DATAW& info)
{
    struct stat host {};
    if (stat(hostPath.c_str(), &host) != 0)
        return false;
    if (S_ISDIR(host.st_mode)) {
        info.dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;
        info.nFileSizeHigh = info.nFileSizeLow = 0;
    } else {
        info.dwFileAttributes = FILE_ATTRIBUTE_ARCHIVE;
        uint64_t size = static_cast<uint64_t>(host.st_size);
        info.nFileSizeHigh = static_cast<DWORD>(size >> 32);
        info.nFileSizeLow = static_cast<DWORD>(size);
    }
    if (!(host.st_mode & S_IWUSR))
        info.dwFileAttributes |= FILE_ATTRIBUTE_READONLY;
    // The host keeps no creation time; the last change stands in for it.
    info.ftCreationTime = FileTimeOf(host.st_mtim);
    info.ftLastAccessTime = FileTimeOf(host.st_atim);
    info.ftLastWriteTime = FileTimeOf(host.st_mtim);
    info.dwOID = 0;
    return true;
}

bool UnshareHostFile(const std::string& hostPath)
{
    struct stat info {};
    if (stat(hostPath.c_str(), &info) != 0)
        return errno == ENOENT;
    if (!S_ISREG(info.st_mode) || info.st_nlink <= 1)
        return true;
    // The copy goes beside the file and replaces it by rename, so that a
    // failure leaves the shared file as it was.
    std::string copyPath = hostPath + ".unshare";
    std::error_code ec;
    fs::copy_file(hostPath, copyPath, fs::copy_options::overwrite_existing, ec);
    if (!ec)
        fs::last_write_time(copyPath, fs::last_write_time(hostPath, ec), ec);
    if (ec || rename(copyPath.c_str(), hostPath.c_str()) != 0) {
        int error = ec ? ec.value() : errno;
        unlink(copyPath.c_str());
        errno = error;
        return false;
    }
    return true;
}

std::u16string FoldDeviceName(std::u16string_view name)
{
    std::u16string folded(name);
    _wcsupr(folded.data());
    return folded;
}

}  // namespace platform
