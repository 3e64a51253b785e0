// Dialog templates from a module's resources, which a damaged or hostile
// library may carry: what is read comes from the bytes given.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>

#include "dialog_template.h"

namespace {

// The characters a name holds, or 0 for none or an ordinal.
size_t Characters(const platform::TemplateName& name) { return name.isOrdinal ? 0 : name.text.size(); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::optional<platform::DialogTemplate> dialog = platform::ParseDialogTemplate(std::span<const BYTE>(data, size));
    if (!dialog)
        return 0;
    // Each item takes at least its fixed fields, each character two bytes.
    size_t characters = Characters(dialog->menu) + Characters(dialog->windowClass) + dialog->caption.size() +
                        (dialog->font ? dialog->font->face.size() : 0);
    for (const platform::DialogItemTemplate& item : dialog->items)
        characters += Characters(item.windowClass) + Characters(item.title);
    if (dialog->items.size() * 18 > size || characters * 2 > size)
        abort();
    return 0;
}
