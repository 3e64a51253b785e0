#include "dialog_template.h"

#include "ce/dialogs.h"

namespace platform {
namespace {

constexpr WORD kOrdinalMark = 0xFFFF;
constexpr WORD kExtendedSignature = 0xFFFF;

// Reads little-endian fields in order; every read checks that it fits, and
// a failed read fails every later one.
class FieldReader {
public:
    explicit FieldReader(std::span<const BYTE> bytes) : bytes_(bytes) {}

    bool Failed() const { return failed_; }

    WORD Word()
    {
        if (!Fits(2))
            return 0;
        WORD value = static_cast<WORD>(bytes_[offset_] | (bytes_[offset_ + 1] << 8));
        offset_ += 2;
        return value;
    }

    DWORD Dword()
    {
        DWORD low = Word();
        return low | (static_cast<DWORD>(Word()) << 16);
    }

    short Short() { return static_cast<short>(Word()); }

    BYTE Byte()
    {
        if (!Fits(1))
            return 0;
        return bytes_[offset_++];
    }

    std::u16string Text()
    {
        std::u16string text;
        while (WORD c = Word())
            text += static_cast<char16_t>(c);
        return text;
    }

    // A menu, class or title field.
    TemplateName Name()
    {
        TemplateName name;
        WORD first = Word();
        if (first == kOrdinalMark) {
            name.isOrdinal = true;
            name.ordinal = Word();
        } else if (first != 0) {
            name.text = static_cast<char16_t>(first);
            name.text += Text();
        }
        return name;
    }

    void Skip(size_t count)
    {
        if (Fits(count))
            offset_ += count;
    }

    // Items start on 32-bit boundaries from the template's start.
    void AlignDword() { Skip((4 - offset_ % 4) % 4); }

private:
    bool Fits(size_t count)
    {
        if (failed_ || bytes_.size() - offset_ < count)
            failed_ = true;
        return !failed_;
    }

    std::span<const BYTE> bytes_;
    size_t offset_ = 0;
    bool failed_ = false;
};

// The header fields after the style words, shared by both forms; the item
// count comes back separately.
WORD ReadPlacement(FieldReader& in, DialogTemplate& t)
{
    WORD count = in.Word();
    t.x = in.Short();
    t.y = in.Short();
    t.cx = in.Short();
    t.cy = in.Short();
    t.menu = in.Name();
    t.windowClass = in.Name();
    t.caption = in.Text();
    return count;
}

void ReadPlacement(FieldReader& in, DialogItemTemplate& item)
{
    item.x = in.Short();
    item.y = in.Short();
    item.cx = in.Short();
    item.cy = in.Short();
}

// The class and title of an item, then its creation data, which no control
// here reads.
void ReadItemNames(FieldReader& in, DialogItemTemplate& item)
{
    item.windowClass = in.Name();
    item.title = in.Name();
    in.Skip(in.Word());
}

DialogItemTemplate ReadStandardItem(FieldReader& in)
{
    DialogItemTemplate item;
    item.style = in.Dword();
    item.exStyle = in.Dword();
    ReadPlacement(in, item);
    item.id = in.Word();
    ReadItemNames(in, item);
    return item;
}

DialogItemTemplate ReadExtendedItem(FieldReader& in)
{
    DialogItemTemplate item;
    in.Dword();  // help id
    item.exStyle = in.Dword();
    item.style = in.Dword();
    ReadPlacement(in, item);
    item.id = in.Dword();
    ReadItemNames(in, item);
    return item;
}

}  // namespace

std::optional<DialogTemplate> ParseDialogTemplate(std::span<const BYTE> bytes)
{
    FieldReader in(bytes);
    DialogTemplate t;
    WORD version = in.Word();
    bool extended = in.Word() == kExtendedSignature && version == 1;
    if (extended) {
        in.Dword();  // help id
        t.exStyle = in.Dword();
        t.style = in.Dword();
    } else {
        in = FieldReader(bytes);
        t.style = in.Dword();
        t.exStyle = in.Dword();
    }
    WORD count = ReadPlacement(in, t);
    if (t.style & DS_SETFONT) {
        DialogFontTemplate font;
        font.pointSize = in.Word();
        if (extended) {
            font.weight = in.Word();
            font.italic = in.Byte() != 0;
            font.charSet = in.Byte();
        }
        font.face = in.Text();
        t.font = font;
    }
    for (WORD i = 0; i < count && !in.Failed(); ++i) {
        in.AlignDword();
        t.items.push_back(extended ? ReadExtendedItem(in) : ReadStandardItem(in));
    }
    if (in.Failed())
        return std::nullopt;
    return t;
}

std::u16string PredefinedClassName(WORD ordinal)
{
    switch (ordinal) {
    case 0x0080: return u"BUTTON";
    case 0x0081: return u"EDIT";
    case 0x0082: return u"STATIC";
    case 0x0083: return u"LISTBOX";
    case 0x0084: return u"SCROLLBAR";
    case 0x0085: return u"COMBOBOX";
    default: return u"";
    }
}

}  // namespace platform
