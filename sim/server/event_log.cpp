#include "event_log.h"

#include <cstdio>

#include "text_convert.h"

namespace sim {

void EventLog::Add(uint64_t deviceTimeMs, std::string_view line)
{
    std::string entry = std::to_string(deviceTimeMs);
    entry += ' ';
    entry += line;
    lines_.push_back(std::move(entry));
    if (sink_)
        sink_(lines_.back());
}

void EventLog::SetSink(std::function<void(const std::string&)> sink)
{
    sink_ = std::move(sink);
    if (!sink_)
        return;
    for (const std::string& line : lines_)
        sink_(line);
}

std::string QuoteLogText(std::string_view utf8)
{
    std::string quoted = "\"";
    for (char c : utf8) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20 || byte == 0x7f) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    quoted += '"';
    return quoted;
}

std::string QuoteLogText(std::u16string_view text) { return QuoteLogText(platform::Utf8FromUtf16(text)); }

std::string HexLogNumber(uint64_t value)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
    return text;
}

}  // namespace sim
