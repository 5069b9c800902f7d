// vossaLanguage: the language table and its guarded lookups.
#include "vossaLanguage.h"

const TLanguage_s LanguageTab[] = {
    {"English", "english", "en"},          {"Polski", "polski", "pl"},
    {"Deutsch", "deutsch", "de"},          {"Fran\u00e7ais", "francais", "fr"},
    {"Espa\u00f1ol", "espanol", "es"},     {"Italiano", "italiano", "it"},
    {"Portugu\u00eas", "portugues", "pt"}, {"\u010ce\u0161tina", "cestina", "cs"},
    {nullptr, nullptr, nullptr},
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
