#include "file_use.h"

#include "server_connection.h"

namespace platform {
namespace {

std::string Ask(sim::Op op, std::u16string_view devicePath)
{
    sim::WireWriter args;
    args.Text(devicePath);
    return Call(op, args);
}

}  // namespace

void ReportLibraryLoaded(std::u16string_view devicePath) { Ask(sim::Op::LibraryLoaded, devicePath); }

void ReportLibraryFreed(std::u16string_view devicePath)
{
    // A library that outlives its device (a test's) has nobody to tell.
    if (IsConnected())
        Ask(sim::Op::LibraryFreed, devicePath);
}

bool IsFileInUse(std::u16string_view devicePath)
{
    std::string reply = Ask(sim::Op::FileInUse, devicePath);
    sim::WireReader in(reply);
    return in.U8() != 0;
}

}  // namespace platform
