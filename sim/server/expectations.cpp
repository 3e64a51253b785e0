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

namespace {

uint32_t ScreenColour(const uint8_t* bgr) { return (uint32_t{bgr[2]} << 16) | (uint32_t{bgr[1]} << 8) | bgr[0]; }

uint32_t GoldenColour(const uint8_t* rgb) { return (uint32_t{rgb[0]} << 16) | (uint32_t{rgb[1]} << 8) | rgb[2]; }

std::string HexColour(uint32_t colour)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string text = "#";
    for (int shift = 20; shift >= 0; shift -= 4)
        text += kDigits[(colour >> shift) & 0xF];
    return text;
}

std::string Size(int width, int height) { return std::to_string(width) + "x" + std::to_string(height); }

}  // namespace

ScreenComparison CompareScreen(const BgrPixels& screen, const RgbImage& golden)
{
    ScreenComparison result;
    result.sameSize = screen.width == golden.width && screen.height == golden.height;
    if (!result.sameSize)
        return result;
    for (int y = 0; y < screen.height; ++y) {
        const uint8_t* s = screen.bits + static_cast<ptrdiff_t>(y) * screen.stride;
        const uint8_t* g = golden.Row(y);
        for (int x = 0; x < screen.width; ++x, s += 3, g += 3) {
            if (s[0] == g[2] && s[1] == g[1] && s[2] == g[0])
                continue;
            if (result.differing++ == 0) {
                result.firstX = x;
                result.firstY = y;
                result.screenColour = ScreenColour(s);
                result.goldenColour = GoldenColour(g);
            }
        }
    }
    return result;
}

std::string DescribeMismatch(const ScreenComparison& comparison, const BgrPixels& screen, const RgbImage& golden)
{
    if (!comparison.sameSize)
        return "the screen is " + Size(screen.width, screen.height) + ", the golden " +
               Size(golden.width, golden.height);
    return std::to_string(comparison.differing) + " pixels differ, the first at (" +
           std::to_string(comparison.firstX) + "," + std::to_string(comparison.firstY) + "): screen " +
           HexColour(comparison.screenColour) + ", golden " + HexColour(comparison.goldenColour);
}

}  // namespace sim
