// End-to-end: the game keeps its designed speed when the machine draws slowly. Every buffer
// swap of the real program is made 45 ms slower by a preloaded library, as on a driver that
// manages about 20 frames a second: the first deal still reaches its rows in about the time
// it takes at full speed, while far fewer frames are drawn on the way.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "e2eHarness.h"

using namespace e2e;

namespace
{
struct TDeal_s
{
    double seconds = 0.0;         // from the answer to the rows on screen
    double framesPerSecond = 0.0; // swaps over that time
};

int64_t Nanoseconds(Clock::time_point t)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
}

class SlowDriver : public SessionTest
{
protected:
    // Polls the screen every 50 ms until it shows the rows; `when` is the moment the
    // capture that first showed them began, so that the time a capture takes on a loaded
    // machine is not counted as part of the deal.
    bool TimeRows(Clock::time_point& when)
    {
        const auto deadline = Clock::now() + std::chrono::duration<double>(60 * Slowness());
        while (Clock::now() < deadline && game.Running())
        {
            const Clock::time_point began = Clock::now();
            if (Grab(shot) && RowsShown(shot, nullptr))
            {
                when = began;
                return true;
            }
            Pause(0.05);
        }
        return false;
    }

    // Starts the program with swaps slowed by `slowMs`, starts a game and gives the first
    // answer once the cards turn on their circle; measures until the rows are shown.
    void PlayFirstDeal(int slowMs, const std::string& tag, TDeal_s& deal)
    {
        const std::string log = folder + "/swaps-" + tag + ".txt";
        const std::vector<std::string> env = {"KR_SWAP_LOG=" + log,
                                              "KR_SLOW_SWAP_MS=" + std::to_string(slowMs)};
        ASSERT_TRUE(game.Start(folder, env, folder + "/output-" + tag + ".txt", VOSSA_SLOW_SWAP));
        ASSERT_TRUE(WaitForScreen(game, IsIntro, 90, shot)) << "no intro menu";
        Click(566, 302);
        MoveAway();
        ASSERT_TRUE(WaitForScreen(
            game, [](const TShot_s& s) { return !IsIntro(s) && StripShown(s); }, 30, shot))
            << "the game did not start";
        Keep(shot, tag + "-circle");

        Click(640, 360);
        const Clock::time_point answered = Clock::now();
        Clock::time_point rows;
        ASSERT_TRUE(TimeRows(rows)) << "no rows after the answer";
        Keep(shot, tag + "-rows");
        game.Kill();

        deal.seconds = std::chrono::duration<double>(rows - answered).count();
        std::ifstream swaps(log);
        int64_t stamp = 0;
        int frames = 0;
        while (swaps >> stamp)
        {
            frames += stamp >= Nanoseconds(answered) && stamp <= Nanoseconds(rows);
        }
        deal.framesPerSecond = frames / deal.seconds;
    }
};

TEST_F(SlowDriver, TheDealTakesItsDesignedTimeWhileTheFrameRateFalls)
{
    TDeal_s full, slow;
    PlayFirstDeal(0, "full", full);
    ASSERT_FALSE(HasFatalFailure());
    PlayFirstDeal(45, "slowed", slow);
    ASSERT_FALSE(HasFatalFailure());
    std::printf("answer to rows: %.2f s at %.1f frames/s; swaps slowed: %.2f s at %.1f frames/s\n",
                full.seconds, full.framesPerSecond, slow.seconds, slow.framesPerSecond);
    // 121 steps of gathering, then the cards close on the rows: more than two seconds.
    EXPECT_GT(full.seconds, 2.0);
    EXPECT_NEAR(slow.seconds, full.seconds, full.seconds / 4)
        << "frames " << full.framesPerSecond << " and " << slow.framesPerSecond << " a second";
    // The slowed program drew about a third of the deal's 182 steps in frames, or fewer: a
    // game that moved a step a frame would have taken three times as long. (How its rate
    // compares with the full-speed run's depends on the machine's own load, so that is not
    // compared.)
    EXPECT_LT(slow.framesPerSecond * slow.seconds, 182.0 / 3 + 5);
}
} // namespace
