// The device's event log: one line per notable platform event.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

class EventLog {
public:
    // Appends "TIME line"; TIME is the device clock in milliseconds.
    void Add(uint64_t deviceTimeMs, std::string_view line);
    const std::vector<std::string>& Lines() const { return lines_; }
    void Clear() { lines_.clear(); }
    // Called with every line as it is added (devsim writes the log as it
    // happens), and at once with the lines already there.
    void SetSink(std::function<void(const std::string&)> sink);

private:
    std::vector<std::string> lines_;
    std::function<void(const std::string&)> sink_;
};

// A log string value: double-quoted, with '"' and '\' escaped and control
// characters written as \xNN.
std::string QuoteLogText(std::u16string_view text);
std::string QuoteLogText(std::string_view utf8);
// Numbers that are messages, styles or parameters: 0x hex.
std::string HexLogNumber(uint64_t value);

}  // namespace sim
