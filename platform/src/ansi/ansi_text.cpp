#include "ansi/ansi_text.h"

#include <algorithm>
#include <cstring>

#include "ce/resources.h"
#include "text_convert.h"

namespace platform {

AnsiArgument::AnsiArgument(LPCSTR text)
{
    if (text)
        wide_ = WideFromCp1252(std::string_view(text));
}

LPCWSTR AnsiArgument::get() const
{
    return wide_ ? wide_->c_str() : nullptr;
}

AnsiName::AnsiName(LPCSTR name) : text_(IS_INTRESOURCE(name) ? nullptr : name)
{
    if (IS_INTRESOURCE(name))
        number_ = reinterpret_cast<LPCWSTR>(name);
}

LPCWSTR AnsiName::get() const
{
    return text_.get() ? text_.get() : number_;
}

int CopyAnsi(const std::u16string& text, LPSTR buffer, int capacity)
{
    if (capacity <= 0)
        return 0;
    std::string narrow = Cp1252FromWide(text);
    size_t count = std::min(narrow.size(), static_cast<size_t>(capacity - 1));
    std::memcpy(buffer, narrow.data(), count);
    buffer[count] = '\0';
    return static_cast<int>(count);
}

}  // namespace platform
