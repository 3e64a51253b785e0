#include "setup/desktop/languages.h"

#include "setup/desktop/resource_ids.h"

namespace {

constexpr Language kLanguages[kLanguageCount] = {
    {0, IDB_FLAG_ENGLISH, IDC_FLAG_ENGLISH},  {300, IDB_FLAG_FRENCH, IDC_FLAG_FRENCH},
    {600, IDB_FLAG_GERMAN, IDC_FLAG_GERMAN},  {900, IDB_FLAG_ITALIAN, IDC_FLAG_ITALIAN},
    {1200, IDB_FLAG_SPANISH, IDC_FLAG_SPANISH},
};

}  // namespace

const Language& LanguageAt(int number)
{
    return kLanguages[number >= 0 && number < kLanguageCount ? number : kEnglish];
}

int LanguageOffset(int number)
{
    return LanguageAt(number).offset;
}

int LanguageOfFlag(int controlId)
{
    for (int number = 0; number < kLanguageCount; ++number) {
        if (kLanguages[number].flagControl == controlId)
            return number;
    }
    return -1;
}
