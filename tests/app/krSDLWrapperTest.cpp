// Shell tests that need no running main loop: the input operations called directly, the
// camera, and start-up failures (which end before the logo).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "krScopedEnv.h"
#include "krTestShell.h"

namespace
{
// The double-click window counts from the last release, which starts at tick 0; keep the
// process clock clear of it, as the three-second logo does in the program.
void LeaveStartUpWindow()
{
    while (SDL_GetTicks() < 250)
    {
        SDL_Delay(10);
    }
}
} // namespace

TEST(krShellInputTest, CameraStartsAtHomeAndIsCopiedInAndOut)
{
    krTestShell shell(640, 360);
    // The position and the angles, as copied out.
    auto camera = [&shell]()
    {
        float p[3] = {9, 9, 9}, a[3] = {9, 9, 9};
        shell.GetCamPosition(p);
        shell.GetCamAngle(a);
        return std::vector<float>{p[0], p[1], p[2], a[0], a[1], a[2]};
    };
    EXPECT_EQ(camera(), (std::vector<float>{0, 0, 11, 0, 0, 0}));
    float position[3] = {1, 2, 3}, angle[3] = {-34.7f, 22.2f, 5};
    shell.SetCamPosition(position);
    shell.SetCamAngle(angle);
    position[0] = angle[0] = 100; // copies were taken
    EXPECT_EQ(camera(), (std::vector<float>{1, 2, 3, -34.7f, 22.2f, 5}));
    EXPECT_EQ(shell.GetGUIManager(), nullptr);
}

TEST(krShellInputTest, WheelStepIsAHundredthOfTheNewDistance)
{
    krTestShell shell(640, 360);
    EXPECT_FLOAT_EQ(shell.WheelStep(), 2.0f);
    shell.MouseWheelUp();
    float pos[3];
    shell.GetCamPosition(pos);
    EXPECT_FLOAT_EQ(pos[2], 9.0f);
    EXPECT_FLOAT_EQ(shell.WheelStep(), 0.09f);
    shell.MouseWheelDown();
    shell.GetCamPosition(pos);
    EXPECT_FLOAT_EQ(pos[2], 9.09f);
    EXPECT_FLOAT_EQ(shell.WheelStep(), 0.0909f);
}

TEST(krShellInputTest, PointerMovesReachTheHookOnlyWhenThePositionChanges)
{
    krTestShell shell(640, 360);
    shell.MouseXY(0, 0); // the same as the start position
    EXPECT_TRUE(shell.log.empty());
    shell.MouseXY(10, 4);
    shell.MouseXY(10, 4);
    shell.MouseXY(7, 9);
    ASSERT_EQ(shell.log.size(), 2u);
    EXPECT_EQ(shell.log[0], "0:MouseMotion(10,4,-10,-4)");
    EXPECT_EQ(shell.log[1], "0:MouseMotion(7,9,3,-5)");
    // Drag deltas: previous minus new, scaled by the camera distance over 9.05.
    EXPECT_FLOAT_EQ(shell.DragDeltaX(), static_cast<float>(3 * 11.0f / 9.05));
    EXPECT_FLOAT_EQ(shell.DragDeltaY(), static_cast<float>(-5 * 11.0f / 9.05));
}

TEST(krShellInputTest, DoubleClickSwallowsThePressAndItsRelease)
{
    LeaveStartUpWindow();
    krTestShell shell(640, 360);
    shell.SetMouse(30, 40);
    shell.LMBUp(); // no press before: ignored
    EXPECT_TRUE(shell.log.empty());

    shell.LMBDown();
    EXPECT_TRUE(shell.LeftButtonDown());
    shell.LMBUp();
    shell.LMBDown(); // at once: a double click
    EXPECT_FALSE(shell.LeftButtonDown());
    shell.LMBUp();   // its release is ignored
    shell.LMBDown(); // the window was reset: an ordinary press
    EXPECT_TRUE(shell.LeftButtonDown());
    shell.LMBUp();
    SDL_Delay(250);
    shell.LMBDown(); // well after the last release: ordinary
    EXPECT_TRUE(shell.LeftButtonDown());
    shell.LMBUp();

    const std::vector<std::string> expected = {"0:LMBUp(30,40)", "0:DblClick", "0:LMBUp(30,40)",
                                               "0:LMBUp(30,40)"};
    EXPECT_EQ(shell.log, expected);
}

TEST(krShellInputTest, ButtonsAndMouseLeave)
{
    krTestShell shell(640, 360);
    shell.RMBDown();
    EXPECT_TRUE(shell.RightButtonDown());
    shell.RMBUp();
    EXPECT_FALSE(shell.RightButtonDown());
    LeaveStartUpWindow();
    shell.LMBDown();
    shell.RMBDown();
    shell.OnMouseLeave();
    EXPECT_FALSE(shell.LeftButtonDown());
    EXPECT_FALSE(shell.RightButtonDown());
    shell.LMBUp(); // the release after leaving is ignored
    EXPECT_TRUE(shell.log.empty());
}

// Without OpenGL in the video driver the window cannot be created: Init fails cleanly,
// prints nothing, and the destructor copes with the half-done start-up.
TEST(krShellInitTest, FailsCleanlyWithoutAWindow)
{
    krScopedEnv video("SDL_VIDEODRIVER", "dummy");
    krTestShell* shell = new krTestShell(640, 360);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(shell->Init());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(shell->Window(), nullptr);
    EXPECT_EQ(shell->GetGUIManager(), nullptr);
    EXPECT_EQ(shell->Run(0, nullptr), 0); // no loop without a window
    EXPECT_TRUE(shell->log.empty());
    delete shell;
}

TEST(krShellInitTest, ReportsAnAudioDeviceThatCannotOpen)
{
    krScopedEnv audio("SDL_AUDIODRIVER", "disk");
    krScopedEnv file("SDL_DISKAUDIOFILE", "/nonexistent-folder/out.raw");
    krScopedEnv video("SDL_VIDEODRIVER", "dummy");
    krTestShell shell(640, 360);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(shell.Init());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error: Unable to init sound.\n");
}

TEST(krShellInitTest, OnBeforeInitCanStopStartUp)
{
    if (!getenv("DISPLAY"))
    {
        GTEST_SKIP() << "needs an X display";
    }
    krTestShell shell(320, 200);
    shell.failBeforeInit = true;
    EXPECT_FALSE(shell.Init());
    EXPECT_NE(shell.Window(), nullptr);
    EXPECT_EQ(shell.GetGUIManager(), nullptr); // stopped before the GUI and the logo
    EXPECT_EQ(shell.FrameCount(), 0);
    EXPECT_EQ(GlobalScreenWidth, 320);
    EXPECT_EQ(GlobalScreenHeight, 200);
}
