// End-to-end on a 3840 x 2160 screen: the GUI drawn three times the 1280 x 720 design, its
// buttons hit where they are drawn, a settings switch that sticks, and F11 bringing a 1280 x 720
// window (in the middle of the screen) and full screen again without ending a trick under way.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "e2eHarness.h"

using namespace e2e;

namespace
{
const int kBig = 3; // the GUI scale of 3840 x 2160
const int kWinX = 1280, kWinY = 720;

// The design's 1280 x 720 picture inside a capture: every `step`-th pixel from (x0, y0).
TShot_s Design(const TShot_s& s, int x0, int y0, int step)
{
    TShot_s d;
    d.rgb.resize(size_t(d.width) * d.height * 3);
    for (int y = 0; y < d.height; ++y)
    {
        for (int x = 0; x < d.width; ++x)
        {
            const TRgb_s c = s.At(x0 + x * step + step / 2, y0 + y * step + step / 2);
            uint8_t* p = &d.rgb[(size_t(y) * d.width + x) * 3];
            p[0] = uint8_t(c.r), p[1] = uint8_t(c.g), p[2] = uint8_t(c.b);
        }
    }
    return d;
}

TShot_s FullScreen(const TShot_s& s)
{
    return Design(s, 0, 0, kBig);
}

TShot_s Window(const TShot_s& s)
{
    return Design(s, kWinX, kWinY, 1);
}

bool Green(const TRgb_s& c)
{
    return c.g > c.r + 40 && c.g > c.b + 20;
}

// Pixels of the green run through (x, y) along one axis.
int GreenRun(const TShot_s& s, int x, int y, int dx, int dy)
{
    int a = 0, b = 0;
    while (Green(s.At(x - (a + 1) * dx, y - (a + 1) * dy)))
    {
        ++a;
    }
    while (Green(s.At(x + (b + 1) * dx, y + (b + 1) * dy)))
    {
        ++b;
    }
    return a + b + 1;
}

// Click at a point of the 1280 x 720 design, on the full screen.
void ClickDesign(int x, int y)
{
    Click(x * kBig + 1, y * kBig + 1);
}

class LargeScreen : public SessionTest
{
protected:
    void SetUp() override
    {
        display.width = 3840;
        display.height = 2160;
        SessionTest::SetUp();
    }

    bool WaitFor(const std::function<bool(const TShot_s&)>& ready, double seconds)
    {
        return WaitForScreen(game, ready, seconds, shot);
    }
};
} // namespace

TEST_F(LargeScreen, TheMenuGrowsAndF11SwitchesToAWindowAndBackMidTrick)
{
    ASSERT_TRUE(game.Start(folder, {}, folder + "/output.txt"));
    ASSERT_TRUE(WaitFor([](const TShot_s& s) { return IsIntro(FullScreen(s)); }, 180))
        << "no intro menu at three times the design";
    Keep(shot, "intro");

    // The start button, 128 x 32 in the design, measured above its caption and through its
    // left end beside it; the smallest of a few captures, as a green card passing behind
    // would lengthen the run.
    int width = 1 << 20, height = 1 << 20;
    for (int i = 0; i < 6; ++i)
    {
        if (i > 0)
        {
            Pause(0.7);
            Grab(shot);
        }
        width = std::min(width, GreenRun(shot, 508 * kBig, 290 * kBig, 1, 0));
        height = std::min(height, GreenRun(shot, 508 * kBig, 302 * kBig, 0, 1));
    }
    std::printf("start button on 3840 x 2160: %d x %d pixels\n", width, height);
    EXPECT_GE(width, 2 * 128);
    EXPECT_GE(height, 2 * 32);

    // Settings: the music switch (third row), then back to the menu.
    ClickDesign(714, 382);
    ASSERT_TRUE(WaitFor(
        [](const TShot_s& s)
        {
            const TRgb_s c = FullScreen(s).Mean(805, 405, 2);
            return c.r > 170 && c.g > 170 && c.b > 170;
        },
        60))
        << "no settings dialog";
    ClickDesign(734, 302);
    Pause(2.0 * Slowness());
    Grab(shot);
    Keep(shot, "settings");
    ClickDesign(640, 546);
    ASSERT_TRUE(WaitFor([](const TShot_s& s) { return IsIntro(FullScreen(s)); }, 60));

    // Start, and the first click of the trick: the cards go to be gathered and dealt.
    ClickDesign(566, 302);
    ASSERT_TRUE(WaitFor([](const TShot_s& s) { return !IsIntro(FullScreen(s)); }, 60));
    ClickDesign(640, 500);
    MoveAway();
    Pause(1.0 * Slowness());
    Grab(shot);
    ASSERT_FALSE(RowsShown(FullScreen(shot), nullptr)) << "the rows came before F11";

    // F11: a 1280 x 720 window in the middle, where the deal goes on into the rows.
    Key("F11");
    std::vector<int> before, after;
    ASSERT_TRUE(WaitFor([&](const TShot_s& s) { return RowsShown(Window(s), &before); }, 180))
        << "no rows in the window";
    Keep(shot, "window-rows");
    const TRgb_s outside = shot.Mean(200, 200, 2);
    EXPECT_LT(outside.r + outside.g + outside.b, 30) << "the window does not leave the screen";

    // The trick answers a row in the window, once the deal has ended: the cards are gathered
    // and dealt again.
    const auto ready = RowsReady(&before);
    ASSERT_TRUE(WaitFor([&](const TShot_s& s) { return ready(Window(s)); }, 120))
        << "the deal in the window did not end";
    Click(kWinX + 640, kWinY + SlotY(10));
    MoveAway();
    ASSERT_TRUE(WaitFor([](const TShot_s& s) { return CardsInSlots(Window(s)) < 7; }, 60))
        << "the row click in the window was not taken";
    ASSERT_TRUE(WaitFor([&](const TShot_s& s) { return RowsShown(Window(s), &after); }, 180));
    EXPECT_NE(before, after) << "the cards were not dealt in a new order";

    // F11 again: full screen, the trick still on.
    Key("F11");
    ASSERT_TRUE(WaitFor([](const TShot_s& s) { return RowsShown(FullScreen(s), nullptr); }, 120))
        << "no rows after going back to full screen";
    Keep(shot, "fullscreen-rows");

    // Escape to the menu, Escape to quit: the music switch was saved off.
    Key("Escape");
    ASSERT_TRUE(WaitFor([](const TShot_s& s) { return IsIntro(FullScreen(s)); }, 60));
    Key("Escape");
    ASSERT_EQ(ExitStatus(60), 0);
    EXPECT_EQ(SavedSettings().music, 0);
}
