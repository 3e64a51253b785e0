// The running processes as the dump lists them.
#include <unistd.h>

#include <fstream>

#include "event_log.h"
#include "server.h"

namespace sim {
namespace {

// The host process's resident memory in KiB; -1 when the host does not say.
long ResidentKib(pid_t hostPid)
{
    std::ifstream statm("/proc/" + std::to_string(hostPid) + "/statm");
    long size = 0;
    long resident = 0;
    if (!(statm >> size >> resident))
        return -1;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

}  // namespace

std::string Server::ProcessReport() const
{
    std::string out;
    for (const auto& [pid, process] : processes_) {
        if (process.state == ProcessState::Ended)
            continue;
        out += "process " + std::to_string(pid) + " " + QuoteLogText(process.path);
        out += " gdi " + std::to_string(process.gdiObjects);
        out += " handles " + std::to_string(process.handles);
        if (process.hostPid != 0)
            out += " rss " + std::to_string(ResidentKib(process.hostPid)) + " KiB";
        out += "\n";
    }
    return out;
}

}  // namespace sim
