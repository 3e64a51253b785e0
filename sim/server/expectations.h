// A script's expectations over the growing event log.
#pragma once

#include <cstddef>
#include <regex>
#include <string>
#include <vector>

namespace sim {

// Expectations are ordered: each one searches the log lines after the line
// the previous one matched, so a script can state a sequence of events.
// The lines are matched whole, device time included.
class ExpectationCursor {
public:
    // The lines may grow while the cursor is in use; they must outlive it.
    explicit ExpectationCursor(const std::vector<std::string>& lines) : lines_(lines) {}

    // Finds the first line from Start() that matches and moves past it;
    // when none matches the cursor stays where it was.
    bool Expect(const std::regex& pattern);
    // Whether no line from Start() to the current end matches.
    bool ExpectNot(const std::regex& pattern) const;

    // The index of the first line the next search looks at.
    size_t Start() const { return start_; }

private:
    const std::vector<std::string>& lines_;
    size_t start_ = 0;
};

}  // namespace sim
