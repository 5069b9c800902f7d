// Tests of the game under the shell's real main loop, on a clock the test moves: a deal takes
// its designed update steps at any frame rate, a redraw for a new window size moves nothing,
// and a frame drawn between two update steps shows the cards and the camera between them.
#include <gtest/gtest.h>

#include <SDL.h>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <unistd.h>

#include "app/krFrameClock.h"
#include "gui/krGUIManager.h"
#include "gui/krGUIObject.h"
#include "krTestFiles.h"
#include "krTestGL.h"
#include "render/krGeometry.h"
#include "render/krVertexArray.h"
#include "vossaGame.h"
#include "vossaTestArchive.h"

namespace
{
class vossaLoopProbe : public vossaGame
{
public:
    vossaLoopProbe() : vossaGame(1280, 720, false) {}

    using vossaGame::BeginBlend;
    using vossaGame::cards;
    using vossaGame::dealCount;
    using vossaGame::drawnCamPosition;
    using vossaGame::EndBlend;
    using vossaGame::gameState;
    using vossaGame::mixerFrame;

    // The clock moves by `frameSeconds` for every frame drawn; the loop ends on the first
    // step that finds the game in `stopState`.
    struct TClock : krFrameClock
    {
        double now = 0.0;
        double Now() override { return now; }
        void Sleep(double seconds) override { now += seconds > 0 ? seconds : 0; }
    } clock;
    double frameSeconds = 1.0 / 60;
    TGameState stopState = gsChoice;
    int steps = 0;
    int frames = 0;
    double stopTime = 0.0;

    void OnUpdate() override
    {
        vossaGame::OnUpdate();
        ++steps;
        // A trick that never gets there still ends the loop.
        if (gameState == stopState || steps == 600)
        {
            stopTime = clock.now;
            EndMainLoop();
        }
    }
    void Render() override
    {
        vossaGame::Render();
        ++frames;
        clock.now += frameSeconds;
    }
};

class GameLoopTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (std::getenv("DISPLAY") == nullptr)
        {
            GTEST_SKIP() << "needs an X display";
        }
        setenv("LANG", "C.UTF-8", 1);
        char cwd[4096];
        ASSERT_NE(getcwd(cwd, sizeof(cwd)), nullptr);
        oldDir = cwd;
        ASSERT_EQ(chdir(krTestTempDir().c_str()), 0);
        ASSERT_TRUE(WriteTestArchive("vossadata.bin"));
        game = new vossaLoopProbe();
        game->SetFrameClock(&game->clock);
        ASSERT_TRUE(game->Init());
        krPinGLDriver();
    }

    void TearDown() override
    {
        if (game != nullptr)
        {
            game->OnBeforeClose();
            delete game;
        }
        if (!oldDir.empty())
        {
            EXPECT_EQ(chdir(oldDir.c_str()), 0);
        }
    }

    // Start button, then the first answer: the cards gather from the circle.
    void StartFirstGather()
    {
        krGUIManager* gui = game->GetGUIManager();
        for (uint64_t i = 0; i < gui->GetControlCount(); ++i)
        {
            if (gui->GetControl(i)->GetID() == ciStart)
            {
                game->OnGUIClick(gui->GetControl(i));
                break;
            }
        }
        ASSERT_EQ(game->gameState, gsMindSelect);
        game->OnLMBUp(640, 360);
        ASSERT_EQ(game->gameState, gsGoToMixer);
    }

    void RunLoop()
    {
        SDL_SetEventFilter(krKeepOutWindowSystem, nullptr);
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        game->Run(0, nullptr);
        SDL_SetEventFilter(nullptr, nullptr);
    }

    std::string oldDir;
    vossaLoopProbe* game = nullptr;
};

} // namespace

// The first gather and deal are 121 + 61 steps: at 20 frames a second they take the same steps
// and the same time as at 60, in a third of the frames.
TEST_F(GameLoopTest, ADealTakesItsStepsAtTwentyFramesASecondAsAtSixty)
{
    StartFirstGather();
    game->frameSeconds = 1.0 / 20;
    RunLoop();
    EXPECT_EQ(game->steps, 121 + 61);
    // The clock when the last step ran: the steps' time, rounded up to a whole frame.
    EXPECT_GE(game->stopTime, 182.0 / 60 - 1e-9);
    EXPECT_LT(game->stopTime, 182.0 / 60 + 1.0 / 20);
    EXPECT_NEAR(game->frames, 182 / 3, 2);
}

// A redraw for a new window size draws the trick where it stands.
TEST_F(GameLoopTest, ARedrawForANewSizeMovesNothing)
{
    StartFirstGather();
    for (int i = 0; i < 30; ++i)
    {
        game->OnUpdate();
    }
    const int32_t frame = game->mixerFrame;
    float card[3], camera[3];
    game->cards->GetVertexArray(4)->GetCenter(card);
    game->GetCamPosition(camera);
    game->OnResizeWindow(1000, 600);
    game->Refresh();
    EXPECT_EQ(game->mixerFrame, frame);
    EXPECT_EQ(game->gameState, gsGoToMixer);
    float cardAfter[3], cameraAfter[3];
    game->cards->GetVertexArray(4)->GetCenter(cardAfter);
    game->GetCamPosition(cameraAfter);
    for (int k = 0; k < 3; ++k)
    {
        EXPECT_EQ(cardAfter[k], card[k]);
        EXPECT_EQ(cameraAfter[k], camera[k]);
    }
}

// Halfway between two update steps a card and the camera are drawn halfway between their two
// poses; after drawing they are back at the last step's.
TEST_F(GameLoopTest, HalfwayBetweenTwoStepsTheCardIsDrawnHalfway)
{
    StartFirstGather();
    game->OnUpdate();
    krVertexArray* box = game->cards->GetVertexArray(7);
    float before[3], cameraBefore[3];
    box->GetCenter(before);
    game->GetCamPosition(cameraBefore);
    game->OnUpdate();
    float after[3], cameraAfter[3];
    box->GetCenter(after);
    game->GetCamPosition(cameraAfter);
    ASSERT_GT(std::abs(after[0] - before[0]) + std::abs(after[2] - before[2]), 0.01f);

    game->BeginBlend(0.5f);
    float drawn[3];
    box->GetCenter(drawn);
    for (int k = 0; k < 3; ++k)
    {
        EXPECT_NEAR(drawn[k], (before[k] + after[k]) / 2, 1e-4) << "axis " << k;
        EXPECT_NEAR(game->drawnCamPosition[k], (cameraBefore[k] + cameraAfter[k]) / 2, 1e-4);
    }
    game->EndBlend();
    box->GetCenter(drawn);
    for (int k = 0; k < 3; ++k)
    {
        EXPECT_EQ(drawn[k], after[k]);
    }
}

// A whole game through the game's own input hooks and update steps: every change of state
// is the one the transition table gives for what happened (no path of the game bypasses it).
TEST_F(GameLoopTest, EveryStateChangeOfAGameIsTheTablesAnswerToWhatHappened)
{
    int changes = 0;
    auto act = [&](TTrigger trigger, const std::function<void()>& input)
    {
        const TGameState from = game->gameState;
        const int32_t deals = game->dealCount;
        input();
        if (game->gameState != from)
        {
            ++changes;
            EXPECT_EQ(game->gameState, NextState(from, trigger, deals))
                << "from " << from << " by trigger " << trigger;
        }
    };
    StartFirstGather();
    bool revealed = false;
    for (int step = 0; step < 3000; ++step)
    {
        if (revealed && game->gameState == gsMindSelect)
        {
            break;
        }
        if (game->gameState == gsChoice)
        {
            act(trRowClick, [&] { game->OnLMBUp(640, 360); });
        }
        if (game->gameState == gsPresentation && step % 200 == 0)
        {
            revealed = true;
            act(trRowClick, [&] { game->OnLMBUp(640, 360); });
        }
        act(trAnimationEnd, [&] { game->OnUpdate(); });
        ASSERT_FALSE(HasFatalFailure());
    }
    ASSERT_TRUE(revealed);
    EXPECT_EQ(game->gameState, gsMindSelect);
    // The first deal's 2 (its answer came before), two more deals of 3, the reveal's 2 and the
    // return's 2.
    EXPECT_EQ(changes, 12);
    // Escape on the circle returns to the menu at once; a game and Escape in the rows flies.
    act(trEscape, [&] { game->OnKeyUp(SDLK_ESCAPE); });
    EXPECT_EQ(game->gameState, gsIntro);
    StartFirstGather();
    act(trEscape, [&] { game->OnKeyUp(SDLK_ESCAPE); });
    EXPECT_EQ(game->gameState, gsGoToIntro);
}
