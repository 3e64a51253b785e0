// Golden pictures from the source tree: reading refuses bad files cleanly,
// and whatever was read writes back to a file that reads the same.
#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>

#include "server/png_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    sim::RgbImage image;
    std::string error;
    if (!sim::DecodePng(std::string_view(reinterpret_cast<const char*>(data), size), image, error)) {
        // A refusal always says why.
        if (error.empty())
            abort();
        return 0;
    }
    if (image.width <= 0 || image.height <= 0 || image.width > sim::kMaxPngSide ||
        image.height > sim::kMaxPngSide || image.pixels.size() != size_t(image.width) * image.height * 3)
        abort();
    // The writer takes blue first: swap the channels for the round trip.
    std::vector<uint8_t> bgr(image.pixels);
    for (size_t i = 0; i < bgr.size(); i += 3)
        std::swap(bgr[i], bgr[i + 2]);
    std::string png;
    sim::RgbImage again;
    if (!sim::EncodePng(sim::BgrPixels{bgr.data(), image.width, image.height, image.width * 3}, png, error) ||
        !sim::DecodePng(png, again, error) || again.pixels != image.pixels)
        abort();
    return 0;
}
