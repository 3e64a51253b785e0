// A program's connection to the device server, the bytes after its Hello
// taken from the input: the server splits them into frames and decodes each
// request, and whatever the bytes it answers, or drops the program, without
// crashing or hanging. The stand-in program sends one whole frame at a time
// and waits for the answer, as the platform does; what is left at the end (a
// cut-off frame, a length past the largest) goes as it is before it hangs up.
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "server/device.h"
#include "server/server.h"

namespace {

const std::string& Root()
{
    static const std::string root = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "qmfuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            abort();
        return pattern;
    }();
    return root;
}

bool WriteAll(int fd, const uint8_t* data, size_t size)
{
    while (size > 0) {
        ssize_t written = send(fd, data, size, MSG_NOSIGNAL);
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

void Speak(int fd, const uint8_t* data, size_t size)
{
    sim::WireWriter hello;
    hello.U16(static_cast<uint16_t>(sim::Op::Hello)).U32(1);
    std::string reply;
    if (!sim::SendFrame(fd, hello.Data()) || !sim::ReceiveFrame(fd, reply))
        return;
    size_t at = 0;
    while (size - at >= 4) {
        uint32_t length = data[at] | (data[at + 1] << 8) | (data[at + 2] << 16) | (uint32_t(data[at + 3]) << 24);
        if (length > size - at - 4)
            break;
        if (!WriteAll(fd, data + at, 4 + length) || !sim::ReceiveFrame(fd, reply))
            return;
        at += 4 + length;
    }
    WriteAll(fd, data + at, size - at);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A fresh device for every input, so that each one replays alone.
    std::error_code ignored;
    std::filesystem::remove_all(Root(), ignored);
    std::filesystem::create_directories(Root());
    sim::Device device(Root(), *sim::BuiltInProfile("qvga"));
    sim::ServerOptions options;
    options.harness = true;
    sim::Server server(device, options);
    int pair[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0)
        abort();
    server.AttachClient(pair[1], u"\\fuzz.exe");
    std::thread program([&] {
        Speak(pair[0], data, size);
        close(pair[0]);
    });
    server.ServeHarness();
    program.join();
    if (server.AnyProcessAlive())
        abort();
    return 0;
}
