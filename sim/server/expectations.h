// A script's expectations over the growing event log.
#pragma once

#include <cstddef>
#include <cstdint>
#include <regex>
#include <string>
#include <vector>

#include "png_file.h"

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

// A screen compared pixel for pixel with a golden picture.
struct ScreenComparison {
    bool sameSize = false;
    int64_t differing = 0;  // pixels that differ, when the sizes agree
    // The first differing pixel in reading order and its two colours
    // (0xRRGGBB).
    int firstX = 0;
    int firstY = 0;
    uint32_t screenColour = 0;
    uint32_t goldenColour = 0;

    bool Matches() const { return sameSize && differing == 0; }
};

ScreenComparison CompareScreen(const BgrPixels& screen, const RgbImage& golden);

// What a failed comparison says: the sizes, or the count of differing
// pixels and the first of them.
std::string DescribeMismatch(const ScreenComparison& comparison, const BgrPixels& screen, const RgbImage& golden);

}  // namespace sim
