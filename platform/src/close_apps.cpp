// The shell library's close-applications call: the device shell asks the
// other applications to close so that memory comes free.
#include "aygshell.h"
#include "server_connection.h"

BOOL WINAPI SHCloseApps(DWORD dwMemSought)
{
    sim::WireWriter request;
    request.U32(dwMemSought);
    platform::Call(sim::Op::CloseApps, request);
    return TRUE;
}
