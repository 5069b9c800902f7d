// Gamepad tests of the game: the row bands found from the layout, and the game driven through
// the shell's real main loop by one of SDL's virtual pads, which the game opens as any pad: a
// whole game by pad reaches the reveal with the player's card and shrugs off the pad's
// removal; the intro's focus, dialogs and volume are worked with the pad alone; the highlight
// is drawn over its row. Each move is made once, when the game shows it is ready, and must act.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL.h>
#include <cstdlib>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "audio/krMusic.h"
#include "gui/krGUIManager.h"
#include "gui/krGUIObject.h"
#include "krTestClock.h"
#include "krTestGL.h"
#include "render/krGeometry.h"
#include "vossaGame.h"
#include "vossaRowHighlight.h"
#include "vossaTestArchive.h"

// The bands come from the layout's rows in any slot order and with any number of cards a row;
// neighbouring bands meet.
TEST(vossaRowHighlight, BandsFollowTheLayoutsRows)
{
    float sevens[kCardCount][3];
    InitChoiceLayout(sevens);
    const TRowBand_s top = RowBand(sevens, kCardCount, 1), middle = RowBand(sevens, kCardCount, 2);
    EXPECT_TRUE(top.found && top.left == -8.75f && top.right == 8.75f && top.top == 3.75f);
    EXPECT_EQ(middle.top, top.bottom);
    EXPECT_EQ(RowBand(sevens, kCardCount, 3).bottom, -3.75f);
    EXPECT_FALSE(RowBand(sevens, kCardCount, 4).found || RowBand(sevens, kCardCount, 0).found);
    // Three rows of nine listed top row first, each from the right, a little nearer.
    float nines[27][3];
    for (int32_t i = 0; i < 27; ++i)
    {
        nines[i][0] = 10.0f - (i % 9) * 2.5f;
        nines[i][1] = 2.5f - (i / 9) * 2.5f;
        nines[i][2] = 0.5f;
    }
    const TRowBand_s first = RowBand(nines, 27, 1);
    EXPECT_TRUE(first.left == -11.25f && first.right == 11.25f && first.top == 3.75f);
    EXPECT_EQ(first.z, 0.5f);
}

namespace
{
const SDL_GameControllerButton kLeftShoulder = SDL_CONTROLLER_BUTTON_LEFTSHOULDER;
const SDL_GameControllerButton kRightShoulder = SDL_CONTROLLER_BUTTON_RIGHTSHOULDER;

class vossaPadProbe : public vossaGame
{
public:
    // Small: every frame of a game is drawn. A step's time a frame.
    vossaPadProbe() : vossaGame(640, 360, false) { clock.perFrame = 1.0 / 60; }

    using vossaGame::cards;
    using vossaGame::music;
    using vossaGame::padRow;
    using vossaGame::quitRequested;
    using vossaGame::RevealedCard;
    using vossaGame::trick;

    krTestClock clock;
    // The player, once a frame drawn: false ends the loop.
    std::function<bool()> player;
    int frames = 0;

    void Render() override
    {
        vossaGame::Render();
        clock.now += clock.perFrame;
        if (!player || !player() || ++frames > 5000)
        {
            EndMainLoop();
        }
    }
};

class GamepadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (std::getenv("DISPLAY") == nullptr)
        {
            GTEST_SKIP() << "needs an X display";
        }
        ASSERT_TRUE(folder.Enter());
        // The test window may never get the virtual display's focus, without which SDL
        // reports no pad.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        game = new vossaPadProbe();
        game->SetFrameClock(&game->clock);
        ASSERT_TRUE(game->Init());
        krPinGLDriver();
        ASSERT_TRUE(Attach()) << SDL_GetError();
    }

    void TearDown() override
    {
        if (game != nullptr)
        {
            Detach();
            game->OnBeforeClose();
            delete game;
        }
    }

    // One of SDL's virtual pads: its buttons and axes are numbered as a game controller's.
    bool Attach()
    {
        SDL_VirtualJoystickDesc desc = {};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        padIndex = SDL_JoystickAttachVirtualEx(&desc);
        pad = padIndex >= 0 ? SDL_JoystickOpen(padIndex) : nullptr;
        return pad != nullptr;
    }
    void Detach()
    {
        if (pad != nullptr)
        {
            SDL_JoystickDetachVirtual(padIndex);
            SDL_JoystickClose(pad);
        }
        pad = nullptr;
    }

    // Queues pad changes, one a frame; from the frame after the last, `expect` must hold within
    // a few frames.
    void Move(const std::string& what, std::vector<std::function<void()>> changes,
              std::function<bool()> expect)
    {
        hand.insert(hand.end(), changes.begin(), changes.end());
        expected = expect;
        moveName = what;
    }
    void Tap(const std::string& what, SDL_GameControllerButton b, std::function<bool()> expect)
    {
        Move(what,
             {[=]() { SDL_JoystickSetVirtualButton(pad, b, 1); },
              [=]() { SDL_JoystickSetVirtualButton(pad, b, 0); }},
             expect);
    }
    std::function<void()> Stick(SDL_GameControllerAxis axis, int16_t value)
    {
        return [=]() { SDL_JoystickSetVirtualAxis(pad, axis, value); };
    }

    // Runs the main loop; each frame the player makes the next queued change, or checks the
    // last move acted, or asks `next` what to do (false: the play is over).
    void Play(const std::function<bool()>& next)
    {
        int waited = 0;
        game->player = [&]()
        {
            if (!hand.empty())
            {
                hand.front()();
                hand.pop_front();
                return true;
            }
            if (expected && !expected())
            {
                EXPECT_LE(++waited, 6) << moveName << " did not act";
                return waited <= 6;
            }
            expected = nullptr;
            waited = 0;
            return next() && !HasFailure();
        };
        SDL_SetEventFilter(krKeepOutWindowSystem, nullptr);
        game->Run(0, nullptr);
        SDL_SetEventFilter(nullptr, nullptr);
    }

    uint32_t Focused()
    {
        krGUIObject* focused = game->GetGUIManager()->GetFocused();
        return focused != nullptr ? focused->GetID() : 0u;
    }
    int32_t Volume() { return game->music->GetVolume(); }

    vossaTestFolder folder;
    vossaPadProbe* game = nullptr;
    int padIndex = -1;
    SDL_Joystick* pad = nullptr;
    std::deque<std::function<void()>> hand;
    std::function<bool()> expected;
    std::string moveName;
};
} // namespace

// A whole game with the pad alone, the D-pad bringing the highlight to the row of the card the
// player thinks of. Mid-deal the pad is pulled out with a shoulder button held: the deal goes
// on, the volume stops changing, and the game plays on with another pad.
TEST_F(GamepadTest, AWholeGameByPadRevealsTheCardAndARemovedPadChangesNothing)
{
    krVertexArray* card = nullptr;
    int32_t volume = -1;
    bool revealed = false;
    Play(
        [&]()
        {
            const TGameState state = game->trick.State();
            auto stateIs = [=](TGameState s) { return [=]() { return game->trick.State() == s; }; };
            if (state == gsIntro && game->GetPadCount() == 1)
            {
                Tap("A on the intro", SDL_CONTROLLER_BUTTON_A, stateIs(gsMindSelect));
            }
            else if (state == gsMindSelect && !revealed)
            {
                card = game->cards->GetVertexArray(16);
                Tap("A on the circle", SDL_CONTROLLER_BUTTON_A, stateIs(gsGoToMixer));
            }
            if (game->GetPadCount() == 0)
            {
                // Pulled out: nothing changes until the player plugs another pad in when the
                // rows are dealt.
                EXPECT_EQ(Volume(), volume);
                EXPECT_NE(state, gsGoToIntro);
                if (state == gsChoice && pad == nullptr)
                {
                    Move("another pad", {[&]() { EXPECT_TRUE(Attach()); }},
                         [&]() { return game->GetPadCount() == 1; });
                }
            }
            else if (state == gsGoToMixer && volume < 0)
            {
                volume = Volume() + 2; // the shoulder's press and release
                Move("pulled out, a shoulder held",
                     {[&]() { SDL_JoystickSetVirtualButton(pad, kRightShoulder, 1); },
                      [&]() { Detach(); }},
                     [&]() { return game->GetPadCount() == 0; });
            }
            else if (state == gsChoice)
            {
                const int32_t row =
                    3 - game->cards->GetVertexArrayID(card) / game->trick.RowLength();
                const int32_t from = game->padRow, by = row < from ? -1 : 1;
                if (from != row)
                {
                    Tap("a row move",
                        by < 0 ? SDL_CONTROLLER_BUTTON_DPAD_UP : SDL_CONTROLLER_BUTTON_DPAD_DOWN,
                        [=]() { return game->padRow == from + by; });
                }
                else
                {
                    Tap("A in the rows", SDL_CONTROLLER_BUTTON_A,
                        [=]() { return game->trick.State() != gsChoice; });
                }
            }
            else if (state == gsPresentation)
            {
                EXPECT_EQ(game->RevealedCard(), card);
                revealed = true;
                Tap("A at the reveal", SDL_CONTROLLER_BUTTON_A, stateIs(gsGotoMindSelect));
            }
            return !(revealed && state == gsMindSelect);
        });
    EXPECT_TRUE(revealed);
    EXPECT_EQ(game->trick.dealCount, 3);
    EXPECT_EQ(game->trick.State(), gsMindSelect);
}

// The intro with the pad alone: the D-pad shows and walks the focus ring, the stick moves it
// once a push however held or wobbled, and not within its dead zone; A opens a dialog, B closes
// it; a shoulder steps the volume on press and release and repeats while held; A starts, B
// goes back from the circle and quits on the menu.
TEST_F(GamepadTest, TheIntroByPadFocusDialogsVolumeAndBack)
{
    auto focusIs = [&](uint32_t id) { return [=]() { return Focused() == id; }; };
    const auto x = SDL_CONTROLLER_AXIS_LEFTX, y = SDL_CONTROLLER_AXIS_LEFTY;
    // The moves, made in turn as each is due.
    auto tap = [&](const char* what, SDL_GameControllerButton b, std::function<bool()> expect)
    { return [=]() { Tap(what, b, expect); }; };
    auto move = [&](const char* what, std::vector<std::function<void()>> changes,
                    std::function<bool()> expect)
    { return [=]() { Move(what, changes, expect); }; };
    int32_t before = 0;
    auto volumeIs = [&](int32_t by) { return [&, by]() { return Volume() == before + by; }; };
    auto press = [&](SDL_GameControllerButton b, bool down)
    { return [&, b, down]() { SDL_JoystickSetVirtualButton(pad, b, down ? 1 : 0); }; };
    // Held for twice the repeat's delay, let go, then left alone as long.
    std::vector<std::function<void()>> hold(2 * vossaPadRepeat::kDelay, []() {}), rest = hold;
    hold.front() = press(kLeftShoulder, true);
    hold.push_back(press(kLeftShoulder, false));
    rest.front() = [&]() { before = Volume(); };
    const std::vector<std::function<void()>> moves = {
        tap("down", SDL_CONTROLLER_BUTTON_DPAD_DOWN, focusIs(ciStart)),
        tap("right", SDL_CONTROLLER_BUTTON_DPAD_RIGHT, focusIs(ciQuit)),
        tap("left", SDL_CONTROLLER_BUTTON_DPAD_LEFT, focusIs(ciStart)),
        move("stick pushed, held and wobbled",
             {Stick(x, 30000), Stick(x, 12000), Stick(x, 32767), Stick(y, 25000), Stick(y, 0),
              Stick(x, 20000), Stick(x, 0)},
             focusIs(ciQuit)),
        move("stick within its dead zone",
             {Stick(x, 7000), Stick(x, 0), Stick(y, 7000), Stick(y, 0)}, focusIs(ciQuit)),
        move("stick down", {Stick(y, 32767), Stick(y, 0)}, focusIs(ciAbout)),
        tap("A on about", SDL_CONTROLLER_BUTTON_A,
            [&]() { return game->GetShownScreen() == scAbout; }),
        tap("B on the dialog", SDL_CONTROLLER_BUTTON_B,
            [&]() { return game->GetShownScreen() == scIntro && Focused() == ciStart; }),
        move("a shoulder",
             {[&]() { before = Volume(); }, press(kRightShoulder, true),
              press(kRightShoulder, false)},
             volumeIs(2)),
        move("the other held", hold, [&]() { return Volume() < before; }), // repeats
        move("left alone", rest, volumeIs(0)),
        tap("A on start", SDL_CONTROLLER_BUTTON_A,
            [&]() { return game->trick.State() == gsMindSelect; }),
        tap("B on the circle", SDL_CONTROLLER_BUTTON_B,
            [&]() { return game->trick.State() == gsIntro && !game->quitRequested; }),
        tap("B on the menu", SDL_CONTROLLER_BUTTON_B, [&]() { return game->quitRequested; }),
    };
    size_t done = 0;
    Play(
        [&]()
        {
            // The last move, B on the menu, ends the loop itself.
            EXPECT_LT(done, moves.size()) << "the game did not quit";
            if (game->GetPadCount() == 1 && done < moves.size())
            {
                moves[done++]();
            }
            return done < moves.size() || !hand.empty();
        });
    EXPECT_EQ(done, moves.size());
    EXPECT_TRUE(game->quitRequested);
}

// While the cards lie in rows the highlight is drawn over the pad's row, each band below the
// one before as the pad moves it down; drawing changes nothing and a pointer move hides it.
TEST_F(GamepadTest, TheHighlightIsDrawnOverItsRow)
{
    game->OnGUIClick(game->GetGUIManager()->GetControl(2)); // Start
    game->OnPadButtonDown(pbA);
    for (int i = 0; i < 2000 && game->trick.State() != gsChoice; ++i)
    {
        game->OnUpdate();
    }
    ASSERT_EQ(game->trick.State(), gsChoice);
    const int w = game->GetWidth(), h = game->GetHeight();
    auto shot = [&]()
    {
        game->Render();
        glReadBuffer(GL_BACK);
        return krReadScreen(w, h);
    };
    game->OnMouseMotion(5, 5, 1, 1);
    const std::vector<uint8_t> plain = shot();
    // The middle window row of the pixels that differ from the plain frame, and their count.
    auto band = [&](const std::vector<uint8_t>& pixels, int* count)
    {
        int top = -1, bottom = -1;
        *count = 0;
        for (size_t i = 0; i < pixels.size(); ++i)
        {
            if (i % 4 < 3 && std::abs(pixels[i] - plain[i]) > 20) // colour, not alpha
            {
                const int row = h - 1 - static_cast<int>(i / 4 / w);
                top = top < 0 || row < top ? row : top;
                bottom = row > bottom ? row : bottom;
                ++*count;
            }
        }
        EXPECT_LT(bottom - top, h / 2);
        return (top + bottom) / 2;
    };
    std::vector<int> middles;
    for (krPadButton move : {pbUp, pbDown, pbDown, pbDown})
    {
        game->OnPadButtonDown(move);
        const int32_t row = game->padRow;
        int count = 0;
        middles.push_back(band(shot(), &count));
        EXPECT_GT(count, w * h / 50) << "row " << row;
        EXPECT_EQ(game->padRow, row);
    }
    EXPECT_LT(middles[0] + h / 10, middles[1]);
    EXPECT_LT(middles[1] + h / 10, middles[2]);
    EXPECT_EQ(middles[3], middles[2]); // no row below the bottom one
    game->OnMouseMotion(6, 6, -1, -1);
    EXPECT_TRUE(shot() == plain);
}
