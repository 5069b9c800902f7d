// End-to-end: whole tricks played by the real program with real input, two games in a row
// with different picked cards, and a walk over every screen with the settings saved, checked
// byte by byte and applied again at the next start.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>

#include "e2eHarness.h"

using namespace e2e;

namespace
{
// Pixels of a rectangle that differ by more than `threshold` (sum over the channels).
int Changed(const TShot_s& a, const TShot_s& b, int x0, int y0, int w, int h, int threshold = 90)
{
    int n = 0;
    for (int y = y0; y < y0 + h; ++y)
    {
        for (int x = x0; x < x0 + w; ++x)
        {
            if (Distance(a.At(x, y), b.At(x, y)) > threshold)
            {
                ++n;
            }
        }
    }
    return n;
}

class WholeTrick : public SessionTest
{
protected:
    // Starts the program (with the GL object counter when asked and the build allows a
    // preloaded library) and waits for the intro menu, kept as "intro".
    bool StartToIntroKept(bool countGL)
    {
        std::vector<std::string> env;
        std::string preload;
        if (countGL && CountingGL())
        {
            env.push_back("VOSSA_GLCOUNT_FILE=" + folder + "/glcount.txt");
            preload = VOSSA_GL_COUNTER;
        }
        if (!StartToIntro(env, preload))
        {
            return false;
        }
        Keep(shot, "intro");
        return true;
    }

    // One game from the circle: pick `face`, answer three times, check the reveal and end it.
    void PlayOneGame(int face, int gameNumber)
    {
        const std::string tag = "game" + std::to_string(gameNumber);
        // After a reveal the cards fly back to the circle; a click deals once they are there.
        ASSERT_TRUE(WaitForCircleAtRest(90)) << tag << ": the circle did not come back";
        // The picked card goes round on the circle; a click anywhere below the strip deals, a
        // click on the row of the card answers.
        auto click = [&](int x, int y)
        {
            Click(x, y);
            MoveAway();
        };
        ASSERT_NO_FATAL_FAILURE(FollowThroughTheAnswers(
            face, tag + "-", [&] { click(640, 600); },
            [&](int, int slot) { click(640, SlotY(slot)); }));
        // The reveal: one card, large, in the middle of the screen.
        std::map<int, int> seen;
        int captures = 0;
        const auto deadline = Clock::now() + std::chrono::duration<double>(60 * Slowness());
        while (Clock::now() < deadline && seen[face] < 2 && game.Running())
        {
            if (Grab(shot))
            {
                if (++captures % 20 == 1)
                {
                    Keep(shot, tag + "-towards-reveal");
                }
                const int large = LargeCardInMiddle(shot);
                if (large >= 0)
                {
                    if (seen[large] == 0)
                    {
                        Keep(shot, tag + "-reveal-" + std::to_string(large));
                    }
                    ++seen[large];
                }
            }
            Pause(0.2);
        }
        int other = 0;
        for (const auto& s : seen)
        {
            if (s.first != face)
            {
                other += s.second;
            }
        }
        ASSERT_EQ(seen[face], 2) << tag << ": the picked card " << face << " was not revealed";
        EXPECT_EQ(other, 0) << tag << ": another card was shown large";
        // A click ends the reveal; the cards go back to the circle.
        Click(640, 600);
        MoveAway();
        EXPECT_TRUE(WaitForScreen(
            game, [](const TShot_s& s) { return LargeCardInMiddle(s) < 0; }, 20, shot))
            << tag << ": the click did not end the reveal";
    }

    // The program printed nothing: it prints only the sound error, which a working sound
    // driver does not cause (and, in the sanitizer build, the sanitizers' reports).
    void ExpectCleanOutput()
    {
        std::vector<unsigned char> bytes;
        ReadFile(folder + "/output.txt", bytes);
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "");
    }

    // Clicks the switch at (x, y) of the settings screen, which must act: its caption changes
    // (a quality change reloads every texture first, which a loaded machine can stretch to
    // seconds). The screen then is kept as `step` and returned.
    TShot_s ClickSwitch(int x, int y, const std::string& step)
    {
        Grab(shot);
        const TShot_s before = shot;
        Click(x, y);
        MoveAway();
        EXPECT_TRUE(WaitForScreen(
            game,
            [&](const TShot_s& s) { return Changed(before, s, x - 64, y - 16, 128, 32) > 30; }, 20,
            shot))
            << step << ": the switch did not act";
        Pause(0.5 * Slowness());
        Grab(shot);
        Keep(shot, step);
        return shot;
    }

    // The sanitizer runtime must be the first library of a program: no counter there.
    static bool CountingGL()
    {
#ifdef VOSSA_E2E_SANITIZED
        return false;
#else
        return true;
#endif
    }

    // Live GL buffers and textures as the counter last wrote them, once they have not changed
    // for a while (the screen is built). {-1, -1} without the counter.
    std::pair<long, long> LiveGLObjects()
    {
        if (!CountingGL())
        {
            return {-1, -1};
        }
        std::string last;
        for (int stable = 0, i = 0; stable < 4 && i < 100; ++i)
        {
            Pause(0.25);
            std::vector<unsigned char> bytes;
            ReadFile(folder + "/glcount.txt", bytes);
            const std::string now(bytes.begin(), bytes.end());
            stable = now == last ? stable + 1 : 0;
            last = now;
        }
        long buffers = -1, textures = -1, changes = 0;
        std::sscanf(last.c_str(), "%ld %ld %ld", &buffers, &textures, &changes);
        return {buffers, textures};
    }
};

// Games in a row without a restart, each with another picked card: two in the normal build
// (the live GL buffers and textures on the circle are the same after both), one under the
// sanitizers.
TEST_F(WholeTrick, GamesInARowRevealThePickedCards)
{
    ASSERT_TRUE(StartToIntroKept(true)) << "no intro menu";
    Click(566, 302);
    MoveAway();
    // The instruction strip (330, 10, 620 x 30) heads the game.
    ASSERT_TRUE(WaitForScreen(game, StripShown, 20, shot)) << "no instruction strip";
#ifdef VOSSA_E2E_SANITIZED
    const std::vector<int> picks = {9};
#else
    const std::vector<int> picks = {2, 16};
#endif
    std::vector<std::pair<long, long>> live;
    for (size_t g = 0; g < picks.size(); ++g)
    {
        PlayOneGame(picks[g], int(g) + 1);
        ASSERT_FALSE(HasFatalFailure());
        live.push_back(LiveGLObjects());
        if (CountingGL())
        {
            ASSERT_GT(live.back().first, 0) << "the GL counter reported nothing";
            ASSERT_GT(live.back().second, 0) << "the GL counter reported nothing";
        }
        std::printf("after game %zu: %ld buffers, %ld textures live\n", g + 1, live.back().first,
                    live.back().second);
    }
    for (size_t g = 1; g < live.size(); ++g)
    {
        EXPECT_EQ(live[g], live[0]) << "GL objects after game " << g + 1;
    }
    // Back on the circle: Escape to the intro, Escape again to quit.
    Key("Escape");
    ASSERT_TRUE(WaitForScreen(game, IsIntro, 30, shot));
    Keep(shot, "intro-again");
    Key("Escape");
    ASSERT_EQ(ExitStatus(), 0);
    ExpectCleanOutput();
    std::vector<unsigned char> settings;
    ASSERT_TRUE(ReadFile(folder + "/vossaconfig.bin", settings));
    EXPECT_EQ(settings.size(), 48u);
}

#ifndef VOSSA_E2E_SANITIZED
// Backdrop changes, quality toggles and language changes leave as many live GL buffers and
// textures as before.
TEST_F(WholeTrick, GLObjectsDoNotPileUp)
{
    ASSERT_TRUE(StartToIntroKept(true)) << "no intro menu";
    MoveAway();
    const std::pair<long, long> start = LiveGLObjects();
    ASSERT_GT(start.first, 0);
    ASSERT_GT(start.second, 0);
    std::printf("intro: %ld buffers, %ld textures live\n", start.first, start.second);
    // An even number, so that the quality toggles end where they began; a leak of even one
    // object a change shows after any number of them.
    const int kRounds = 4;

    for (int i = 0; i < kRounds; ++i)
    {
        Grab(shot);
        const TShot_s before = shot;
        // Both corners of a new random pair close to the old ones: about once in a million.
        DoubleClick(1250, 20);
        MoveAway();
        const bool changed = WaitForScreen(
            game,
            [&](const TShot_s& s)
            {
                return Distance(s.Mean(30, 600, 20), before.Mean(30, 600, 20)) > 20 ||
                       Distance(s.Mean(1250, 600, 20), before.Mean(1250, 600, 20)) > 20;
            },
            10, shot);
        EXPECT_TRUE(changed) << "backdrop change " << i + 1 << " not seen";
    }
    Keep(shot, "after-backdrops");
    EXPECT_EQ(LiveGLObjects(), start) << "after " << kRounds << " backdrop changes";

    ASSERT_TRUE(OpenDialog(dSettings, "settings"));
    const std::pair<long, long> settings = LiveGLObjects();
    for (int i = 0; i < kRounds; ++i)
    {
        ClickSwitch(734, 252, "quality");
        // The cards and clouds are rebuilt; count once the screen is back.
        LiveGLObjects();
    }
    Grab(shot);
    Keep(shot, "after-quality");
    EXPECT_EQ(LiveGLObjects(), settings) << "after " << kRounds << " quality toggles";
    for (int i = 0; i < kRounds; ++i)
    {
        ClickSwitch(734, 202, "language");
        LiveGLObjects();
    }
    Grab(shot);
    Keep(shot, "after-languages");
    EXPECT_EQ(LiveGLObjects(), settings) << "after " << kRounds << " language changes";
    ASSERT_TRUE(CloseDialog(dSettings));
    EXPECT_EQ(LiveGLObjects(), start) << "back on the intro menu";
    Key("Escape");
    ASSERT_EQ(ExitStatus(), 0);
    ExpectCleanOutput();
}
#endif

TEST_F(WholeTrick, EveryScreenAndTheSettingsOfTheNextStart)
{
    ASSERT_TRUE(StartToIntroKept(false)) << "no intro menu";
    MoveAway();
    Pause(0.5);
    ASSERT_TRUE(Grab(shot));
    const TShot_s englishIntro = shot;

    // About: the licence text follows a drag in the text viewer (340, 203, 600 x 200).
    ASSERT_TRUE(OpenDialog(dAbout, "about")) << "no about dialog";
    const TShot_s aboutBefore = shot;
    Shell("xdotool mousemove 640 380 sleep 0.2 mousedown 1 sleep 0.2 mousemove 640 360 sleep 0.1 "
          "mousemove 640 330 sleep 0.1 mousemove 640 300 sleep 0.1 mousemove 640 270 sleep 0.2 "
          "mouseup 1 sleep 0.2");
    MoveAway();
    Pause(1.0);
    Grab(shot);
    Keep(shot, "about-dragged");
    EXPECT_GT(TextChanged(aboutBefore, shot, 340, 203, 600, 200), 300)
        << "the licence text did not move with the drag";
    EXPECT_LT(TextChanged(aboutBefore, shot, 340, 140, 600, 50), 60)
        << "the labels above the viewer changed";
    ASSERT_TRUE(CloseDialog(dAbout)) << "about: no way back";

    // How-to and back.
    ASSERT_TRUE(OpenDialog(dHowTo, "howto")) << "no how-to dialog";
    EXPECT_GT(TextChanged(aboutBefore, shot, 340, 180, 600, 150), 300);
    ASSERT_TRUE(CloseDialog(dHowTo)) << "how-to: no way back";

    // Settings (panel 460, 150, 360 x 270): language to Polish, round to English, and to
    // Polish again;
    // quality, music and the instruction strip switched off.
    ASSERT_TRUE(OpenDialog(dSettings, "settings-english")) << "no settings dialog";
    const TShot_s settingsEnglish = shot;
    const TShot_s polish = ClickSwitch(734, 202, "settings-polish");
    EXPECT_GT(TextChanged(settingsEnglish, polish, 470, 155, 200, 250), 100)
        << "the settings labels did not change language";
    // Through the other six languages back to English.
    for (const char* language :
         {"deutsch", "francais", "espanol", "italiano", "portugues", "cestina"})
    {
        ClickSwitch(734, 202, std::string("settings-") + language);
    }
    const TShot_s english = ClickSwitch(734, 202, "settings-english-again");
    EXPECT_LT(TextChanged(settingsEnglish, english, 470, 155, 200, 250), 40)
        << "the English labels did not come back";
    const TShot_s polishAgain = ClickSwitch(734, 202, "settings-polish-again");
    EXPECT_LT(TextChanged(polish, polishAgain, 470, 155, 200, 250), 40);
    const TShot_s lowQuality = ClickSwitch(734, 252, "settings-quality-low");
    EXPECT_GT(Changed(polishAgain, lowQuality, 670, 236, 128, 32), 30)
        << "the quality caption did not change";
    const TShot_s musicOff = ClickSwitch(734, 302, "settings-music-off");
    EXPECT_GT(Changed(lowQuality, musicOff, 670, 286, 128, 32), 30)
        << "the music caption did not change";
    const TShot_s stripOff = ClickSwitch(734, 352, "settings-strip-off");
    EXPECT_GT(Changed(musicOff, stripOff, 670, 336, 128, 32), 30)
        << "the strip caption did not change";
    ASSERT_TRUE(CloseDialog(dSettings)) << "settings: no way back";
    Pause(0.5);
    Grab(shot);
    Keep(shot, "intro-polish");
    const TShot_s polishIntro = shot;
    EXPECT_GT(Changed(englishIntro, polishIntro, 510, 288, 112, 28), 30)
        << "the start button caption is not Polish";

    // The corner double click changes the backdrop (left edge, below the menu).
    Grab(shot);
    const TShot_s backdropBefore = shot;
    DoubleClick(1250, 20);
    MoveAway();
    ASSERT_TRUE(WaitForScreen(
        game,
        [&](const TShot_s& s)
        {
            return Distance(s.Mean(30, 600, 20), backdropBefore.Mean(30, 600, 20)) > 45 ||
                   Distance(s.Mean(1250, 600, 20), backdropBefore.Mean(1250, 600, 20)) > 45;
        },
        20, shot))
        << "the backdrop did not change";
    Pause(0.5);
    Grab(shot);
    Keep(shot, "backdrop-changed");
    const TShot_s newBackdrop = shot;

    // Volume keys: three strokes down and one up leave both volumes lower (saved below).
    for (const char* key : {"Down", "Down", "Down", "Up"})
    {
        Key(key);
    }

    // A game with the strip off: no strip; Escape while the cards are dealt flies back.
    Click(566, 302);
    MoveAway();
    ASSERT_TRUE(WaitForScreen(
        game, [](const TShot_s& s) { return !IsIntro(s); }, 20, shot));
    Keep(shot, "game-without-strip");
    EXPECT_FALSE(StripShown(shot)) << "the strip is shown";
    Click(640, 600);
    MoveAway();
    ASSERT_TRUE(WaitForScreen(
        game, [](const TShot_s& s) { return CardsInSlots(s) > 14; }, 40, shot))
        << "the click did not deal";
    Keep(shot, "dealing");
    Key("Escape");
    ASSERT_TRUE(WaitForScreen(game, IsIntro, 40, shot)) << "Escape in flight: no intro";
    Keep(shot, "escaped-to-intro");
    ASSERT_TRUE(game.Running());
    Key("Escape");
    ASSERT_EQ(ExitStatus(), 0);
    ExpectCleanOutput();

    std::vector<unsigned char> bytes;
    ASSERT_TRUE(ReadFile(folder + "/vossaconfig.bin", bytes));
    TSettingsFile_s saved;
    ASSERT_TRUE(ParseSettings(bytes, &saved));
    EXPECT_EQ(saved.colours[3], 1.0f);
    EXPECT_EQ(saved.colours[7], 1.0f);
    // Colours other than those of a first start.
    EXPECT_NE(std::memcmp(saved.colours, TSettingsFile_s().colours, sizeof(saved.colours)), 0)
        << "the new backdrop colours were not saved";
    for (int i : {0, 1, 2, 4, 5, 6})
    {
        EXPECT_GE(saved.colours[i], 0.0f);
        EXPECT_LE(saved.colours[i], 1.0f);
    }
    EXPECT_EQ(saved.language, 1);
    EXPECT_EQ(saved.quality, 0);
    EXPECT_EQ(saved.music, 0);
    EXPECT_EQ(saved.strip, 0);
    EXPECT_EQ(saved.options, 0);
    EXPECT_LT(saved.musicVolume, 64);
    EXPECT_GT(saved.musicVolume, 0);
    EXPECT_EQ(saved.soundVolume, saved.musicVolume);

    // The next start applies them: Polish captions, the new backdrop, no strip in a game.
    ASSERT_TRUE(StartToIntro()) << "second start: no intro menu";
    MoveAway();
    Pause(0.5);
    Grab(shot);
    Keep(shot, "second-start");
    EXPECT_LT(Changed(polishIntro, shot, 510, 288, 112, 28), 15) << "captions not Polish";
    EXPECT_GT(Changed(englishIntro, shot, 510, 288, 112, 28), 30) << "captions still English";
    // Clouds drift over the backdrop: the best of four places away from the menu.
    EXPECT_LT(std::min({Distance(shot.Mean(30, 600, 20), newBackdrop.Mean(30, 600, 20)),
                        Distance(shot.Mean(1250, 600, 20), newBackdrop.Mean(1250, 600, 20)),
                        Distance(shot.Mean(30, 450, 20), newBackdrop.Mean(30, 450, 20)),
                        Distance(shot.Mean(1250, 450, 20), newBackdrop.Mean(1250, 450, 20))}),
              30)
        << "the saved backdrop was not applied";
    Click(566, 302);
    MoveAway();
    ASSERT_TRUE(WaitForScreen(
        game, [](const TShot_s& s) { return !IsIntro(s); }, 20, shot));
    Pause(1.0);
    Grab(shot);
    Keep(shot, "second-game-without-strip");
    EXPECT_FALSE(StripShown(shot)) << "the strip is shown";
    Key("Escape");
    ASSERT_TRUE(WaitForScreen(game, IsIntro, 20, shot));
    Key("Escape");
    ASSERT_EQ(ExitStatus(), 0);
    ExpectCleanOutput();
    std::vector<unsigned char> again;
    ASSERT_TRUE(ReadFile(folder + "/vossaconfig.bin", again));
    EXPECT_EQ(again, bytes) << "an unchanged run changed the settings";
}
} // namespace
