// End-to-end: what the player hears and the window the player shapes. The music recorded by
// SDL's `disk` audio driver follows the volume keys (arrows and media keys) and the music
// switch; the Quit button ends the program; a window resized by the player keeps its menu
// inside and working.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "e2eHarness.h"

using namespace e2e;

namespace
{
class PlayerControls : public SessionTest
{
protected:
    void SetUp() override
    {
        colourCards = false;
        SessionTest::SetUp();
        sound = folder + "/sound.raw";
    }

    // Starts the program with its sound recorded to `sound` and waits for the intro menu.
    bool StartRecorded()
    {
        return StartToIntro({"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + sound});
    }

    // Mean size of the 16-bit samples of the last half second recorded (the mixer's stereo
    // at 44100 Hz), or -1 before that much was recorded.
    double Loudness()
    {
        std::vector<unsigned char> bytes;
        ReadFile(sound, bytes);
        const size_t span = 44100 * 4 / 2;
        if (bytes.size() < span)
        {
            return -1;
        }
        double sum = 0;
        for (size_t i = (bytes.size() & ~size_t(1)) - span; i + 1 < bytes.size(); i += 2)
        {
            int16_t sample;
            std::memcpy(&sample, &bytes[i], 2);
            sum += std::abs(int(sample));
        }
        return sum / double(span / 2);
    }

    // Waits until the recording's last half second is silent (`silent`) or plays.
    bool WaitForSound(bool silent)
    {
        const auto deadline = Clock::now() + std::chrono::duration<double>(15 * Slowness());
        while (Clock::now() < deadline && game.Running())
        {
            const double level = Loudness();
            if (level >= 0 && (silent ? level == 0 : level > 20))
            {
                return true;
            }
            Pause(0.2);
        }
        std::printf("loudness at the end of the wait: %.1f\n", Loudness());
        return false;
    }

    std::string sound;
};
} // namespace

// The music plays at the start; enough strokes of the down arrow and the media key silence it,
// one stroke of the media key up brings it back, and the Quit button ends the program with
// both volumes saved alike.
TEST_F(PlayerControls, VolumeKeysChangeWhatPlaysAndQuitEnds)
{
    ASSERT_TRUE(StartRecorded()) << "no intro menu";
    EXPECT_TRUE(WaitForSound(false)) << "no music at the start";
    std::string strokes = "xdotool key --delay 40";
    for (int i = 0; i < 20; ++i)
    {
        strokes += " Down XF86AudioLowerVolume";
    }
    ASSERT_TRUE(Shell(strokes));
    EXPECT_TRUE(WaitForSound(true)) << "the volume keys did not silence the music";
    Key("XF86AudioRaiseVolume");
    EXPECT_TRUE(WaitForSound(false)) << "the media key did not bring the music back";

    MoveAway();
    ASSERT_TRUE(WaitForScreen(game, IsIntro, 20, shot));
    Click(714, 302);
    ASSERT_EQ(ExitStatus(), 0) << "Quit did not end the program";
    const TSettingsFile_s saved = SavedSettings();
    EXPECT_GT(saved.musicVolume, 0);
    EXPECT_LT(saved.musicVolume, 64);
    EXPECT_EQ(saved.soundVolume, saved.musicVolume);
}

// With the music switched off in the settings file nothing plays; the switch on the settings
// screen starts it.
TEST_F(PlayerControls, MusicSwitchedOffIsSilentUntilSwitchedOn)
{
    TSettingsFile_s settings;
    const float colours[8] = {0.9f, 0.6f, 0.1f, 1.0f, 0.1f, 0.4f, 0.7f, 1.0f};
    std::memcpy(settings.colours, colours, sizeof(colours));
    settings.music = 0;
    ASSERT_TRUE(WriteFile(folder + "/vossaconfig.bin", SettingsBytes(settings)));
    ASSERT_TRUE(StartRecorded()) << "no intro menu";
    // A second and a half of the menu, all of it silent.
    Pause(1.5 * Slowness());
    std::vector<unsigned char> recorded;
    ASSERT_TRUE(ReadFile(sound, recorded));
    ASSERT_GT(recorded.size(), 44100u * 4u);
    EXPECT_TRUE(
        std::all_of(recorded.begin(), recorded.end(), [](unsigned char b) { return b == 0; }))
        << "music plays while switched off";

    ASSERT_TRUE(OpenDialog(dSettings, "settings")) << "no settings dialog";
    Click(734, 302);
    MoveAway();
    EXPECT_TRUE(WaitForSound(false)) << "the music switch did not start the music";
    Key("Escape");
    ASSERT_EQ(ExitStatus(), 0);
    EXPECT_EQ(SavedSettings().music, 1);
}

namespace
{
bool Green(const TRgb_s& c)
{
    return c.g > c.r + 40 && c.g > c.b + 20;
}

bool Red(const TRgb_s& c)
{
    return c.r > c.g + 60 && c.r > c.b + 60;
}

// The middle of the start button inside the rectangle: a green run of at least `minRun` pixels
// with a red run (the quit button) beside it on the same line. False when there is none.
bool FindStartButton(const TShot_s& s, int x0, int y0, int w, int h, int minRun, int* cx, int* cy)
{
    for (int y = y0; y < y0 + h; y += 2)
    {
        for (int x = x0; x < x0 + w;)
        {
            int green = 0;
            while (x + green < x0 + w && Green(s.At(x + green, y)))
            {
                ++green;
            }
            if (green >= minRun)
            {
                int red = 0;
                for (int rx = x + green; rx < x + green + 4 * minRun && rx < x0 + w; ++rx)
                {
                    red = Red(s.At(rx, y)) ? red + 1 : red;
                }
                if (red >= minRun / 2)
                {
                    *cx = x + green / 2;
                    *cy = y;
                    return true;
                }
            }
            x += green + 1;
        }
    }
    return false;
}

class ResizedWindow : public PlayerControls
{
protected:
    void SetUp() override
    {
        display.width = 1920;
        display.height = 1080;
        PlayerControls::SetUp();
    }
};
} // namespace

// F11 gives a 1280 x 720 window in the middle of the screen; the player makes it 960 x 540: the
// menu is drawn inside the smaller window and its start button starts a game where it shows.
TEST_F(ResizedWindow, TheMenuFitsAndWorksInAWindowMadeSmaller)
{
    ASSERT_TRUE(game.Start(folder, {}, folder + "/output.txt"));
    int x = 0, y = 0;
    ASSERT_TRUE(WaitForScreen(
        game, [&](const TShot_s& s) { return FindStartButton(s, 0, 0, 1920, 1080, 100, &x, &y); },
        90, shot))
        << "no menu on the full screen";
    Key("F11");
    const int wx = (1920 - 1280) / 2, wy = (1080 - 720) / 2;
    ASSERT_TRUE(WaitForScreen(
        game,
        [&](const TShot_s& s)
        {
            const TRgb_s outside = s.Mean(100, 100, 2);
            return outside.r + outside.g + outside.b < 30 &&
                   FindStartButton(s, wx, wy, 1280, 720, 100, &x, &y);
        },
        60, shot))
        << "no menu in a 1280 x 720 window";
    Keep(shot, "window");
    const std::string window =
        Capture("xdotool search --pid " + std::to_string(game.pid) + " 2>/dev/null | tail -n 1");
    ASSERT_FALSE(window.empty()) << "the game's window not found";
    ASSERT_TRUE(Shell("xdotool windowsize " + window.substr(0, window.find('\n')) + " 960 540"));
    // The menu laid out anew inside the new bounds: the start button left of their middle,
    // as it stands left of the middle of every screen.
    ASSERT_TRUE(WaitForScreen(
        game,
        [&](const TShot_s& s)
        {
            const TRgb_s beyond = s.Mean(wx + 1100, wy + 620, 2);
            return beyond.r + beyond.g + beyond.b < 30 &&
                   FindStartButton(s, wx, wy, 960, 540, 40, &x, &y) && x < wx + 480;
        },
        60, shot))
        << "no menu laid out for the window made smaller";
    Keep(shot, "window-smaller");
    Click(x, y);
    MoveAway();
    EXPECT_TRUE(WaitForScreen(
        game, [&](const TShot_s& s) { return !FindStartButton(s, wx, wy, 960, 540, 40, &x, &y); },
        20, shot))
        << "the start button did not start a game where it showed";
    Keep(shot, "started");
    ASSERT_TRUE(game.Running());
    Key("Escape");
    EXPECT_TRUE(WaitForScreen(
        game, [&](const TShot_s& s) { return FindStartButton(s, wx, wy, 960, 540, 40, &x, &y); },
        30, shot));
    Key("Escape");
    ASSERT_EQ(ExitStatus(), 0);
}
