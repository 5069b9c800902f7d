// Shell tests with a real window on the (virtual) display: the start-up state and the logo
// on screen, and the main loop fed with events pushed into SDL's queue. Start-up shows the
// logo for three seconds, so the suite shares one initialised shell.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <cmath>
#include <cstdlib>

#include "app/krEngineLogo.h"
#include "data/krMemoryBlock.h"
#include "gui/krGUIManager.h"
#include "gui/krGUIObject.h"
#include "krTestShell.h"
#include "krTestTGA.h"

namespace
{
const int kWidth = 640;
const int kHeight = 360;

// Column-major 4x4 product a * b.
void Multiply(const double* a, const double* b, double* out)
{
    for (int c = 0; c < 4; c++)
    {
        for (int r = 0; r < 4; r++)
        {
            double sum = 0;
            for (int k = 0; k < 4; k++)
            {
                sum += a[k * 4 + r] * b[c * 4 + k];
            }
            out[c * 4 + r] = sum;
        }
    }
}

void Rotation(double degrees, double x, double y, double z, double* m)
{
    const double a = degrees * M_PI / 180.0, c = cos(a), s = sin(a);
    const double r[16] = {x * x * (1 - c) + c,
                          y * x * (1 - c) + z * s,
                          x * z * (1 - c) - y * s,
                          0,
                          x * y * (1 - c) - z * s,
                          y * y * (1 - c) + c,
                          y * z * (1 - c) + x * s,
                          0,
                          x * z * (1 - c) + y * s,
                          y * z * (1 - c) - x * s,
                          z * z * (1 - c) + c,
                          0,
                          0,
                          0,
                          0,
                          1};
    for (int i = 0; i < 16; i++)
    {
        m[i] = r[i];
    }
}
} // namespace

class krMainLoopTest : public ::testing::Test
{
protected:
    static krTestShell* shell;

    static void SetUpTestSuite()
    {
        if (!getenv("DISPLAY"))
        {
            return;
        }
        shell = new krTestShell(kWidth, kHeight);
        // Events for the logo's first ticks, so that it is drawn whatever the window
        // system sends.
        shell->logoEvents = 3;
        if (!shell->Init())
        {
            ADD_FAILURE() << "Init failed: " << SDL_GetError();
            delete shell;
            shell = nullptr;
        }
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
        shell->log.clear();
        shell->renders = 0;
        shell->logRender = false;
    }
};

krTestShell* krMainLoopTest::shell = nullptr;

TEST_F(krMainLoopTest, StartUpShowsTheLogoCentredOnBlack)
{
    EXPECT_EQ(GlobalScreenWidth, kWidth);
    EXPECT_EQ(GlobalScreenHeight, kHeight);
    EXPECT_EQ(shell->GetWidth(), kWidth);
    EXPECT_FLOAT_EQ(shell->GetAspect(), static_cast<float>(kWidth) / kHeight);
    EXPECT_EQ(shell->FrameCount(), 180); // the logo's ticks
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
    // black outside it.
    const int left = (kWidth - 256) / 2, top = (kHeight - 64) / 2;
    const std::vector<uint8_t>& screen = shell->screenAfterLogo;
    ASSERT_EQ(screen.size(), static_cast<size_t>(kWidth * kHeight * 3));
    int wrong = 0, lit = 0;
    for (int y = 0; y < kHeight; y++)
    {
        for (int x = 0; x < kWidth; x++)
        {
            const uint8_t* p = &screen[((kHeight - 1 - y) * kWidth + x) * 3];
            int expected[3] = {0, 0, 0};
            if (x >= left && x < left + 256 && y >= top && y < top + 64)
            {
                const uint8_t* q = &logo.rgba[((y - top) * 256 + (x - left)) * 4];
                for (int c = 0; c < 3; c++)
                {
                    expected[c] = (q[c] * q[3] + 127) / 255;
                }
            }
            bool same = true;
            for (int c = 0; c < 3; c++)
            {
                same = same && std::abs(p[c] - expected[c]) <= 6;
            }
            lit += p[0] + p[1] + p[2] > 300;
            if (!same && wrong++ < 5)
            {
                ADD_FAILURE() << "pixel " << x << "," << y << " is " << int(p[0]) << ","
                              << int(p[1]) << "," << int(p[2]) << ", expected " << expected[0]
                              << "," << expected[1] << "," << expected[2];
            }
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(lit, 300); // the logo was really drawn
}

TEST_F(krMainLoopTest, InitGLAndPilotViewSetTheMatrices)
{
    shell->InitGL();
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], kWidth);
    EXPECT_EQ(viewport[3], kHeight);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
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
    GLdouble m[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    double roll[16], pitch[16], turn[16], a[16], b[16], expected[16];
    Rotation(10, 0, 0, 1, roll);
    Rotation(-34.7, 1, 0, 0, pitch);
    Rotation(22.2, 0, 0, 1, turn);
    const double move[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -1, -2, -3, 1};
    Multiply(roll, pitch, a);
    Multiply(a, turn, b);
    Multiply(b, move, expected);
    for (int i = 0; i < 16; i++)
    {
        EXPECT_NEAR(m[i], expected[i], 1e-4) << "element " << i;
    }
    glLoadIdentity();
}

TEST_F(krMainLoopTest, EventsReachTheirHooksOnePerFrame)
{
    krGUIObject* control = new krGUIObject(7, 400, 10, 100, 50);
    shell->GetGUIManager()->AppendControl(control);
    shell->MouseXY(300, 300);
    shell->log.clear();
    float home[3] = {0, 0, 11};
    shell->SetCamPosition(home);
    const float step = shell->WheelStep();

    const SDL_Keycode back = SDLK_AC_BACK;
    krRunEvents(*shell, {
                            krKeyEvent(SDL_KEYDOWN, SDLK_a),             // 0
                            krKeyEvent(SDL_KEYUP, SDLK_a),               // 1
                            krKeyEvent(SDL_KEYDOWN, SDLK_ESCAPE),        // 2
                            krKeyEvent(SDL_KEYDOWN, SDLK_ESCAPE),        // 3: auto-repeat
                            krKeyEvent(SDL_KEYUP, SDLK_ESCAPE),          // 4
                            krKeyEvent(SDL_KEYDOWN, back),               // 5
                            krKeyEvent(SDL_KEYUP, back),                 // 6
                            krMotionEvent(310, 305),                     // 7
                            krMotionEvent(310, 305),                     // 8: no move
                            krWheelEvent(1),                             // 9
                            krWheelEvent(-1),                            // 10
                            krMotionEvent(420, 20),                      // 11: over the control
                            krButtonEvent(SDL_MOUSEBUTTONDOWN, 1),       // 12
                            krButtonEvent(SDL_MOUSEBUTTONUP, 1),         // 13: a GUI click
                            krButtonEvent(SDL_MOUSEBUTTONDOWN, 1),       // 14: double click
                            krButtonEvent(SDL_MOUSEBUTTONUP, 1),         // 15: ignored
                            krButtonEvent(SDL_MOUSEBUTTONDOWN, 1),       // 16: ordinary again
                            krButtonEvent(SDL_MOUSEBUTTONUP, 1),         // 17
                            krButtonEvent(SDL_MOUSEBUTTONDOWN, 3),       // 18: right button
                            krWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), // 19: nothing
                        });
    const std::string a = std::to_string(SDLK_a), esc = std::to_string(SDLK_ESCAPE),
                      ac = std::to_string(back);
    const std::vector<std::string> expected = {
        "0:KeyDown(" + a + ")",
        "0:KeyUp(" + a + ")", // every press also counts as a release...
        "1:KeyUp(" + a + ")",
        "2:KeyDown(" + esc + ")", // ...except Escape and AC Back
        "3:KeyDown(" + esc + ")",
        "4:KeyUp(" + esc + ")",
        "5:KeyDown(" + ac + ")",
        "6:KeyUp(" + ac + ")",
        "7:MouseMotion(310,305,-10,-5)",
        "11:MouseMotion(420,20,-110,285)",
        "13:LMBUp(420,20)",
        "14:GUIClick(7)", // delivered first thing in the next frame
        "14:DblClick",
        "17:LMBUp(420,20)",
        "18:GUIClick(7)",
        "21:BeforeClose",
    };
    EXPECT_EQ(shell->log, expected);
    EXPECT_EQ(shell->FrameCount(), 21);
    EXPECT_EQ(shell->renders, 21);
    EXPECT_TRUE(shell->RightButtonDown());

    float pos[3];
    shell->GetCamPosition(pos);
    const float up = 11 - step;
    EXPECT_FLOAT_EQ(pos[2], up + up / 100);

    shell->GetGUIManager()->Clear();
    shell->RMBUp();
}

TEST_F(krMainLoopTest, FingersActAsTheLeftButton)
{
    SDL_Delay(250); // out of any double-click window left by an earlier test
    shell->MouseXY(0, 0);
    shell->log.clear();
    krRunEvents(*shell, {
                            krFingerEvent(SDL_FINGERDOWN, 0.5f, 0.25f),
                            krFingerEvent(SDL_FINGERMOTION, 0.25f, 0.999f),
                            krFingerEvent(SDL_FINGERUP, 0.25f, 0.999f),
                        });
    const std::vector<std::string> expected = {
        "0:MouseMotion(320,90,-320,-90)",
        "1:MouseMotion(160,359,160,-269)", // truncated toward zero
        "2:LMBUp(160,359)",
        "4:BeforeClose",
    };
    EXPECT_EQ(shell->log, expected);
}

TEST_F(krMainLoopTest, FocusLossStopsRenderUntilRestoredOrMaximised)
{
    shell->logRender = true;
    krRunEvents(*shell,
                {
                    krWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST), // 0
                    krWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED),
                    krWindowEvent(SDL_WINDOWEVENT_EXPOSED),
                    krWindowEvent(SDL_WINDOWEVENT_RESTORED), // 3
                    krWindowEvent(SDL_WINDOWEVENT_MINIMIZED), krWindowEvent(SDL_WINDOWEVENT_SHOWN),
                    krWindowEvent(SDL_WINDOWEVENT_MAXIMIZED), // 6
                });
    const std::vector<std::string> expected = {
        "0:LostFocus", "3:SetFocus", "3:Render", "4:LostFocus",
        "6:SetFocus",  "6:Render",   "7:Render", "8:BeforeClose",
    };
    EXPECT_EQ(shell->log, expected);
    EXPECT_EQ(shell->FrameCount(), 8); // frames go on while paused
}

TEST_F(krMainLoopTest, ResizeDrawsOneExtraFrameAndKeepsTheAspect)
{
    shell->logRender = true;
    krRunEvents(*shell, {krWindowEvent(SDL_WINDOWEVENT_RESIZED, 800, 500),
                         krWindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 800, 500)});
    const std::vector<std::string> expected = {
        "0:Resize(800,500)",
        "0:Render", // the extra frame, drawn at once
        "1:Render", // the iteration's own frame
        "2:Render",          "3:Render", "4:BeforeClose",
    };
    EXPECT_EQ(shell->log, expected);
    EXPECT_EQ(shell->renders, 4);
    EXPECT_EQ(GlobalScreenWidth, 800);
    EXPECT_EQ(GlobalScreenHeight, 500);
    EXPECT_EQ(shell->GetWidth(), 800);
    EXPECT_EQ(shell->GetHeight(), 500);
    EXPECT_EQ(shell->GetGUIManager()->GetWidth(), 800);
    EXPECT_EQ(shell->GetGUIManager()->GetHeight(), 500);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 500);
    EXPECT_FLOAT_EQ(shell->GetAspect(), static_cast<float>(kWidth) / kHeight);

    shell->OnResizeWindow(kWidth, kHeight);
}
