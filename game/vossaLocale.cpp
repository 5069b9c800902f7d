// vossaLocale: picks the language row from SDL's preferred locales.
#include "vossaLocale.h"

#include <SDL.h>
#include <cctype>

#include "vossaLanguage.h"

int32_t LanguageOfLocale(const char* language)
{
    if (language == nullptr)
    {
        return -1;
    }
    // The language part: letters up to '_', '-', '.' or '@'.
    char code[4] = {0, 0, 0, 0};
    size_t n = 0;
    for (; language[n] != '\0' && language[n] != '_' && language[n] != '-' && language[n] != '.' &&
           language[n] != '@';
         ++n)
    {
        if (n >= 3 || !std::isalpha(static_cast<unsigned char>(language[n])))
        {
            return -1;
        }
        code[n] = static_cast<char>(std::tolower(static_cast<unsigned char>(language[n])));
    }
    for (int32_t row = 0; row < LanguageCount(); ++row)
    {
        if (SDL_strcmp(code, LanguageTab[row].code) == 0)
        {
            return row;
        }
    }
    return -1;
}

int32_t LanguageFromLocales(const SDL_Locale* locales)
{
    for (const SDL_Locale* l = locales; l != nullptr && l->language != nullptr; ++l)
    {
        const int32_t row = LanguageOfLocale(l->language);
        if (row >= 0)
        {
            return row;
        }
    }
    return 0;
}

int32_t PreferredLanguage()
{
    SDL_Locale* locales = SDL_GetPreferredLocales();
    const int32_t row = LanguageFromLocales(locales);
    SDL_free(locales);
    return row;
}
