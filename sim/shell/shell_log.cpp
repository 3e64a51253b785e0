#include "shell_log.h"

#include "device_services.h"
#include "server/event_log.h"

namespace shell {

void LogShellEvent(const std::string& line) { platform::Server().LogEvent(line); }

std::string LogText(std::u16string_view text) { return sim::QuoteLogText(text); }

}  // namespace shell
