// Processes, waits and the device clock.
#include <cstdlib>
#include <string>

#include "ce/errors.h"
#include "ce/process.h"
#include "ce/windowing.h"
#include "handles.h"
#include "server_connection.h"
#include "shellapi.h"
#include "server/event_log.h"
#include "text_convert.h"

namespace platform {
namespace {

using sim::Op;
using sim::WireReader;
using sim::WireWriter;

// A process handle names the process by its emulated pid.
class ProcessObject : public KernelObject {
public:
    static constexpr HandleKind kKind = HandleKind::Process;
    explicit ProcessObject(DWORD pid) : pid(pid) {}
    HandleKind Kind() const override { return kKind; }
    const DWORD pid;
};

// The pseudo-handle GetCurrentProcess answers, as on Win32.
const HANDLE kCurrentProcess = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));

bool PidOfHandle(HANDLE handle, DWORD& pid)
{
    if (handle == kCurrentProcess) {
        pid = CurrentPid();
        return true;
    }
    std::shared_ptr<ProcessObject> process = LookupHandle<ProcessObject>(handle);
    if (!process) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    pid = process->pid;
    return true;
}

// Asks the server to start the program; the Win32 error, or 0 with the pid.
DWORD Start(const std::u16string& path, const std::u16string& args, int show, DWORD& pid)
{
    WireWriter request;
    request.Text(path).Text(args).I32(show);
    std::string reply = Call(Op::CreateProcess, request);
    WireReader in(reply);
    DWORD error = in.U32();
    pid = in.U32();
    return error;
}

bool ProcessKnown(DWORD pid, DWORD& exitCode)
{
    WireWriter request;
    request.U32(pid);
    std::string reply = Call(Op::ProcessState, request);
    WireReader in(reply);
    bool known = in.U8() != 0;
    exitCode = in.U32();
    return known;
}

}  // namespace
}  // namespace platform

using namespace platform;

BOOL CreateProcessW(LPCWSTR lpApplicationName, LPWSTR lpCommandLine, LPVOID, LPVOID, BOOL, DWORD, LPVOID, LPCWSTR,
                    LPSTARTUPINFOW, LPPROCESS_INFORMATION lpProcessInformation)
{
    // CE takes the program from the first argument and hands the second
    // to it whole.
    if (!lpApplicationName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD pid = 0;
    DWORD error = Start(lpApplicationName, lpCommandLine ? lpCommandLine : u"", SW_SHOW, pid);
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return FALSE;
    }
    if (lpProcessInformation) {
        lpProcessInformation->hProcess = AddHandle(std::make_shared<ProcessObject>(pid));
        lpProcessInformation->hThread = nullptr;
        lpProcessInformation->dwProcessId = pid;
        lpProcessInformation->dwThreadId = pid;
    }
    return TRUE;
}

BOOL ShellExecuteEx(LPSHELLEXECUTEINFOW info)
{
    if (!info || info->cbSize != sizeof(SHELLEXECUTEINFOW) || !info->lpFile) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::u16string verb = info->lpVerb ? info->lpVerb : u"open";
    std::u16string file = info->lpFile;
    std::u16string params = info->lpParameters ? info->lpParameters : u"";
    DWORD pid = 0;
    DWORD error = _wcsicmp(verb.c_str(), u"open") == 0 ? Start(file, params, info->nShow, pid) : ERROR_NOT_SUPPORTED;
    Server().LogEvent("shellexecute pid=" + std::to_string(CurrentPid()) + " file=" + sim::QuoteLogText(file) +
                      " params=" + sim::QuoteLogText(params) + " ok=" + (error == ERROR_SUCCESS ? "1" : "0"));
    info->hProcess = nullptr;
    if (error != ERROR_SUCCESS) {
        info->hInstApp = reinterpret_cast<HINSTANCE>(
            static_cast<uintptr_t>(error == ERROR_PATH_NOT_FOUND ? SE_ERR_PNF : SE_ERR_FNF));
        SetLastError(error);
        return FALSE;
    }
    // Success is a value above 32, as documented.
    info->hInstApp = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(33));
    if (info->fMask & SEE_MASK_NOCLOSEPROCESS)
        info->hProcess = AddHandle(std::make_shared<ProcessObject>(pid));
    return TRUE;
}

// A process that has ended, or never was, cannot be opened
// (ERROR_INVALID_PARAMETER); one that refuses access gives
// ERROR_ACCESS_DENIED.
HANDLE OpenProcess(DWORD, BOOL, DWORD dwProcessId)
{
    WireWriter request;
    request.U32(dwProcessId);
    std::string reply = Call(Op::OpenProcess, request);
    WireReader in(reply);
    DWORD error = in.U32();
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return nullptr;
    }
    return AddHandle(std::make_shared<ProcessObject>(dwProcessId));
}

BOOL TerminateProcess(HANDLE hProcess, UINT uExitCode)
{
    DWORD pid = 0;
    if (!PidOfHandle(hProcess, pid))
        return FALSE;
    WireWriter request;
    request.U32(pid).U32(uExitCode);
    std::string reply = Call(Op::TerminateProcess, request);
    WireReader in(reply);
    if (in.U8() == 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}

BOOL GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode)
{
    DWORD pid = 0;
    if (!lpExitCode || !PidOfHandle(hProcess, pid))
        return FALSE;
    DWORD exitCode = 0;
    if (!ProcessKnown(pid, exitCode)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    *lpExitCode = exitCode;
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds)
{
    DWORD pid = 0;
    if (!PidOfHandle(hHandle, pid))
        return WAIT_FAILED;
    WireWriter request;
    request.U32(pid).U32(dwMilliseconds);
    std::string reply = Call(Op::WaitProcess, request);
    WireReader in(reply);
    return in.U8() ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

DWORD GetCurrentProcessId(void) { return CurrentPid(); }

HANDLE GetCurrentProcess(void) { return kCurrentProcess; }

void ExitProcess(UINT uExitCode)
{
    WireWriter request;
    request.U32(uExitCode);
    Call(Op::Exit, request);
    std::exit(static_cast<int>(uExitCode));
}

void Sleep(DWORD dwMilliseconds)
{
    WireWriter request;
    request.U32(dwMilliseconds);
    Call(Op::Sleep, request);
}

DWORD GetTickCount(void)
{
    std::string reply = Call(Op::TickCount, WireWriter());
    WireReader in(reply);
    return in.U32();
}

void GetLocalTime(LPSYSTEMTIME lpSystemTime)
{
    std::string reply = Call(Op::LocalTime, WireWriter());
    WireReader in(reply);
    SYSTEMTIME time;
    time.wYear = in.U16();
    time.wMonth = in.U16();
    time.wDayOfWeek = in.U16();
    time.wDay = in.U16();
    time.wHour = in.U16();
    time.wMinute = in.U16();
    time.wSecond = in.U16();
    time.wMilliseconds = in.U16();
    if (lpSystemTime)
        *lpSystemTime = time;
}

// The device keeps no time zone: its clock is local time.
void GetSystemTime(LPSYSTEMTIME lpSystemTime) { GetLocalTime(lpSystemTime); }
