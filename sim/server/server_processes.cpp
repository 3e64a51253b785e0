// Process, wait and clock requests.
#include <algorithm>
#include <chrono>

#include "ce/errors.h"
#include "device_path.h"
#include "event_log.h"
#include "server.h"

namespace sim {

bool Server::HandleProcesses(Process& caller, Op op, WireReader& in, WireWriter& out)
{
    switch (op) {
    case Op::CreateProcess: {
        std::u16string path = in.Text();
        std::u16string args = in.Text();
        int32_t show = in.I32();
        Pid pid = 0;
        uint32_t error = StartProcess(path, args, pid, show);
        out.U32(error).U32(pid);
        return true;
    }
    case Op::ProcessState: {
        const Process* target = FindProcess(in.U32());
        out.U8(target ? 1 : 0).U32(target ? target->exitCode : 0);
        return true;
    }
    case Op::TerminateProcess: {
        Pid pid = in.U32();
        uint32_t code = in.U32();
        const Process* target = FindProcess(pid);
        bool ok = target && target->state != ProcessState::Ended && target->hostPid > 0;
        out.U8(ok ? 1 : 0);
        if (ok && pid == caller.pid) {
            Reply(caller, out);
            Terminate(pid, code);
            return false;
        }
        if (ok)
            Terminate(pid, code);
        return true;
    }
    case Op::WaitProcess: {
        WaitState wait;
        wait.kind = WaitKind::WaitProcess;
        wait.target = in.U32();
        uint32_t timeout = in.U32();
        wait.deadline = timeout == 0xFFFFFFFF ? kNoDeadline : now_ + timeout;
        Park(caller, wait);
        return false;
    }
    case Op::Sleep: {
        WaitState wait;
        wait.kind = WaitKind::Sleep;
        uint32_t ms = in.U32();
        wait.deadline = ms == 0xFFFFFFFF ? kNoDeadline : now_ + ms;
        Park(caller, wait);
        return false;
    }
    case Op::StylusWait: {
        WaitState wait;
        wait.kind = WaitKind::Stylus;
        wait.stylusSeen = in.U64();
        wait.deadline = now_ + in.U32();
        Park(caller, wait);
        return false;
    }
    case Op::OpenProcess: {
        const Process* target = FindProcess(in.U32());
        uint32_t error = ERROR_SUCCESS;
        if (!target || target->state == ProcessState::Ended)
            error = ERROR_INVALID_PARAMETER;
        else if (target->denyOpen && target->pid != caller.pid)
            error = ERROR_ACCESS_DENIED;
        out.U32(error);
        return true;
    }
    case Op::DenyProcessAccess:
        caller.denyOpen = true;
        return true;
    case Op::LibraryLoaded:
        if (std::string file; MapFile(in.Text(), file))
            caller.libraryFiles.insert(file);
        return true;
    case Op::LibraryFreed:
        if (std::string file; MapFile(in.Text(), file)) {
            auto held = caller.libraryFiles.find(file);
            if (held != caller.libraryFiles.end())
                caller.libraryFiles.erase(held);
        }
        return true;
    case Op::FileInUse: {
        std::string file;
        out.U8(MapFile(in.Text(), file) && FileInUse(file) ? 1 : 0);
        return true;
    }
    case Op::TickCount:
        out.U32(static_cast<uint32_t>(now_));
        return true;
    case Op::LocalTime: {
        int64_t milliseconds = device_.Profile().clockStart * 1000 + static_cast<int64_t>(now_);
        std::chrono::sys_days days{std::chrono::days(milliseconds / 86400000)};
        int64_t inDay = milliseconds % 86400000;
        std::chrono::year_month_day date{days};
        std::chrono::weekday weekday{days};
        out.U16(static_cast<uint16_t>(static_cast<int>(date.year())))
            .U16(static_cast<uint16_t>(static_cast<unsigned>(date.month())))
            .U16(static_cast<uint16_t>(weekday.c_encoding()))
            .U16(static_cast<uint16_t>(static_cast<unsigned>(date.day())))
            .U16(static_cast<uint16_t>(inDay / 3600000))
            .U16(static_cast<uint16_t>(inDay / 60000 % 60))
            .U16(static_cast<uint16_t>(inDay / 1000 % 60))
            .U16(static_cast<uint16_t>(inDay % 1000));
        return true;
    }
    case Op::Cursor:
        LogEvent("cursor pid=" + std::to_string(caller.pid) + " shape=" + QuoteLogText(in.Bytes()));
        return true;
    default:
        return true;
    }
}

bool Server::MapFile(const std::u16string& devicePath, std::string& hostPath) const
{
    return platform::MapDevicePathIn(device_.RootPath(), devicePath.c_str(), hostPath, device_.Profile().desktop);
}

bool Server::FileInUse(const std::string& hostPath) const
{
    return std::any_of(processes_.begin(), processes_.end(), [&hostPath](const auto& entry) {
        const Process& process = entry.second;
        return process.state != ProcessState::Ended &&
               (process.programFile == hostPath || process.libraryFiles.count(hostPath) != 0);
    });
}

}  // namespace sim
