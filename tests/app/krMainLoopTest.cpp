// Shell tests with a real window on the (virtual) display: the start-up state and the logo
// on screen, and the main loop fed with events pushed into SDL's queue. Start-up shows the
// logo for three seconds, so the suite shares one initialised shell.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "data/krMemoryBlock.h"
#include "gui/krEngineLogo.h"
#include "gui/krGUIManager.h"
#include "gui/krGUIObject.h"
#include "krTestGL.h"
#include "krTestShell.h"
#include "krTestTGA.h"

// Last: the window-system header brings Xlib's macros with it.
#include <SDL_syswm.h>

namespace
{
const int kWidth = 640;
const int kHeight = 360;
} // namespace

class krMainLoopTest : public ::testing::Test
{
protected:
    static krTestShell* shell;
    // Key presses of the start-up that were still queued when Init returned.
    static int keysLeftByLogo;

    static void SetUpTestSuite()
    {
        if (!getenv("DISPLAY"))
        {
            return;
        }
        shell = new krTestShell(kWidth, kHeight);
        // More key presses than the logo has ticks: the logo is drawn whatever the window
        // system sends, and none of them may be left for the main loop.
        shell->logoEvents = 300;
        if (!shell->Init())
        {
            ADD_FAILURE() << "Init failed: " << SDL_GetError();
            delete shell;
            shell = nullptr;
            return;
        }
        SDL_PumpEvents();
        keysLeftByLogo = SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_KEYDOWN, SDL_KEYUP);
    }

    static void TearDownTestSuite()
    {
        delete shell;
        shell = nullptr;
    }

    void SetUp() override
    {
        if (!shell)
        {
            GTEST_SKIP() << "needs an X display";
        }
        shell->ClearRecords();
        shell->UseTestClock(nullptr);
        shell->dealSteps = 0;
        shell->quitAtRender = 0;
        shell->clearOnGUIClick = false;
        shell->ForgetClicks();
        shell->GetGUIManager()->Clear();
    }

    // The pointer at (x, y) and the log emptied: where a test's input starts.
    void PointerAt(int x, int y)
    {
        shell->MouseXY(x, y);
        shell->log.clear();
    }
    // A control of ID `id` on the shell's screen at (left, top), 100 x 50.
    void AddControl(uint32_t id, int left = 400, int top = 10)
    {
        shell->GetGUIManager()->AppendControl(new krGUIObject(id, left, top, 100, 50));
    }

    // Runs the loop on the test's own clock, afresh at 0, moving `perFrame` seconds a frame.
    void UseClock(double perFrame)
    {
        clock = krTestClock();
        clock.perFrame = perFrame;
        shell->UseTestClock(&clock);
    }
    krTestClock clock;

    // The log without the pointer motions.
    static std::vector<std::string> WithoutMotions(std::vector<std::string> log)
    {
        auto motion = [](const std::string& entry)
        { return entry.find("MouseMotion") != std::string::npos; };
        log.erase(std::remove_if(log.begin(), log.end(), motion), log.end());
        return log;
    }
};

krTestShell* krMainLoopTest::shell = nullptr;
int krMainLoopTest::keysLeftByLogo = -1;

namespace
{
// Queues `events` from SDL's timer thread after `ms` milliseconds: input that arrives while
// the loop is paused and draws nothing.
struct TLater_s
{
    std::vector<SDL_Event> events;
};

Uint32 QueueLater(Uint32, void* param)
{
    for (const SDL_Event& event : static_cast<TLater_s*>(param)->events)
    {
        krQueueEvent(event);
    }
    return 0;
}

// One finger tap at window pixel (px, py) as SDL 2.26 reports it with its touch-to-mouse
// synthesis on: a motion (only when the position changes) and press of the touch mouse before
// the finger's own press, the touch mouse's release before the finger's release, 40 ms later.
void AddTap(std::vector<SDL_Event>& events, int px, int py, Uint32 ticks, Uint8 clicks, bool moved)
{
    if (moved)
    {
        events.push_back(krMotionEvent(px, py));
        events.back().motion.timestamp = ticks;
        events.back().motion.which = SDL_TOUCH_MOUSEID;
    }
    for (Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_FINGERDOWN, SDL_MOUSEBUTTONUP, SDL_FINGERUP})
    {
        const Uint32 when =
            type == SDL_MOUSEBUTTONDOWN || type == SDL_FINGERDOWN ? ticks : ticks + 40;
        SDL_Event e;
        if (type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP)
        {
            e = krButtonEvent(type, SDL_BUTTON_LEFT, when);
            e.button.which = SDL_TOUCH_MOUSEID;
            e.button.clicks = clicks;
            e.button.x = px;
            e.button.y = py;
        }
        else
        {
            e = krFingerEvent(type, static_cast<float>(px) / kWidth,
                              static_cast<float>(py) / kHeight);
            e.tfinger.timestamp = when;
            e.tfinger.touchId = 1;
            e.tfinger.pressure = 1;
        }
        events.push_back(e);
    }
}
} // namespace

TEST_F(krMainLoopTest, StartUpShowsTheLogoCentredOnBlack)
{
    EXPECT_EQ(GlobalScreenWidth, kWidth);
    EXPECT_EQ(GlobalScreenHeight, kHeight);
    EXPECT_EQ(shell->GetWidth(), kWidth);
    EXPECT_FLOAT_EQ(shell->GetAspect(), static_cast<float>(kWidth) / kHeight);
    EXPECT_EQ(shell->FrameCount(), 180); // the logo's ticks
    EXPECT_EQ(keysLeftByLogo, 0);        // the logo dropped its whole backlog
    ASSERT_NE(shell->GetGUIManager(), nullptr);
    EXPECT_TRUE(shell->log.empty() || shell->log[0].find("Render") == std::string::npos);

    krMemoryBlock view;
    view.data = const_cast<uint8_t*>(krEngineLogo);
    view.size = krEngineLogo_size;
    krMemoryBlock* tga = krDecrunchMemoryBlock(&view);
    ASSERT_NE(tga, nullptr);
    TTestImage_s logo;
    ASSERT_TRUE(krTestDecodeTGA(tga->data, tga->size, logo));
    krFreeMemoryBlock(tga);

    // Every window pixel is the logo blended over black inside the centred rectangle, and
    // black outside it (RGB rows from the bottom up, as read back).
    const int left = (kWidth - 256) / 2, top = (kHeight - 64) / 2;
    std::vector<uint8_t> expected(kWidth * kHeight * 3, 0);
    for (int y = 0; y < 64; y++)
    {
        for (int x = 0; x < 256; x++)
        {
            const uint8_t* q = &logo.rgba[(y * 256 + x) * 4];
            uint8_t* p = &expected[((kHeight - 1 - top - y) * kWidth + left + x) * 3];
            for (int c = 0; c < 3; c++)
            {
                p[c] = static_cast<uint8_t>((q[c] * q[3] + 127) / 255);
            }
        }
    }
    const std::vector<uint8_t>& screen = shell->screenAfterLogo;
    ASSERT_EQ(screen.size(), expected.size());
    EXPECT_LE(krLargestDifference(screen, expected), 6);
    int lit = 0;
    for (size_t i = 0; i < screen.size(); i += 3)
    {
        lit += screen[i] + screen[i + 1] + screen[i + 2] > 300;
    }
    EXPECT_GT(lit, 300); // the logo was really drawn
}

TEST_F(krMainLoopTest, InitGLAndPilotViewSetTheMatrices)
{
    shell->InitGL();
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], kWidth);
    EXPECT_EQ(viewport[3], kHeight);
    EXPECT_EQ(krGLInteger(GL_MATRIX_MODE), GL_MODELVIEW);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));

    // A 60-degree vertical field of view, near 0.1, far 100.
    GLdouble p[16];
    glGetDoublev(GL_PROJECTION_MATRIX, p);
    const double aspect = static_cast<double>(kWidth) / kHeight;
    EXPECT_NEAR(p[5], 1.0 / tan(M_PI / 6), 1e-5);
    EXPECT_NEAR(p[0], p[5] / aspect, 1e-5);
    EXPECT_NEAR(p[10], -(100 + 0.1) / (100 - 0.1), 1e-5);
    EXPECT_NEAR(p[14], -2 * 100 * 0.1 / (100 - 0.1), 1e-5);
    EXPECT_EQ(p[11], -1);

    // Roll about z, pitch about x, turn about z, then the translation.
    float position[3] = {1, 2, 3};
    float angle[3] = {10, 22.2f, -34.7f};
    glLoadIdentity();
    shell->PilotView(position, angle);
    GLdouble m[16], expected[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    glLoadIdentity();
    glRotated(10, 0, 0, 1);
    glRotated(-34.7, 1, 0, 0);
    glRotated(22.2, 0, 0, 1);
    glTranslated(-1, -2, -3);
    glGetDoublev(GL_MODELVIEW_MATRIX, expected);
    for (int i = 0; i < 16; i++)
    {
        EXPECT_NEAR(m[i], expected[i], 1e-4) << "element " << i;
    }
    glLoadIdentity();
}

TEST_F(krMainLoopTest, EveryWaitingEventReachesItsHooksInOrder)
{
    AddControl(7);
    PointerAt(300, 300);
    float home[3] = {0, 0, 11};
    shell->SetCamPosition(home);
    const float step = shell->WheelStep();

    const SDL_Keycode back = SDLK_AC_BACK;
    krRunEvents(*shell, {
                            krKeyEvent(SDL_KEYDOWN, SDLK_a),
                            krKeyEvent(SDL_KEYUP, SDLK_a),
                            krKeyEvent(SDL_KEYDOWN, SDLK_ESCAPE),
                            krKeyEvent(SDL_KEYDOWN, SDLK_ESCAPE), // auto-repeat
                            krKeyEvent(SDL_KEYUP, SDLK_ESCAPE),
                            krKeyEvent(SDL_KEYDOWN, back),
                            krKeyEvent(SDL_KEYUP, back),
                            krMotionEvent(310, 305),
                            krMotionEvent(310, 305), // no move
                            krWheelEvent(1),
                            krWheelEvent(-1),
                            krMotionEvent(420, 20), // over the control
                            krButtonEvent(SDL_MOUSEBUTTONDOWN, 1),
                            krButtonEvent(SDL_MOUSEBUTTONUP, 1),   // a GUI click
                            krButtonEvent(SDL_MOUSEBUTTONDOWN, 1), // double click
                            krButtonEvent(SDL_MOUSEBUTTONUP, 1),   // ignored
                            krButtonEvent(SDL_MOUSEBUTTONDOWN, 1), // ordinary again
                            krButtonEvent(SDL_MOUSEBUTTONUP, 1),
                            krButtonEvent(SDL_MOUSEBUTTONDOWN, 3),       // right button
                            krWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), // nothing
                        });
    const std::string a = std::to_string(SDLK_a), esc = std::to_string(SDLK_ESCAPE),
                      ac = std::to_string(back);
    const std::vector<std::string> expected = {
        "0:KeyDown(" + a + ")",
        "0:KeyUp(" + a + ")", // every press also counts as a release...
        "0:KeyUp(" + a + ")",
        "0:KeyDown(" + esc + ")", // ...except Escape and AC Back
        "0:KeyDown(" + esc + ")",
        "0:KeyUp(" + esc + ")",
        "0:KeyDown(" + ac + ")",
        "0:KeyUp(" + ac + ")",
        "0:MouseMotion(310,305,-10,-5)",
        "0:MouseMotion(420,20,-110,285)",
        "0:LMBUp(420,20)",
        "0:DblClick",
        "0:LMBUp(420,20)",
        "1:GUIClick(7)", // delivered first thing in the next frame
        "1:GUIClick(7)",
        "2:BeforeClose",
    };
    EXPECT_EQ(shell->log, expected);
    EXPECT_EQ(shell->FrameCount(), 2);
    EXPECT_EQ(shell->renders, 2);
    EXPECT_TRUE(shell->RightButtonDown());

    float pos[3];
    shell->GetCamPosition(pos);
    const float up = 11 - step;
    EXPECT_FLOAT_EQ(pos[2], up + up / 100);

    shell->RMBUp();
}

// A burst of pointer motion (a fast mouse) arrives while the loop runs, then a click on a
// control; later another burst and a key stroke. Neither waits behind the motions, and the
// hooks keep their order. Events that a hook queues wait for the next frame.
TEST_F(krMainLoopTest, AClickOrKeyIsNotHeldBackByABurstOfMotion)
{
    AddControl(7);
    PointerAt(0, 0);
    for (int burst : {1, 3})
    {
        for (int i = 0; i < 1000; i++)
        {
            shell->script.insert({burst, krMotionEvent(100 + i % 200, 200 + i % 3)});
        }
    }
    shell->Script(1, {krMotionEvent(420, 20)});
    shell->Script(1, krLeftClick());
    shell->Script(3, {krKeyEvent(SDL_KEYDOWN, SDLK_a), krKeyEvent(SDL_KEYUP, SDLK_a)});
    shell->keyEchoes = 2;
    krRunEvents(*shell, {}, 5);

    const std::string a = std::to_string(SDLK_a);
    const std::vector<std::string> expected = {
        "2:LMBUp(420,20)",      "3:GUIClick(7)",
        "4:KeyDown(" + a + ")", // the burst's key stroke
        "4:KeyUp(" + a + ")",   "4:KeyUp(" + a + ")",
        "5:KeyDown(" + a + ")", // queued by the hook in frame 4
        "5:KeyUp(" + a + ")",   "6:KeyDown(" + a + ")", "6:KeyUp(" + a + ")", "7:BeforeClose",
    };
    EXPECT_EQ(WithoutMotions(shell->log), expected);
    EXPECT_EQ(shell->renders, 7);
}

// One release over two overlapping controls queues two clicks; the loop takes them at the start
// of the next turn, and a handler that switches screens drops the click of the control it
// deleted, while a click queued after the switch still comes.
TEST_F(krMainLoopTest, ClicksAreTakenNextTurnAndAScreenSwitchDropsTheStaleOnes)
{
    AddControl(7);
    AddControl(8, 420, 20);
    PointerAt(0, 0);
    shell->clearOnGUIClick = true;
    krRunEvents(*shell, {krMotionEvent(450, 30), krButtonEvent(SDL_MOUSEBUTTONDOWN, 1),
                         krButtonEvent(SDL_MOUSEBUTTONUP, 1)});
    const std::vector<std::string> expected = {"0:MouseMotion(450,30,-450,-30)", "0:LMBUp(450,30)",
                                               "1:GUIClick(7)", "1:GUIClick(0)", "2:BeforeClose"};
    EXPECT_EQ(shell->log, expected);
    EXPECT_EQ(shell->GetGUIManager()->GetControlCount(), 0u);
}

// What SDL sends for a tap on a touch screen: the touch mouse's events and the finger's.
TEST_F(krMainLoopTest, ATapIsOneClickAndADoubleTapOneDoubleClick)
{
    AddControl(7);
    PointerAt(0, 0);
    const Uint32 t = SDL_GetTicks();
    std::vector<SDL_Event> events;
    AddTap(events, 450, 36, t, 1, true);         // a tap
    AddTap(events, 450, 36, t + 1000, 1, false); // a double tap a second later
    AddTap(events, 450, 36, t + 1000 + 120, 2, false);
    krRunEvents(*shell, events);
    const std::vector<std::string> expected = {
        "0:MouseMotion(450,36,-450,-36)",
        "0:LMBUp(450,36)",
        "0:LMBUp(450,36)",
        "0:DblClick",
        "1:GUIClick(7)",
        "1:GUIClick(7)",
        "2:BeforeClose",
    };
    EXPECT_EQ(shell->log, expected);
    EXPECT_FALSE(shell->LeftButtonDown());
}

namespace
{
// The X server's message for a button event, stamped `serverTime` by the server and fetched
// by SDL at `fetched`; `storage` must live until the event is queued.
SDL_Event ServerButton(bool press, Uint32 serverTime, Uint32 fetched, SDL_SysWMmsg& storage)
{
    storage = {};
    SDL_VERSION(&storage.version);
    storage.subsystem = SDL_SYSWM_X11;
    storage.msg.x11.event.type = press ? ButtonPress : ButtonRelease;
    storage.msg.x11.event.xbutton.button = 1;
    storage.msg.x11.event.xbutton.time = serverTime;
    SDL_Event event = {};
    event.type = SDL_SYSWMEVENT;
    event.syswm.timestamp = fetched;
    event.syswm.msg = &storage;
    return event;
}
} // namespace

// The double click is judged by when the presses and releases happened: slow frames between
// them do not matter, nor, with the X server's stamps, when SDL fetched them.
TEST_F(krMainLoopTest, DoubleClicksAreTimedByTheEvents)
{
    PointerAt(100, 100);
    const Uint32 t = SDL_GetTicks();
    shell->Script(0, krLeftClick(t, t + 50));
    shell->stalls[1] = 400;
    shell->Script(1, krLeftClick(t + 200, t + 210)); // 150 ms on
    shell->Script(2, krLeftClick(t + 1000, t + 1050));
    shell->stalls[3] = 400;
    shell->Script(3, krLeftClick(t + 1300, t + 1310)); // 250 ms on
    // Fetched 400 ms apart, stamped 150 ms apart by the server.
    SDL_SysWMmsg messages[4];
    const Uint32 fetched[4] = {t + 2000, t + 2000, t + 2400, t + 2400};
    const Uint32 server[4] = {5000, 5040, 5190, 5200};
    for (int i = 0; i < 4; i++)
    {
        const bool press = i % 2 == 0;
        const int frame = i < 2 ? 4 : 5;
        shell->script.insert({frame, ServerButton(press, server[i], fetched[i], messages[i])});
        shell->script.insert(
            {frame, krButtonEvent(press ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP, 1, fetched[i])});
    }
    shell->stalls[5] = 400;
    krRunEvents(*shell, {}, 6);
    const std::vector<std::string> expected = {
        "1:LMBUp(100,100)", "2:DblClick", "3:LMBUp(100,100)", "4:LMBUp(100,100)",
        "5:LMBUp(100,100)", "6:DblClick", "8:BeforeClose",
    };
    EXPECT_EQ(shell->log, expected);
}

TEST_F(krMainLoopTest, FingersActAsTheLeftButton)
{
    PointerAt(0, 0);
    krRunEvents(*shell, {
                            krFingerEvent(SDL_FINGERDOWN, 0.25f, 0.25f),
                            // x * 640 and y * 360 are just below 321 and 183: in float they
                            // would round up to them.
                            krFingerEvent(SDL_FINGERMOTION, 0.501562476f, 0.508333325f),
                            krFingerEvent(SDL_FINGERUP, 0.25f, 0.999f),
                        });
    const std::vector<std::string> expected = {
        "0:MouseMotion(160,90,-160,-90)",
        "0:MouseMotion(320,182,-160,-92)",
        "0:MouseMotion(160,359,160,-177)", // truncated toward zero
        "0:LMBUp(160,359)",
        "2:BeforeClose",
    };
    EXPECT_EQ(shell->log, expected);
}

// Input is kept away while paused; a pause neither steps nor draws, an expose redraws the
// frozen scene without a step, and no time of the pause is caught up after it.
TEST_F(krMainLoopTest, APauseStepsNothingAndItsTimeIsNotCaughtUp)
{
    UseClock(1.0 / 60);
    shell->quitAtRender = 4;
    // Focus coming back, exposure and showing do not end the pause; maximising does.
    TLater_s maximise{{krWindowEvent(SDL_WINDOWEVENT_MAXIMIZED)}};
    SDL_TimerID timer = SDL_AddTimer(100, QueueLater, &maximise);
    ASSERT_NE(timer, 0);
    krRunEvents(*shell,
                {
                    krWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST),
                    krWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED),
                    krWindowEvent(SDL_WINDOWEVENT_EXPOSED),
                    krWindowEvent(SDL_WINDOWEVENT_SHOWN),
                },
                krQuitByTest);
    ASSERT_EQ(shell->log.size(), 3u);
    EXPECT_EQ(shell->log[0], "0:LostFocus");
    // The expose's redraw, then four frames from the resumed one on (the fourth queues the
    // quit that the fifth turn takes).
    ASSERT_EQ(shell->drawnFrames.size(), 5u);
    EXPECT_EQ(shell->drawnFrames[0], 0);
    // Turns went on while paused (each sleeping a frame's time), without drawing.
    const int resumed = shell->drawnFrames[1];
    EXPECT_GT(resumed, 5);
    EXPECT_EQ(shell->log[1], std::to_string(resumed) + ":SetFocus");
    EXPECT_EQ(shell->log[2], std::to_string(shell->drawnFrames[4] + 1) + ":BeforeClose");
    // No step before the pause ended, and after it one per frame's time, not a burst.
    ASSERT_FALSE(shell->stepsInFrame.empty());
    EXPECT_GE(shell->stepsInFrame.begin()->first, resumed);
    EXPECT_LE(shell->updates, 4);

    // Minimised, then restored in the same turn: that turn draws.
    shell->ClearRecords();
    shell->quitAtRender = 0;
    krRunEvents(*shell, {krWindowEvent(SDL_WINDOWEVENT_MINIMIZED),
                         krWindowEvent(SDL_WINDOWEVENT_RESTORED)});
    const std::vector<std::string> expected = {"0:LostFocus", "0:SetFocus", "2:BeforeClose"};
    EXPECT_EQ(shell->log, expected);
    EXPECT_EQ(shell->drawnFrames, (std::vector<int>{0, 1}));
}

TEST_F(krMainLoopTest, ResizeRedrawsAtOnceWithoutAStepAndKeepsTheAspect)
{
    UseClock(1.0 / 60);
    krRunEvents(*shell,
                {krWindowEvent(SDL_WINDOWEVENT_RESIZED, 800, 500),
                 krWindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 800, 500),
                 krWindowEvent(SDL_WINDOWEVENT_EXPOSED)},
                2);
    EXPECT_EQ(shell->log, (std::vector<std::string>{"0:Resize(800,500)", "4:BeforeClose"}));
    // The extra frame drawn at once, without a step; then the turn's steps for the time that
    // redraw took, and its own frame. The turn that takes the quit steps no more.
    EXPECT_EQ(shell->drawnFrames, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(shell->updatesAtRender, (std::vector<int>{0, 1, 2, 2}));
    // The new size wherever it is kept: the globals, the shell, the GUI and the viewport.
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    const krGUIManager* gui = shell->GetGUIManager();
    EXPECT_EQ((std::vector<int>{GlobalScreenWidth, GlobalScreenHeight, shell->GetWidth(),
                                shell->GetHeight(), gui->GetWidth(), gui->GetHeight(), v[2], v[3]}),
              (std::vector<int>{800, 500, 800, 500, 800, 500, 800, 500}));
    EXPECT_FLOAT_EQ(shell->GetAspect(), static_cast<float>(kWidth) / kHeight);

    shell->OnResizeWindow(kWidth, kHeight);
}

// A deal of 182 update steps (121 gathering, 61 dealing) on a machine that draws 60 and one
// that draws 20 frames a second: the same steps in the same time, in a third of the frames.
TEST_F(krMainLoopTest, ADealTakesItsStepsInTheSameTimeAtTwentyFramesAsAtSixty)
{
    for (int rate : {60, 20})
    {
        SCOPED_TRACE(rate);
        UseClock(1.0 / rate);
        shell->ClearRecords();
        shell->dealSteps = 182;
        krRunEvents(*shell, {krKeyEvent(SDL_KEYDOWN, SDLK_d)}, krQuitByTest);
        const int perFrame = 60 / rate;
        ASSERT_EQ(shell->dealLeft, 0);
        EXPECT_EQ(shell->updates, 182);
        EXPECT_EQ(shell->dealEndFrame - shell->dealStartFrame, (182 + perFrame - 1) / perFrame);
        EXPECT_NEAR(shell->dealSeconds, 182.0 / 60, 1.0 / rate);
        // The first turn finds no time passed; then every frame's time is its steps.
        for (const auto& frame : shell->stepsInFrame)
        {
            if (frame.first < shell->dealEndFrame)
            {
                ASSERT_EQ(frame.second, perFrame) << "frame " << frame.first;
            }
        }
        EXPECT_EQ(shell->stepsInFrame.count(0), 0u);
    }
}

// A two-second stall runs a quarter second of steps and drops the rest; then steps go on at
// one per frame's time.
TEST_F(krMainLoopTest, AStallRunsAtMostTheBoundThenNormalSteps)
{
    UseClock(1.0 / 60);
    clock.stalls[3] = 2.0;
    krRunEvents(*shell, {}, 7);
    EXPECT_EQ(shell->stepsInFrame,
              (std::map<int, int>{{1, 1}, {2, 1}, {3, 1}, {4, 15}, {5, 1}, {6, 1}, {7, 1}}));
}

// Frames of one and a half steps each draw halfway between two steps every other frame.
TEST_F(krMainLoopTest, FramesBetweenStepsDrawAtTheFractionOfAStep)
{
    UseClock(1.5 / 60);
    krRunEvents(*shell, {}, 5);
    ASSERT_EQ(shell->drawnFractions.size(), 7u);
    for (size_t i = 0; i < shell->drawnFractions.size(); i++)
    {
        EXPECT_NEAR(shell->drawnFractions[i], i % 2 == 0 ? 0.0f : 0.5f, 1e-3) << "frame " << i;
    }
    EXPECT_EQ(shell->stepsInFrame, (std::map<int, int>{{1, 1}, {2, 2}, {3, 1}, {4, 2}, {5, 1}}));
    EXPECT_FLOAT_EQ(shell->GetGUIManager()->GetStepFraction(), shell->drawnFractions.back());
}
