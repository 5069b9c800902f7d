// vossaLocale: the language of the player's system, for the first start (before any settings
// file names one). SDL reports the preferred locales best first; the first whose language the
// game has wins, and English stands in when none does.
#pragma once

#include <cstdint>

struct SDL_Locale;

// The row of the language table for a locale's language ("pl", "de", "PT"; a country or
// encoding glued on, as in "pt_BR" or "cs_CZ.UTF-8", is ignored), or -1 when the game does
// not have it ("C", "POSIX", "xx", null, empty).
int32_t LanguageOfLocale(const char* language);

// The first row found among `locales` (SDL's array, ended by an entry with a null language;
// null itself means no locales), or 0 (English).
int32_t LanguageFromLocales(const SDL_Locale* locales);

// LanguageFromLocales over SDL_GetPreferredLocales; needs no SDL_Init.
int32_t PreferredLanguage();
