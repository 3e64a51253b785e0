// Which font file draws a face name at a weight.
#pragma once

#include <string>
#include <string_view>

namespace platform {

struct FontFile {
    std::string path;  // empty when the host has no font at all
    int index = 0;     // the face within a collection file
    bool bold = false;  // the file's own design is bold
};

// Fontconfig's choice for the family (Tahoma from Wine's fonts, others by
// fontconfig's substitutes); Tahoma's files themselves when fontconfig has
// nothing to offer.
FontFile MatchFontFile(std::u16string_view family, bool bold);

}  // namespace platform
