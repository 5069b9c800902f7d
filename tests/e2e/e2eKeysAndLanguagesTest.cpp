// End-to-end: a whole trick played with the keyboard alone; each language after English and
// Polish on its intro, about and settings screens, its index kept in the settings file across
// a restart; the first start in the language of the system.
#include <gtest/gtest.h>

#include <map>

#include "e2eHarness.h"

using namespace e2e;

namespace
{
// A settings file with every setting at its default but `language`.
std::vector<unsigned char> SettingsWithLanguage(int32_t language)
{
    TSettingsFile_s s;
    s.language = language;
    return SettingsBytes(s);
}

class KeysAndLanguages : public SessionTest
{
protected:
    // Escape on the intro menu or a dialog ends the program; the language it saved.
    int32_t QuitAndReadLanguage()
    {
        Key("Escape");
        EXPECT_EQ(ExitStatus(), 0);
        return SavedSettings().language;
    }
};
} // namespace

// Return starts, Space deals, the number keys (top row 1, bottom row 3; the keypad's in the
// second answer) answer, keypad Enter plays again: the followed card is revealed.
TEST_F(KeysAndLanguages, WholeTrickByKeyboardRevealsTheFollowedCard)
{
    ASSERT_TRUE(StartToIntro()) << "no intro menu";
    MoveAway();
    Key("Return");
    ASSERT_TRUE(WaitForScreen(
        game, [](const TShot_s& s) { return !IsIntro(s) && StripShown(s); }, 20, shot))
        << "Return did not start a game";
    Keep(shot, "started");
    const int face = 12;
    const char* keys[3][3] = {{"3", "2", "1"}, {"KP_3", "KP_2", "KP_1"}, {"3", "2", "1"}};
    ASSERT_NO_FATAL_FAILURE(FollowThroughTheAnswers(
        face, "", [&] { Key("space"); },
        [&](int choice, int slot) { Key(keys[choice - 1][slot / 7]); }));
    int revealed = -1;
    const bool shown = WaitForScreen(
        game, [&](const TShot_s& s) { return (revealed = LargeCardInMiddle(s)) >= 0; }, 120, shot);
    if (!shown)
    {
        Keep(shot, "no-reveal");
    }
    ASSERT_TRUE(shown) << "no card revealed";
    Keep(shot, "reveal");
    EXPECT_EQ(revealed, face);
    Key("KP_Enter");
    EXPECT_TRUE(WaitForScreen(
        game, [](const TShot_s& s) { return LargeCardInMiddle(s) < 0; }, 30, shot))
        << "Enter did not end the reveal";
    Keep(shot, "play-again");
    Key("Escape");
    ASSERT_TRUE(WaitForScreen(game, IsIntro, 30, shot));
    EXPECT_EQ(QuitAndReadLanguage(), 0);
}

// Each language after English and Polish from a settings file: the texts of its about,
// how-to and settings screens differ from those of the language before, and the file still
// names the language when the program has ended; the last one is started once more.
TEST_F(KeysAndLanguages, EveryLanguageShowsItsScreensAndKeepsItsIndex)
{
    const char* names[8] = {"english", "polski",   "deutsch",   "francais",
                            "espanol", "italiano", "portugues", "cestina"};
    TShot_s previous, previousAbout, previousHowTo;
    // The texts of a screen differ from those of the language before.
    auto expectNewTexts =
        [](const TShot_s& before, const TShot_s& now, int x, int y, int w, int h, const char* what)
    {
        if (before.Valid())
        {
            EXPECT_GT(TextChanged(before, now, x, y, w, h), 100)
                << what << ": the texts are those of the language before";
        }
    };
    for (int32_t language = 1; language < 8; ++language)
    {
        SCOPED_TRACE(names[language]);
        ASSERT_TRUE(WriteFile(folder + "/vossaconfig.bin", SettingsWithLanguage(language)));
        ASSERT_TRUE(StartToIntro()) << "no intro menu";
        MoveAway();
        Pause(0.5);
        Grab(shot);
        Keep(shot, std::string(names[language]) + "-intro");
        const std::string name = names[language];
        ASSERT_TRUE(OpenDialog(dAbout, name + "-about")) << "no about dialog";
        expectNewTexts(previousAbout, shot, 340, 140, 600, 60, "about");
        previousAbout = shot;
        ASSERT_TRUE(CloseDialog(dAbout)) << "about: no way back";
        ASSERT_TRUE(OpenDialog(dHowTo, name + "-howto")) << "no how-to dialog";
        expectNewTexts(previousHowTo, shot, 340, 180, 600, 150, "how-to");
        previousHowTo = shot;
        ASSERT_TRUE(CloseDialog(dHowTo)) << "how-to: no way back";
        ASSERT_TRUE(OpenDialog(dSettings, name + "-settings")) << "no settings dialog";
        expectNewTexts(previous, shot, 470, 155, 200, 250, "settings");
        previous = shot;
        EXPECT_EQ(QuitAndReadLanguage(), language);
    }
    ASSERT_TRUE(StartToIntro()) << "no intro menu";
    EXPECT_EQ(QuitAndReadLanguage(), 7);
}

// No settings file: the first start takes the system's language (LANG), and keeps it.
TEST_F(KeysAndLanguages, FirstStartSpeaksTheSystemsLanguage)
{
    ASSERT_TRUE(StartToIntro({"LANG=cs_CZ.UTF-8"})) << "no intro menu";
    Keep(shot, "first-start-cestina");
    EXPECT_EQ(QuitAndReadLanguage(), 7);
    // From now on the file decides, whatever the system says.
    ASSERT_TRUE(StartToIntro({"LANG=de_DE.UTF-8"})) << "no intro menu";
    EXPECT_EQ(QuitAndReadLanguage(), 7);
}

namespace
{
// Pixels of the focus ring's amber (brighter than any backdrop) around a 128 x 32 button whose
// top-left corner is at (x, y).
int RingPixels(const TShot_s& shot, int x, int y)
{
    int count = 0;
    for (int py = y - 6; py <= y + 38; ++py)
    {
        for (int px = x - 6; px <= x + 134; ++px)
        {
            const TRgb_s c = shot.At(px, py);
            count += c.r >= 240 && c.g >= 170 && c.g <= 210 && c.b <= 60 ? 1 : 0;
        }
    }
    return count;
}
} // namespace

// The keyboard alone, the pointer never used: Shift+Tab to the intro's last button, Return
// opens the settings on the language button, Space changes the language, Shift+Tab to the
// close button, Return back, Tab to Quit, Return ends; the file holds the new language.
TEST_F(KeysAndLanguages, KeyboardOnlyChangesTheLanguageThroughTheFocus)
{
    ASSERT_TRUE(WriteFile(folder + "/vossaconfig.bin", SettingsWithLanguage(0)));
    MoveAway();
    ASSERT_TRUE(StartToIntro()) << "no intro menu";
    EXPECT_LT(RingPixels(shot, 650, 366), 50) << "a ring before any key";
    auto ringAt = [](int x, int y)
    { return [x, y](const TShot_s& s) { return RingPixels(s, x, y) > 200; }; };

    Key("shift+Tab");
    const bool ring = WaitForScreen(game, ringAt(650, 366), 20, shot);
    Keep(shot, "ring-on-settings");
    ASSERT_TRUE(ring) << "no ring on Settings";
    Key("Return");
    ASSERT_TRUE(WaitForScreen(
        game,
        [](const TShot_s& s) { return PanelAt(s, 810, 160) && RingPixels(s, 670, 186) > 200; }, 20,
        shot))
        << "no settings dialog focused on its language button";
    Pause(0.5 * Slowness()); // its texts fade in
    Grab(shot);
    Keep(shot, "settings-english");
    const TShot_s english = shot;

    Key("space");
    ASSERT_TRUE(WaitForScreen(
        game, [&](const TShot_s& s) { return TextChanged(english, s, 470, 155, 200, 250) > 100; },
        20, shot))
        << "the language did not change";
    Keep(shot, "settings-polski");
    Key("shift+Tab");
    ASSERT_TRUE(WaitForScreen(game, ringAt(576, 530), 20, shot)) << "no ring on Close";
    Key("Return");
    ASSERT_TRUE(WaitForScreen(game, ringAt(502, 286), 20, shot)) << "not back on Start";
    Key("Tab");
    ASSERT_TRUE(WaitForScreen(game, ringAt(650, 286), 20, shot)) << "no ring on Quit";
    Keep(shot, "ring-on-quit");
    Key("Return");
    ASSERT_EQ(ExitStatus(), 0) << "Quit did not end the game";
    EXPECT_EQ(SavedSettings().language, 1);
}
