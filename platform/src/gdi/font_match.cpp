#include "font_match.h"

#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include "text_convert.h"

namespace platform {
namespace {

const char kWineFontFolder[] = "/usr/share/wine/fonts";
const char kTahoma[] = "/usr/share/wine/fonts/tahoma.ttf";
const char kTahomaBold[] = "/usr/share/wine/fonts/tahomabd.ttf";

// Wine's folder is not on fontconfig's usual path, so the process adds it
// once; a host without fontconfig configuration gets no config at all.
FcConfig* Config()
{
    static FcConfig* config = [] {
        FcConfig* loaded = FcInitLoadConfigAndFonts();
        if (loaded && access(kWineFontFolder, R_OK) == 0)
            FcConfigAppFontAddDir(loaded, reinterpret_cast<const FcChar8*>(kWineFontFolder));
        return loaded;
    }();
    return config;
}

bool Readable(const char* path) { return access(path, R_OK) == 0; }

FontFile FallbackFile(bool bold)
{
    if (bold && Readable(kTahomaBold))
        return FontFile{kTahomaBold, 0, true};
    if (Readable(kTahoma))
        return FontFile{kTahoma, 0, false};
    return FontFile{};
}

FontFile Matched(FcConfig* config, const std::string& family, bool bold)
{
    FcPattern* pattern = FcPatternCreate();
    if (!pattern)
        return FontFile{};
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    // Bitmap-only faces (Wine's .fon files among them) cannot take every size.
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    FcPatternDestroy(pattern);
    FontFile file;
    if (!match)
        return file;
    FcChar8* path = nullptr;
    int index = 0;
    int weight = FC_WEIGHT_REGULAR;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path) {
        file.path = reinterpret_cast<const char*>(path);
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch)
            file.index = index;
        if (FcPatternGetInteger(match, FC_WEIGHT, 0, &weight) == FcResultMatch)
            file.bold = weight >= FC_WEIGHT_DEMIBOLD;
    }
    FcPatternDestroy(match);
    return file;
}

}  // namespace

FontFile MatchFontFile(std::u16string_view family, bool bold)
{
    FcConfig* config = Config();
    std::string name = family.empty() ? std::string("Tahoma") : Utf8FromUtf16(family);
    FontFile file = config ? Matched(config, name, bold) : FontFile{};
    if (file.path.empty() || !Readable(file.path.c_str()))
        return FallbackFile(bold);
    return file;
}

}  // namespace platform
