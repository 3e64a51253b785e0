// The file calls over host files below the device root.
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ce/errors.h"
#include "ce/files.h"
#include "device_path.h"
#include "file_use.h"
#include "handles.h"
#include "store_room.h"
#include "text_convert.h"

namespace platform {
namespace {

class OpenFile : public KernelObject {
public:
    static constexpr HandleKind kKind = HandleKind::File;

    OpenFile(int fd, bool readable, bool writable, bool inStore)
        : fd_(fd), readable_(readable), writable_(writable), inStore_(inStore)
    {
    }
    ~OpenFile() override { close(fd_); }
    HandleKind Kind() const override { return kKind; }

    int Fd() const { return fd_; }
    bool Readable() const { return readable_; }
    bool Writable() const { return writable_; }
    // Its writes take room in the object store.
    bool InStore() const { return inStore_; }

private:
    int fd_;
    bool readable_;
    bool writable_;
    bool inStore_;
};

// Whether a write of count bytes at the file's pointer fits in the store;
// false with the error set when it does not.
bool WriteFits(const OpenFile& file, DWORD count)
{
    if (!file.InStore() || count == 0)
        return true;
    std::optional<uint64_t> free = StoreFreeBytes();
    if (!free)
        return true;
    struct stat info {};
    off_t position = lseek(file.Fd(), 0, SEEK_CUR);
    if (position < 0 || fstat(file.Fd(), &info) != 0)
        return true;
    return FitsInStore(WriteGrowth(static_cast<uint64_t>(info.st_size), static_cast<uint64_t>(position), count), *free);
}

bool IsFolder(const std::string& hostPath)
{
    struct stat info {};
    return stat(hostPath.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string ParentOf(const std::string& hostPath) { return hostPath.substr(0, hostPath.rfind('/')); }

// The Win32 error for a failed host call on hostPath.
DWORD ErrorFromErrno(int error, const std::string& hostPath)
{
    switch (error) {
    case ENOENT:
        // Windows tells a missing file from a missing folder on its way.
        return IsFolder(ParentOf(hostPath)) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case EEXIST:
        return ERROR_ALREADY_EXISTS;
    case ENOTEMPTY:
        return ERROR_DIR_NOT_EMPTY;
    case EMFILE:
    case ENFILE:
        return ERROR_TOO_MANY_OPEN_FILES;
    case ENAMETOOLONG:
        return ERROR_INVALID_NAME;
    case ENOSPC:
    case EDQUOT:
        return ERROR_DISK_FULL;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case EINVAL:
        return ERROR_INVALID_PARAMETER;
    default:
        return ERROR_ACCESS_DENIED;
    }
}

// Maps a path argument, setting the last error when it cannot be a device path.
bool MapArgument(LPCWSTR cePath, std::string& hostPath)
{
    if (!cePath) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (!MapDevicePath(cePath, hostPath)) {
        SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    return true;
}

// Maps a path that a call is about to remove or rename; the device root
// itself is never one of them.
bool MapChangeArgument(LPCWSTR cePath, std::string& hostPath)
{
    if (!MapArgument(cePath, hostPath))
        return false;
    if (DevicePathOf(hostPath) == u"\\") {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return true;
}

// A file that a running process holds (its program, a library it loaded)
// can be neither deleted nor renamed; false with the error set for one.
bool RefuseInUse(LPCWSTR cePath)
{
    if (!IsFileInUse(cePath))
        return true;
    SetLastError(ERROR_SHARING_VIOLATION);
    return false;
}

int OpenAccessFlags(DWORD access)
{
    bool read = access & GENERIC_READ;
    bool write = access & GENERIC_WRITE;
    if (read && write)
        return O_RDWR;
    return write ? O_WRONLY : O_RDONLY;
}

// The device runs any file as a program; on the host a written program
// (an installer's copy) needs the execute permission to be started.
constexpr mode_t kNewFileMode = 0777;

// Opens the host file for a disposition; `existed` tells whether it was
// there before. Returns -1 with errno set on failure.
int OpenForDisposition(const std::string& hostPath, int flags, DWORD disposition, bool& existed)
{
    existed = false;
    switch (disposition) {
    case CREATE_NEW:
        return open(hostPath.c_str(), flags | O_CREAT | O_EXCL, kNewFileMode);
    case OPEN_EXISTING:
        existed = true;
        return open(hostPath.c_str(), flags);
    case TRUNCATE_EXISTING:
        existed = true;
        return open(hostPath.c_str(), flags | O_TRUNC);
    }
    // CREATE_ALWAYS and OPEN_ALWAYS: creating exclusively first tells apart
    // the new file from the existing one without a separate look.
    int fd = open(hostPath.c_str(), flags | O_CREAT | O_EXCL, kNewFileMode);
    if (fd >= 0 || errno != EEXIST)
        return fd;
    existed = true;
    return open(hostPath.c_str(), flags | (disposition == CREATE_ALWAYS ? O_TRUNC : 0));
}

bool IsOpenFolder(int fd)
{
    struct stat info {};
    return fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
}

// The host path that renames `hostPath` to the last component of `cePath`
// spelled as given; none when that is already its spelling.
std::optional<std::string> CaseRenameTarget(const std::string& hostPath, std::u16string_view cePath)
{
    size_t end = cePath.find_last_not_of(u"\\/");
    if (end == std::u16string_view::npos)
        return std::nullopt;
    size_t start = cePath.find_last_of(u"\\/", end);
    start = start == std::u16string_view::npos ? 0 : start + 1;
    std::string name = Utf8FromUtf16(cePath.substr(start, end + 1 - start));
    std::string parent = ParentOf(hostPath);
    if (name == "." || name == ".." || parent + "/" + name == hostPath)
        return std::nullopt;
    return parent + "/" + name;
}

std::shared_ptr<OpenFile> LookupFile(HANDLE handle)
{
    std::shared_ptr<OpenFile> file = LookupHandle<OpenFile>(handle);
    if (!file)
        SetLastError(ERROR_INVALID_HANDLE);
    return file;
}

}  // namespace
}  // namespace platform

using namespace platform;

// FIXME: sharing modes are not enforced; every open shares everything. The
// attributes and flags (read-only, hidden, write-through) are not kept.
HANDLE CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                   DWORD dwFlagsAndAttributes, HANDLE hTemplateFile)
{
    std::string hostPath;
    if (!MapArgument(lpFileName, hostPath))
        return INVALID_HANDLE_VALUE;
    bool writable = dwDesiredAccess & GENERIC_WRITE;
    bool knownDisposition = dwCreationDisposition >= CREATE_NEW && dwCreationDisposition <= TRUNCATE_EXISTING;
    // Truncating is writing, so TRUNCATE_EXISTING asks for GENERIC_WRITE.
    if (!knownDisposition || (dwCreationDisposition == TRUNCATE_EXISTING && !writable)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    if (writable && !UnshareHostFile(hostPath)) {
        SetLastError(ErrorFromErrno(errno, hostPath));
        return INVALID_HANDLE_VALUE;
    }
    bool existed = false;
    int fd = OpenForDisposition(hostPath, OpenAccessFlags(dwDesiredAccess) | O_CLOEXEC, dwCreationDisposition,
                                existed);
    if (fd < 0) {
        int error = errno;
        if (error == EEXIST)
            SetLastError(ERROR_FILE_EXISTS);
        else if (error == EISDIR)
            SetLastError(ERROR_ACCESS_DENIED);
        else
            SetLastError(ErrorFromErrno(error, hostPath));
        return INVALID_HANDLE_VALUE;
    }
    // A folder opens for reading on the host, but it is not a file to CE.
    if (IsOpenFolder(fd)) {
        close(fd);
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    bool reportsExisting = dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS;
    SetLastError(reportsExisting && existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return AddHandle(std::make_shared<OpenFile>(fd, dwDesiredAccess & GENERIC_READ, writable,
                                                writable && InObjectStore(hostPath)));
}

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead,
              LPVOID lpOverlapped)
{
    if (lpNumberOfBytesRead)
        *lpNumberOfBytesRead = 0;
    std::shared_ptr<OpenFile> file = LookupFile(hFile);
    if (!file)
        return FALSE;
    if (!file->Readable()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (!lpBuffer && nNumberOfBytesToRead > 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD total = 0;
    while (total < nNumberOfBytesToRead) {
        ssize_t got = read(file->Fd(), static_cast<char*>(lpBuffer) + total, nNumberOfBytesToRead - total);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            SetLastError(ERROR_READ_FAULT);
            return FALSE;
        }
        if (got == 0)
            break;
        total += static_cast<DWORD>(got);
    }
    if (lpNumberOfBytesRead)
        *lpNumberOfBytesRead = total;
    return TRUE;
}

BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten,
               LPVOID lpOverlapped)
{
    if (lpNumberOfBytesWritten)
        *lpNumberOfBytesWritten = 0;
    std::shared_ptr<OpenFile> file = LookupFile(hFile);
    if (!file)
        return FALSE;
    if (!file->Writable()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (!lpBuffer && nNumberOfBytesToWrite > 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // A full store takes none of the write.
    if (!WriteFits(*file, nNumberOfBytesToWrite))
        return FALSE;
    DWORD total = 0;
    while (total < nNumberOfBytesToWrite) {
        ssize_t put = write(file->Fd(), static_cast<const char*>(lpBuffer) + total, nNumberOfBytesToWrite - total);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            SetLastError(put < 0 && (errno == ENOSPC || errno == EDQUOT) ? ERROR_DISK_FULL : ERROR_WRITE_FAULT);
            return FALSE;
        }
        total += static_cast<DWORD>(put);
    }
    if (lpNumberOfBytesWritten)
        *lpNumberOfBytesWritten = total;
    return TRUE;
}

DWORD SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh, DWORD dwMoveMethod)
{
    std::shared_ptr<OpenFile> file = LookupFile(hFile);
    if (!file)
        return INVALID_SET_FILE_POINTER;
    if (dwMoveMethod > FILE_END) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    int whence = dwMoveMethod == FILE_BEGIN ? SEEK_SET : dwMoveMethod == FILE_CURRENT ? SEEK_CUR : SEEK_END;
    // Without the high part the distance is a signed 32-bit number.
    int64_t distance = lDistanceToMove;
    if (lpDistanceToMoveHigh) {
        uint64_t high = static_cast<uint32_t>(*lpDistanceToMoveHigh);
        distance = static_cast<int64_t>(high << 32 | static_cast<uint32_t>(lDistanceToMove));
    }
    off_t position = lseek(file->Fd(), distance, whence);
    if (position < 0) {
        // A move before the start leaves the pointer where it was.
        SetLastError(errno == EINVAL ? ERROR_NEGATIVE_SEEK : ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    if (lpDistanceToMoveHigh)
        *lpDistanceToMoveHigh = static_cast<LONG>(static_cast<uint64_t>(position) >> 32);
    // The caller can only tell this position from a failure by the error.
    if (static_cast<DWORD>(position) == INVALID_SET_FILE_POINTER)
        SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(position);
}

DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh)
{
    std::shared_ptr<OpenFile> file = LookupFile(hFile);
    if (!file)
        return INVALID_FILE_SIZE;
    struct stat info {};
    if (fstat(file->Fd(), &info) != 0) {
        SetLastError(ERROR_READ_FAULT);
        return INVALID_FILE_SIZE;
    }
    uint64_t size = static_cast<uint64_t>(info.st_size);
    if (lpFileSizeHigh)
        *lpFileSizeHigh = static_cast<DWORD>(size >> 32);
    if (static_cast<DWORD>(size) == INVALID_FILE_SIZE)
        SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(size);
}

DWORD GetFileAttributesW(LPCWSTR lpFileName)
{
    std::string hostPath;
    if (!MapArgument(lpFileName, hostPath))
        return INVALID_FILE_ATTRIBUTES;
    WIN32_FIND_DATAW info {};
    if (!DeviceFileInfo(hostPath, info)) {
        SetLastError(ErrorFromErrno(errno, hostPath));
        return INVALID_FILE_ATTRIBUTES;
    }
    return info.dwFileAttributes;
}

BOOL CreateDirectoryW(LPCWSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes)
{
    std::string hostPath;
    if (!MapArgument(lpPathName, hostPath))
        return FALSE;
    if (mkdir(hostPath.c_str(), 0777) != 0) {
        // Only the last folder is made, so a missing one above it is a missing path.
        SetLastError(errno == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(errno, hostPath));
        return FALSE;
    }
    return TRUE;
}

BOOL RemoveDirectoryW(LPCWSTR lpPathName)
{
    std::string hostPath;
    if (!MapChangeArgument(lpPathName, hostPath))
        return FALSE;
    if (rmdir(hostPath.c_str()) != 0) {
        SetLastError(ErrorFromErrno(errno, hostPath));
        return FALSE;
    }
    return TRUE;
}

BOOL DeleteFileW(LPCWSTR lpFileName)
{
    std::string hostPath;
    if (!MapChangeArgument(lpFileName, hostPath) || !RefuseInUse(lpFileName))
        return FALSE;
    if (unlink(hostPath.c_str()) != 0) {
        SetLastError(ErrorFromErrno(errno, hostPath));
        return FALSE;
    }
    return TRUE;
}

BOOL MoveFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName)
{
    std::string from;
    std::string to;
    if (!MapChangeArgument(lpExistingFileName, from) || !MapChangeArgument(lpNewFileName, to) ||
        !RefuseInUse(lpExistingFileName))
        return FALSE;
    struct stat info {};
    if (lstat(from.c_str(), &info) != 0) {
        SetLastError(ErrorFromErrno(errno, from));
        return FALSE;
    }
    if (to == from) {
        // Both names denote the same file: at most the case changes.
        std::optional<std::string> spelled = CaseRenameTarget(from, lpNewFileName);
        if (!spelled)
            return TRUE;
        to = *spelled;
    } else if (lstat(to.c_str(), &info) == 0) {
        SetLastError(ERROR_ALREADY_EXISTS);
        return FALSE;
    }
    if (rename(from.c_str(), to.c_str()) != 0) {
        SetLastError(ErrorFromErrno(errno, to));
        return FALSE;
    }
    return TRUE;
}
