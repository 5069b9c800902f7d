// End-to-end: the real program keeps up with a fast mouse. A burst of pointer motion made just
// before a click on Start (what a 1000 Hz mouse sends in a second and a half) must not hold the
// click back behind it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "e2eHarness.h"

using namespace e2e;

namespace
{
class FastMouse : public SessionTest
{
protected:
    void SetUp() override
    {
        colourCards = false;
        SessionTest::SetUp();
    }
};

TEST_F(FastMouse, AClickAfterABurstOfMotionStartsTheGame)
{
    ASSERT_TRUE(StartToIntro()) << "no intro menu";
    Keep(shot, "intro");

    // 1500 moves back and forth below the menu in one xdotool run, then the click on Start.
    std::string command = "xdotool";
    for (int i = 0; i < 1500; ++i)
    {
        command +=
            " mousemove " + std::to_string(300 + i % 400) + " " + std::to_string(600 + i % 2);
    }
    command += " mousemove 566 302 sleep 0.1 click 1";
    ASSERT_TRUE(Shell(command));
    MoveAway();

    // The intro menu goes and the instruction strip (330, 10, 620 x 30) heads the game. A
    // program that takes one event per frame needs the motions' worth of frames first (25 s
    // at a full 60 frames per second); the wait is generous beside the few frames it takes.
    const bool started = WaitForScreen(
        game, [](const TShot_s& s) { return !IsIntro(s) && StripShown(s); }, 20, shot);
    Keep(shot, started ? "game" : "still-waiting");
    EXPECT_TRUE(started) << "the click on Start was not acted on";
}
} // namespace
