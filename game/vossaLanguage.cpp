// vossaLanguage: the language table and its guarded lookups.
#include "vossaLanguage.h"

const TLanguage_s LanguageTab[] = {
    {"English", "english"},
    {"Polski", "polski"},
    {nullptr, nullptr},
};

int32_t LanguageCount()
{
    int32_t count = 0;
    while (LanguageTab[count].name != nullptr)
    {
        ++count;
    }
    return count;
}

int32_t ValidLanguage(int32_t language)
{
    return language >= 0 && language < LanguageCount() ? language : 0;
}

int32_t NextLanguage(int32_t language)
{
    const int32_t next = ValidLanguage(language) + 1;
    return LanguageTab[next].name == nullptr ? 0 : next;
}

const char* LanguageName(int32_t language)
{
    return LanguageTab[ValidLanguage(language)].name;
}

const char* LanguageSuffix(int32_t language)
{
    return LanguageTab[ValidLanguage(language)].suffix;
}
