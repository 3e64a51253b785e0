// _wfopen, fgetws and fputws: CE text and binary streams over host FILEs.
//
// The host file is always opened in binary mode, so the host's own fread,
// fseek and ftell see the bytes on disk. The CE text mode (Windows-1252 on
// disk, CR LF for a line feed) is applied here by the wide functions, which
// look up each stream's mode in a table.
#include <sys/stat.h>

#include <cerrno>
#include <mutex>
#include <string>
#include <unordered_map>

#include "ce/crt.h"
#include "ce/errors.h"
#include "device_path.h"
#include "device_services.h"
#include "store_room.h"
#include "text_convert.h"

namespace {

constexpr int kWideEof = -1;  // WEOF as an int

struct StreamMode {
    bool binary = false;
    // Written in the object store, whose room it takes.
    bool inStore = false;
    // Opened with "a": every write goes to the end.
    bool append = false;
};

class StreamModes {
public:
    // A FILE pointer may be reused after fclose, so opening overwrites.
    void Set(FILE* stream, StreamMode mode)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        modes_[stream] = mode;
    }
    // Streams not opened by _wfopen (stdout, ...) are text streams outside
    // the store.
    StreamMode Get(FILE* stream)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto found = modes_.find(stream);
        return found != modes_.end() ? found->second : StreamMode();
    }
    bool IsBinary(FILE* stream) { return Get(stream).binary; }

private:
    std::mutex mutex_;
    std::unordered_map<FILE*, StreamMode> modes_;
};

StreamModes& Modes()
{
    static StreamModes modes;
    return modes;
}

// Translates a CE mode ("r", "w+", "at", "rb", ...) into the host's binary
// mode; false for anything else, including both 't' and 'b'.
bool HostMode(const WCHAR* mode, std::string& hostMode, bool& binary)
{
    if (*mode != u'r' && *mode != u'w' && *mode != u'a')
        return false;
    hostMode = static_cast<char>(*mode);
    bool update = false, text = false;
    binary = false;
    for (const WCHAR* p = mode + 1; *p; ++p) {
        bool* flag = *p == u'+' ? &update : *p == u't' ? &text : *p == u'b' ? &binary : nullptr;
        if (!flag || *flag)
            return false;
        *flag = true;
    }
    if (text && binary)
        return false;
    if (update)
        hostMode += '+';
    hostMode += 'b';
    return true;
}

// One character of a text stream: a byte in Windows-1252, CR LF as LF.
// The byte after a CR is peeked at once, so a pair split across two
// buffer-limited reads still collapses.
int ReadTextChar(FILE* stream)
{
    int byte = getc(stream);
    if (byte == EOF)
        return kWideEof;
    if (byte == '\r') {
        int next = getc(stream);
        if (next == '\n')
            return u'\n';
        if (next != EOF)
            ungetc(next, stream);
    }
    return platform::WideFromCp1252(static_cast<unsigned char>(byte));
}

// One 16-bit little-endian unit of a binary stream; a final odd byte is
// not a character and reads as the end.
int ReadBinaryChar(FILE* stream)
{
    int low = getc(stream);
    if (low == EOF)
        return kWideEof;
    int high = getc(stream);
    if (high == EOF)
        return kWideEof;
    return low | (high << 8);
}

bool WriteTextChar(WCHAR c, FILE* stream)
{
    if (c == u'\n' && putc('\r', stream) == EOF)
        return false;
    return putc(platform::Cp1252FromWide(c), stream) != EOF;
}

bool WriteBinaryChar(WCHAR c, FILE* stream) { return putc(c & 0xFF, stream) != EOF && putc(c >> 8, stream) != EOF; }

// The bytes the text takes on disk in the stream's mode.
uint64_t EncodedSize(const WCHAR* text, bool binary)
{
    uint64_t bytes = 0;
    for (; *text; ++text)
        bytes += binary || *text == u'\n' ? 2 : 1;
    return bytes;
}

// Whether bytes more at the stream's position fit in the store; false with
// errno and the last error set when they do not. The stream is flushed
// first, so that the file's size on disk holds what was written before.
bool StreamWriteFits(FILE* stream, const StreamMode& mode, uint64_t bytes)
{
    if (!mode.inStore || bytes == 0)
        return true;
    if (!platform::StoreFreeBytes())
        return true;
    struct stat info {};
    long position = fflush(stream) == 0 ? ftell(stream) : -1;
    if (position < 0 || fstat(fileno(stream), &info) != 0)
        return true;
    // Asked again: the flush has just used some of the room.
    std::optional<uint64_t> free = platform::StoreFreeBytes();
    if (!free)
        return true;
    uint64_t size = static_cast<uint64_t>(info.st_size);
    uint64_t start = mode.append ? size : static_cast<uint64_t>(position);
    if (platform::FitsInStore(platform::WriteGrowth(size, start, bytes), *free))
        return true;
    errno = ENOSPC;
    return false;
}

bool IsFolder(FILE* stream)
{
    struct stat info {};
    return fstat(fileno(stream), &info) == 0 && S_ISDIR(info.st_mode);
}

// The device's runtime opens through CreateFileW, which refuses a folder.
FILE* RefuseFolder()
{
    SetLastError(ERROR_ACCESS_DENIED);
    errno = EACCES;
    return nullptr;
}

}  // namespace

FILE* _wfopen(const WCHAR* filename, const WCHAR* mode)
{
    std::string hostMode;
    bool binary;
    if (!filename || !mode || !HostMode(mode, hostMode, binary)) {
        errno = EINVAL;
        return nullptr;
    }
    std::string hostPath;
    if (!platform::MapDevicePath(filename, hostPath)) {
        errno = ENOENT;
        return nullptr;
    }
    if (hostMode.find_first_of("wa+") != std::string::npos && !platform::UnshareHostFile(hostPath))
        return nullptr;
    FILE* stream = fopen(hostPath.c_str(), hostMode.c_str());
    if (!stream)
        return errno == EISDIR ? RefuseFolder() : nullptr;
    // The host reads a folder opened with "r"; the device does not.
    if (IsFolder(stream)) {
        fclose(stream);
        return RefuseFolder();
    }
    Modes().Set(stream, StreamMode{binary, platform::InObjectStore(hostPath), *mode == u'a'});
    return stream;
}

// Follows the Microsoft C runtime: a count below 1 gives NULL without
// touching the buffer, a count of 1 gives an empty string and the buffer,
// and NULL also means that nothing was read before the end or an error.
WCHAR* fgetws(WCHAR* buffer, int count, FILE* stream)
{
    if (!buffer || !stream || count < 0) {
        errno = EINVAL;
        return nullptr;
    }
    if (count == 0)
        return nullptr;
    bool binary = Modes().IsBinary(stream);
    int length = 0;
    while (length < count - 1) {
        int c = binary ? ReadBinaryChar(stream) : ReadTextChar(stream);
        if (c == kWideEof) {
            if (length == 0)
                return nullptr;
            break;
        }
        buffer[length++] = static_cast<WCHAR>(c);
        if (c == u'\n')
            break;
    }
    buffer[length] = 0;
    return buffer;
}

int fputws(const WCHAR* text, FILE* stream)
{
    if (!text || !stream) {
        errno = EINVAL;
        return kWideEof;
    }
    StreamMode mode = Modes().Get(stream);
    bool binary = mode.binary;
    // A full store takes none of the text.
    if (!StreamWriteFits(stream, mode, EncodedSize(text, binary)))
        return kWideEof;
    for (; *text; ++text) {
        if (!(binary ? WriteBinaryChar(*text, stream) : WriteTextChar(*text, stream)))
            return kWideEof;
    }
    return 0;
}
