// vossaLanguage: the table of the game's languages. Each row pairs the name shown on the
// language button with the suffix of the archive entries that hold the texts ("msg_english",
// "licenses_polski", ...) and the language's ISO 639-1 code, by which the player's system
// names it. A null row ends the table. Rows 0 and 1 stay English and Polish: settings files
// store the row.
#pragma once

#include <cstdint>

struct TLanguage_s
{
    const char* name;   // display name
    const char* suffix; // resource suffix
    const char* code;   // ISO 639-1 language code
};

// English, Polish, German, French, Spanish, Italian, Portuguese and Czech, then the null row.
extern const TLanguage_s LanguageTab[];

// Number of languages (rows before the null row).
int32_t LanguageCount();
// `language` when it names a row of the table, otherwise 0 (a damaged settings file must never
// index past the table).
int32_t ValidLanguage(int32_t language);
// The row after `language`, wrapping to 0.
int32_t NextLanguage(int32_t language);
// Display name and suffix of a row; out-of-table values read as row 0.
const char* LanguageName(int32_t language);
const char* LanguageSuffix(int32_t language);
