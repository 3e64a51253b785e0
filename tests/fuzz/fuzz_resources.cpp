// A module's .res image as any resource compiler, or damage, may leave it:
// the walk ends, every record and string it hands out lies inside the image,
// and records come in file order.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>

#include "resource_file.h"

namespace {

bool Inside(std::span<const BYTE> outer, const BYTE* begin, size_t size)
{
    return begin >= outer.data() && begin <= outer.data() + outer.size() &&
           size <= size_t(outer.data() + outer.size() - begin);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::span<const BYTE> image(data, size);
    platform::ResourceReader reader(image);
    const BYTE* previous = nullptr;
    while (std::optional<platform::ResourceEntry> entry = reader.Next()) {
        if (entry->record <= previous || !Inside(image, entry->record, 0) ||
            !Inside(image, entry->data.data(), entry->data.size()) || entry->data.data() < entry->record)
            abort();
        previous = entry->record;
        for (unsigned index = 0; index <= platform::kStringsPerBlock; ++index) {
            std::optional<platform::TableString> text = platform::StringInBlock(entry->data, index);
            if (text && !Inside(entry->data, text->chars, size_t(text->length) * 2))
                abort();
        }
    }
    return 0;
}
