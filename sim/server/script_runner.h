// Plays a device script against a running server: the script acts as the
// device's user, each command once every process waits.
#pragma once

#include <string>

#include "expectations.h"
#include "script.h"
#include "server.h"

namespace sim {

class ScriptRunner {
public:
    explicit ScriptRunner(Server& server);

    // Runs every command; false at the first expectation that fails or
    // command that cannot be carried out, with the reason in Failure().
    bool Run(const Script& script);
    const std::string& Failure() const { return failure_; }

private:
    bool Execute(const ScriptCommand& command);
    bool Fail(const ScriptCommand& command, const std::string& why);

    Server& server_;
    ExpectationCursor cursor_;
    std::string failure_;
};

}  // namespace sim
