// Plays a device script against a running server: the script acts as the
// device's user, each command once every process waits.
#pragma once

#include <filesystem>
#include <string>

#include "expectations.h"
#include "script.h"
#include "server.h"

namespace sim {

// Where a script's files go and how match treats its goldens.
struct ScriptRunnerOptions {
    std::filesystem::path scriptFolder;  // relative goldens are found here
    std::filesystem::path shots;         // relative shots go here; empty: the current folder
    bool rebaseline = false;             // match writes its golden instead of comparing
};

// Starts a program (CE path and parameters, UTF-8) as ShellExecuteEx does,
// logged as a shellexecute of the device's user (pid 0): a script's run.
void RunProgram(Server& server, const std::string& path, const std::string& parameters);

class ScriptRunner {
public:
    explicit ScriptRunner(Server& server, ScriptRunnerOptions options = {});

    // Runs every command; false at the first expectation that fails or
    // command that cannot be carried out, with the reason in Failure().
    bool Run(const Script& script);
    const std::string& Failure() const { return failure_; }

private:
    bool Execute(const ScriptCommand& command);
    bool Fail(const ScriptCommand& command, const std::string& why);
    bool Choose(const ScriptCommand& command);
    bool Press(const ScriptCommand& command);
    bool Shot(const ScriptCommand& command);
    bool Delete(const ScriptCommand& command);
    bool Match(const ScriptCommand& command);

    Server& server_;
    ScriptRunnerOptions options_;
    ExpectationCursor cursor_;
    std::string failure_;
};

}  // namespace sim
