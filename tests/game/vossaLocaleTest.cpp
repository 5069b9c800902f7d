// The language of the player's system at the first start, and the settings file winning over it.
#include <gtest/gtest.h>

#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "krTestFiles.h"
#include "vossaGame.h"
#include "vossaLocale.h"

TEST(Locale, PreferredLocalesPickTheFirstLanguageTheGameHas)
{
    const struct
    {
        const char* language;
        const char* country;
        int32_t row;
    } cases[] = {{"pl", "PL", 1}, {"de", "DE", 2},   {"fr", "CA", 3}, {"pt", "BR", 6},
                 {"cs", "CZ", 7}, {"C", nullptr, 0}, {"xx", "YY", 0}, {"ES", nullptr, 4}};
    for (const auto& c : cases)
    {
        const SDL_Locale locales[2] = {{c.language, c.country}, {nullptr, nullptr}};
        EXPECT_EQ(LanguageFromLocales(locales), c.row) << c.language;
    }
    // None at all, and an unknown language before a known one.
    EXPECT_EQ(LanguageFromLocales(nullptr), 0);
    const SDL_Locale none[1] = {{nullptr, nullptr}};
    EXPECT_EQ(LanguageFromLocales(none), 0);
    const SDL_Locale list[3] = {{"xx", nullptr}, {"it", "IT"}, {nullptr, nullptr}};
    EXPECT_EQ(LanguageFromLocales(list), 5);
    // Country and encoding glued on; codes that only start like a known one.
    EXPECT_EQ(LanguageOfLocale("cs_CZ.UTF-8"), 7);
    EXPECT_EQ(LanguageOfLocale("pt-BR"), 6);
    EXPECT_EQ(LanguageOfLocale("deu"), -1);
    EXPECT_EQ(LanguageOfLocale("POSIX"), -1);
    EXPECT_EQ(LanguageOfLocale(""), -1);
}

namespace
{
class vossaLanguageProbe : public vossaGame
{
public:
    vossaLanguageProbe() : vossaGame(1280, 720, false) {}
    using vossaGame::language;
};
} // namespace

TEST(Locale, FirstStartTakesTheSystemsLanguageASettingsFileWins)
{
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof(cwd)), nullptr);
    const std::string dir = krTestTempDir();
    ASSERT_EQ(chdir(dir.c_str()), 0);
    // SDL reads the locale environment (LANG, then LANGUAGE) when asked.
    setenv("LANG", "de_DE.UTF-8", 1);
    setenv("LANGUAGE", "fr_FR:pl", 1);
    {
        vossaLanguageProbe first;
        EXPECT_EQ(first.language, 2);
        first.language = 0; // the player chose English
        first.WriteConfig();
    }
    {
        vossaLanguageProbe again;
        EXPECT_EQ(again.language, 0);
    }
    setenv("LANG", "C.UTF-8", 1);
    unsetenv("LANGUAGE");
    {
        // No file, no preferred language: English.
        std::remove("vossaconfig.bin");
        vossaLanguageProbe plain;
        EXPECT_EQ(plain.language, 0);
    }
    EXPECT_EQ(chdir(cwd), 0);
}
