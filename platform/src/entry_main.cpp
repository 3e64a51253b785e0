// The host's entry point for a device program: connect to the device, hand
// WinMain the command line that follows the program name, report the exit
// code.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ce/process.h"
#include "ce/resources.h"
#include "ce/windowing.h"
#include "server_connection.h"
#include "text_convert.h"

int main()
{
    const char* args = std::getenv("DEVSIM_ARGS");
    std::u16string commandLine = args ? platform::Utf16FromUtf8(args) : std::u16string();
    platform::CurrentPid();
    const char* show = std::getenv("DEVSIM_SHOW");
    int showCommand = show ? std::atoi(show) : SW_SHOW;
    int code = WinMain(GetModuleHandleW(nullptr), nullptr, commandLine.data(), showCommand);
    sim::WireWriter request;
    request.U32(static_cast<uint32_t>(code));
    platform::Call(sim::Op::Exit, request);
    std::fflush(stdout);
    return code;
}
