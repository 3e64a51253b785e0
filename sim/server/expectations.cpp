#include "expectations.h"

namespace sim {

bool ExpectationCursor::Expect(const std::regex& pattern)
{
    for (size_t i = start_; i < lines_.size(); ++i) {
        if (std::regex_search(lines_[i], pattern)) {
            start_ = i + 1;
            return true;
        }
    }
    return false;
}

bool ExpectationCursor::ExpectNot(const std::regex& pattern) const
{
    for (size_t i = start_; i < lines_.size(); ++i) {
        if (std::regex_search(lines_[i], pattern))
            return false;
    }
    return true;
}

}  // namespace sim
