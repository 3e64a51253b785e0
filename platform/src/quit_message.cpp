#include "quit_message.h"

#include <unistd.h>

#include <string>

#include "ce/user.h"
#include "device_services.h"

namespace platform {
namespace {

struct QuitRequest {
    bool posted = false;
    int exitCode = 0;
};

QuitRequest& Request()
{
    static QuitRequest request;
    return request;
}

}  // namespace

bool QuitPosted(int& exitCode)
{
    if (!Request().posted)
        return false;
    exitCode = Request().exitCode;
    return true;
}

void ClearQuit() { Request() = QuitRequest(); }

}  // namespace platform

void PostQuitMessage(int nExitCode)
{
    // FIXME: with message queues this posts WM_QUIT to the calling thread's
    // queue; for now the request is kept for the program's main loop.
    platform::Request() = {true, nExitCode};
    platform::Server().LogEvent("quit pid=" + std::to_string(getpid()) + " code=" + std::to_string(nExitCode));
}
