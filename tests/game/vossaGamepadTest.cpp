// Gamepad tests of the game: what each button does, the row band found from the layout, and
// the game driven through the shell's real main loop by one of SDL's virtual pads, opened as
// any pad is: a whole game played with the pad reaches the reveal with the player's card and
// shrugs off the pad's removal, and the intro's focus, its dialogs and the volume are worked
// with the pad alone. Each press is sent once, when the game shows it is ready for it, and must
// act within a few frames.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL.h>
#include <cstdlib>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

#include "audio/krMusic.h"
#include "gui/krGUIManager.h"
#include "gui/krGUIObject.h"
#include "krTestFiles.h"
#include "krTestGL.h"
#include "render/krGeometry.h"
#include "vossaGame.h"
#include "vossaGamepad.h"
#include "vossaRowHighlight.h"
#include "vossaTestArchive.h"

TEST(vossaGamepad, ButtonsRowsAndTheHeldVolumeButton)
{
    // On the menus every direction moves the focus; in the trick up and down move the rows.
    const krPadButton buttons[] = {
        pbA,    pbStart, pbB, pbBack, pbLeftShoulder, pbRightShoulder, pbUp, pbDown,
        pbLeft, pbRight, pbX, pbY};
    const TPadAction onMenus[] = {paConfirm,       paConfirm,   paBack,          paBack,
                                  paVolumeDown,    paVolumeUp,  paFocusPrevious, paFocusNext,
                                  paFocusPrevious, paFocusNext, paNone,          paNone};
    const TPadAction inTrick[] = {paConfirm,       paConfirm,   paBack,  paBack,
                                  paVolumeDown,    paVolumeUp,  paRowUp, paRowDown,
                                  paFocusPrevious, paFocusNext, paNone,  paNone};
    for (size_t i = 0; i < sizeof(buttons) / sizeof(buttons[0]); ++i)
    {
        EXPECT_EQ(PadAction(buttons[i], true), onMenus[i]) << "button " << buttons[i];
        EXPECT_EQ(PadAction(buttons[i], false), inTrick[i]) << "button " << buttons[i];
    }
    EXPECT_EQ(MovePadRow(2, -1), 1);
    EXPECT_EQ(MovePadRow(1, -1), 1);
    EXPECT_EQ(MovePadRow(2, 1), 3);
    EXPECT_EQ(MovePadRow(3, 1), 3);

    // Held: quiet for the delay, then a step every kEvery steps, until that direction is let go.
    vossaPadRepeat repeat;
    EXPECT_EQ(repeat.Step(), 0);
    repeat.Hold(1);
    std::vector<int32_t> due;
    for (int32_t i = 1; i <= vossaPadRepeat::kDelay + 4; ++i)
    {
        if (repeat.Step() != 0)
        {
            due.push_back(i);
        }
    }
    const int32_t d = vossaPadRepeat::kDelay, e = vossaPadRepeat::kEvery;
    EXPECT_EQ(due, (std::vector<int32_t>{d, d + e, d + 2 * e}));
    repeat.Release(-1); // the other button: the hold goes on
    EXPECT_EQ(repeat.GetHeld(), 1);
    repeat.Hold(-1); // the other button pressed: it takes over, from the start of its delay
    for (int32_t i = 1; i < d; ++i)
    {
        ASSERT_EQ(repeat.Step(), 0);
    }
    EXPECT_EQ(repeat.Step(), -1);
    repeat.Release(-1);
    for (int32_t i = 0; i < 2 * d; ++i)
    {
        ASSERT_EQ(repeat.Step(), 0);
    }
}

// The bands come from the rows of the layout as it stands, in any slot order and with any
// number of cards a row; neighbouring bands meet.
TEST(vossaRowHighlight, BandsFollowTheLayoutsRows)
{
    float sevens[kCardCount][3];
    InitChoiceLayout(sevens);
    const TRowBand_s top = RowBand(sevens, kCardCount, 1);
    const TRowBand_s middle = RowBand(sevens, kCardCount, 2);
    const TRowBand_s bottom = RowBand(sevens, kCardCount, 3);
    ASSERT_TRUE(top.found && middle.found && bottom.found);
    EXPECT_FLOAT_EQ(top.left, -8.75f);
    EXPECT_FLOAT_EQ(top.right, 8.75f);
    EXPECT_FLOAT_EQ(top.bottom, 1.25f);
    EXPECT_FLOAT_EQ(top.top, 3.75f);
    EXPECT_FLOAT_EQ(middle.top, top.bottom);
    EXPECT_FLOAT_EQ(bottom.top, middle.bottom);
    EXPECT_FLOAT_EQ(bottom.bottom, -3.75f);
    EXPECT_FALSE(RowBand(sevens, kCardCount, 4).found);
    EXPECT_FALSE(RowBand(sevens, kCardCount, 0).found);

    // Three rows of nine, listed top row first and each row from the right, a little nearer.
    float nines[27][3];
    for (int32_t i = 0; i < 27; ++i)
    {
        nines[i][0] = 10.0f - (i % 9) * 2.5f;
        nines[i][1] = 2.5f - (i / 9) * 2.5f;
        nines[i][2] = 0.5f;
    }
    const TRowBand_s first = RowBand(nines, 27, 1);
    const TRowBand_s last = RowBand(nines, 27, 3);
    EXPECT_FLOAT_EQ(first.left, -11.25f);
    EXPECT_FLOAT_EQ(first.right, 11.25f);
    EXPECT_FLOAT_EQ(first.top, 3.75f);
    EXPECT_FLOAT_EQ(last.bottom, -3.75f);
    EXPECT_FLOAT_EQ(first.z, 0.5f);
}

namespace
{
class vossaPadProbe : public vossaGame
{
public:
    // Small: every frame of a whole game is drawn.
    vossaPadProbe() : vossaGame(640, 360, false) {}

    using vossaGame::cards;
    using vossaGame::dealCount;
    using vossaGame::gameState;
    using vossaGame::music;
    using vossaGame::padInUse;
    using vossaGame::padRow;
    using vossaGame::quitRequested;
    using vossaGame::RevealedCard;

    // The clock moves a step's time with every frame drawn.
    struct TClock : krFrameClock
    {
        double now = 0.0;
        double Now() override { return now; }
        void Sleep(double seconds) override { now += seconds > 0 ? seconds : 0; }
    } clock;
    // The player, once per frame drawn: looks at the game and acts on the pad. False ends the
    // loop.
    std::function<bool()> player;
    int frames = 0;

    void Render() override
    {
        vossaGame::Render();
        clock.now += 1.0 / 60;
        ++frames;
        if (!player || !player() || frames > 5000)
        {
            EndMainLoop();
        }
    }
};

// One of SDL's virtual pads: SDL maps it as a game controller, so the game opens it as any pad.
struct TVirtualPad
{
    int index = -1;
    SDL_Joystick* joystick = nullptr;

    bool Attach()
    {
        SDL_VirtualJoystickDesc desc = {};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "Test pad";
        index = SDL_JoystickAttachVirtualEx(&desc);
        joystick = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
        return joystick != nullptr;
    }
    void Detach()
    {
        if (joystick != nullptr)
        {
            SDL_JoystickDetachVirtual(index);
            SDL_JoystickClose(joystick);
        }
        joystick = nullptr;
    }
    // The virtual pad's buttons and axes are numbered as the controller's.
    void Button(SDL_GameControllerButton button, bool down)
    {
        SDL_JoystickSetVirtualButton(joystick, button, down ? 1 : 0);
    }
    void Axis(SDL_GameControllerAxis axis, int16_t value)
    {
        SDL_JoystickSetVirtualAxis(joystick, axis, value);
    }
};

// What the player does next: one change of the pad a frame (`frames`, in order), then, from the
// frame after the last, `acted` must hold within a few frames.
struct TMove_s
{
    std::string what;
    std::vector<std::function<void()>> frames;
    std::function<bool()> acted;
};

// Plays the moves that `next` hands out, one at a time; `next` returns a move without frames
// while the game is not ready for one, and false (with the move) when the play is over.
class TPlayer
{
public:
    std::function<bool(TMove_s&)> next;

    bool Frame()
    {
        if (move.frames.size() > applied)
        {
            move.frames[applied++]();
            waited = 0;
            return true;
        }
        if (applied > 0)
        {
            if (!move.acted())
            {
                if (++waited <= kPatience)
                {
                    return true;
                }
                ADD_FAILURE() << move.what << " did not act";
                return false;
            }
            applied = 0;
            move = TMove_s();
        }
        TMove_s coming;
        const bool going = next(coming);
        if (!coming.frames.empty())
        {
            move = coming;
            move.frames[applied++]();
        }
        return going && !::testing::Test::HasFailure();
    }

private:
    static const int kPatience = 6;
    TMove_s move;
    size_t applied = 0;
    int waited = 0;
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
        setenv("LANG", "C.UTF-8", 1);
        char cwd[4096];
        ASSERT_NE(getcwd(cwd, sizeof(cwd)), nullptr);
        oldDir = cwd;
        ASSERT_EQ(chdir(krTestTempDir().c_str()), 0);
        ASSERT_TRUE(WriteTestArchive("vossadata.bin"));
        // The test window may never get the keyboard focus of the virtual display, which SDL
        // otherwise requires before it reports a pad.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        game = new vossaPadProbe();
        game->SetFrameClock(&game->clock);
        ASSERT_TRUE(game->Init());
        krPinGLDriver();
        ASSERT_TRUE(pad.Attach()) << SDL_GetError();
    }

    void TearDown() override
    {
        if (game != nullptr)
        {
            pad.Detach();
            game->OnBeforeClose();
            delete game;
        }
        if (!oldDir.empty())
        {
            EXPECT_EQ(chdir(oldDir.c_str()), 0);
        }
    }

    void Play(TPlayer& player)
    {
        game->player = [&]() { return player.Frame(); };
        SDL_SetEventFilter(krKeepOutWindowSystem, nullptr);
        game->Run(0, nullptr);
        SDL_SetEventFilter(nullptr, nullptr);
    }

    // A press and, in the next frame, the release of `button`.
    TMove_s Tap(const std::string& what, SDL_GameControllerButton button,
                std::function<bool()> acted)
    {
        return {what,
                {[=]() { pad.Button(button, true); }, [=]() { pad.Button(button, false); }},
                acted};
    }

    uint32_t Focused()
    {
        krGUIObject* focused = game->GetGUIManager()->GetFocused();
        return focused != nullptr ? focused->GetID() : 0u;
    }

    int32_t Volume() { return game->music->GetVolume(); }

    std::string oldDir;
    vossaPadProbe* game = nullptr;
    TVirtualPad pad;
};
} // namespace

// The player thinks of a card and plays with the pad alone: A starts and deals, the D-pad
// brings the highlight to the row that holds the card, A answers for it. In the middle of the
// first deal the pad, with a shoulder button held, is pulled out: the deal goes on, nothing
// keeps changing the volume, and the game plays on with another pad to the right card.
TEST_F(GamepadTest, AWholeGameByPadRevealsTheCardAndARemovedPadChangesNothing)
{
    krVertexArray* card = nullptr;
    int32_t volumeAfterRemoval = -1;
    bool removed = false, reattached = false, revealed = false;
    TPlayer player;
    player.next = [&](TMove_s& move)
    {
        if (game->GetPadCount() != 1)
        {
            return true;
        }
        const TGameState state = game->gameState;
        const int32_t volume = Volume();
        switch (state)
        {
            case gsIntro:
                move = Tap("A on the intro", SDL_CONTROLLER_BUTTON_A,
                           [=]() { return game->gameState == gsMindSelect; });
                break;
            case gsMindSelect:
                if (revealed)
                {
                    return false;
                }
                card = game->cards->GetVertexArray(16);
                move = Tap("A on the circle", SDL_CONTROLLER_BUTTON_A,
                           [=]() { return game->gameState == gsGoToMixer; });
                break;
            case gsGoToMixer:
                if (!removed && game->dealCount == 0)
                {
                    removed = true;
                    move = {"the pad pulled out with a shoulder held",
                            {[=]() { pad.Button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true); },
                             [=]() { pad.Detach(); }},
                            [=]() { return game->GetPadCount() == 0; }};
                    volumeAfterRemoval = volume + 2; // its press and its release
                }
                break;
            case gsChoice:
            {
                const int32_t row = 3 - game->cards->GetVertexArrayID(card) / kRowLength;
                const int32_t from = game->padRow;
                if (from != row)
                {
                    move = Tap(row < from ? "up" : "down",
                               row < from ? SDL_CONTROLLER_BUTTON_DPAD_UP
                                          : SDL_CONTROLLER_BUTTON_DPAD_DOWN,
                               [=]() { return game->padRow == from + (row < from ? -1 : 1); });
                }
                else
                {
                    move = Tap("A in the rows", SDL_CONTROLLER_BUTTON_A,
                               [=]() { return game->gameState != gsChoice; });
                }
                break;
            }
            case gsPresentation:
                EXPECT_EQ(game->RevealedCard(), card);
                revealed = true;
                move = Tap("A at the reveal", SDL_CONTROLLER_BUTTON_A,
                           [=]() { return game->gameState == gsGotoMindSelect; });
                break;
            default:
                break;
        }
        return true;
    };
    // Without a pad the player plugs one in when the cards lie in rows.
    const auto next = player.next;
    player.next = [&, next](TMove_s& move)
    {
        if (removed && game->GetPadCount() == 0)
        {
            EXPECT_NE(game->gameState, gsGoToIntro);
            EXPECT_EQ(Volume(), volumeAfterRemoval);
            if (game->gameState == gsChoice && !reattached)
            {
                reattached = true;
                move = {"another pad plugged in", {[&]() { ASSERT_TRUE(pad.Attach()); }}, [&]() {
                            return game->GetPadCount() == 1;
                        }};
            }
            return true;
        }
        return next(move);
    };
    Play(player);
    EXPECT_TRUE(removed);
    EXPECT_TRUE(reattached);
    EXPECT_TRUE(revealed);
    EXPECT_EQ(game->gameState, gsMindSelect);
}

// The intro with the pad alone: the D-pad shows the focus ring and walks it, the stick moves it
// once per push however long it is held or wobbled, and not at all within its dead zone; A
// opens the about dialog, B closes it; the shoulders change the volume a step on press and on
// release and keep changing it while held; A starts a game, B on the circle goes back to the
// menu, and B on the menu quits.
TEST_F(GamepadTest, TheIntroByPadFocusDialogsVolumeAndBack)
{
    const auto stick = [&](std::vector<std::pair<SDL_GameControllerAxis, int16_t>> moves)
    {
        std::vector<std::function<void()>> frames;
        for (const auto& m : moves)
        {
            frames.push_back([=]() { pad.Axis(m.first, m.second); });
        }
        return frames;
    };
    const auto focusIs = [&](uint32_t id) { return [=]() { return Focused() == id; }; };
    std::vector<TMove_s> moves = {
        Tap("down", SDL_CONTROLLER_BUTTON_DPAD_DOWN, focusIs(ciStart)),
        Tap("right", SDL_CONTROLLER_BUTTON_DPAD_RIGHT, focusIs(ciQuit)),
        Tap("left", SDL_CONTROLLER_BUTTON_DPAD_LEFT, focusIs(ciStart)),
        {"stick pushed right, held and wobbled",
         stick({{SDL_CONTROLLER_AXIS_LEFTX, 30000},
                {SDL_CONTROLLER_AXIS_LEFTX, 12000},
                {SDL_CONTROLLER_AXIS_LEFTX, 32767},
                {SDL_CONTROLLER_AXIS_LEFTY, 25000},
                {SDL_CONTROLLER_AXIS_LEFTY, 0},
                {SDL_CONTROLLER_AXIS_LEFTX, 20000},
                {SDL_CONTROLLER_AXIS_LEFTX, 0}}),
         focusIs(ciQuit)},
        {"stick moved within its dead zone",
         stick({{SDL_CONTROLLER_AXIS_LEFTX, 7000},
                {SDL_CONTROLLER_AXIS_LEFTY, -7000},
                {SDL_CONTROLLER_AXIS_LEFTX, -7000},
                {SDL_CONTROLLER_AXIS_LEFTX, 0},
                {SDL_CONTROLLER_AXIS_LEFTY, 0}}),
         focusIs(ciQuit)},
        {"stick pushed down and let go",
         stick({{SDL_CONTROLLER_AXIS_LEFTY, 32767}, {SDL_CONTROLLER_AXIS_LEFTY, 0}}),
         focusIs(ciAbout)},
        Tap("A on about", SDL_CONTROLLER_BUTTON_A,
            [&]() { return game->GetShownScreen() == scAbout; }),
        // Back on the menu the ring is on its first stop.
        Tap("B on the dialog", SDL_CONTROLLER_BUTTON_B,
            [&]() { return game->GetShownScreen() == scIntro && Focused() == ciStart; }),
    };
    int32_t volume = -1;
    moves.push_back({"a shoulder tapped",
                     {[&]()
                      {
                          volume = Volume();
                          pad.Button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
                      },
                      [&]() { pad.Button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, false); }},
                     [&]() { return Volume() == volume + 2; }});
    // Held for twice its delay: its press, its release and at least one repeat.
    std::vector<std::function<void()>> hold = {
        [&]() { pad.Button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true); }};
    hold.resize(2 * vossaPadRepeat::kDelay, []() {});
    hold.push_back([&]() { pad.Button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, false); });
    moves.push_back({"the other held", hold, [&]() { return Volume() < volume; }});
    std::vector<std::function<void()>> rest(2 * vossaPadRepeat::kDelay, []() {});
    rest[0] = [&]() { volume = Volume(); };
    moves.push_back({"and let go", rest, [&]() { return Volume() == volume; }});
    moves.push_back(Tap("up", SDL_CONTROLLER_BUTTON_DPAD_UP, focusIs(ciSettings)));
    moves.push_back(Tap("down", SDL_CONTROLLER_BUTTON_DPAD_DOWN, focusIs(ciStart)));
    moves.push_back(Tap("A on start", SDL_CONTROLLER_BUTTON_A,
                        [&]() { return game->gameState == gsMindSelect; }));
    moves.push_back(Tap("B on the circle", SDL_CONTROLLER_BUTTON_B,
                        [&]() { return game->gameState == gsIntro && !game->quitRequested; }));
    moves.push_back(
        Tap("B on the menu", SDL_CONTROLLER_BUTTON_B, [&]() { return game->quitRequested; }));

    size_t done = 0;
    TPlayer player;
    player.next = [&](TMove_s& move)
    {
        if (game->GetPadCount() == 1 && done < moves.size())
        {
            move = moves[done++];
        }
        return true;
    };
    Play(player);
    EXPECT_EQ(done, moves.size());
    EXPECT_TRUE(game->quitRequested);
}

namespace
{
// Where two frames differ: the top and bottom window rows (from the top) of the differing
// pixels, and how many differ.
struct TChange_s
{
    int top = -1, bottom = -1, pixels = 0;
    int Middle() const { return (top + bottom) / 2; }
};

TChange_s Compare(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int w, int h)
{
    TChange_s change;
    for (int y = 0; y < h; ++y)
    {
        for (int x = 0; x < w; ++x)
        {
            const size_t i = (static_cast<size_t>(h - 1 - y) * w + x) * 3;
            if (std::abs(a[i] - b[i]) + std::abs(a[i + 1] - b[i + 1]) +
                    std::abs(a[i + 2] - b[i + 2]) >
                30)
            {
                change.top = change.top < 0 ? y : change.top;
                change.bottom = y;
                ++change.pixels;
            }
        }
    }
    return change;
}
} // namespace

// While the cards lie in rows the highlight is drawn over the row the pad points at, one band
// below the other as the pad moves it down; drawing it changes nothing, and a pointer move
// hides it.
TEST_F(GamepadTest, TheHighlightIsDrawnOverItsRow)
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
    game->OnPadButtonDown(pbA);
    ASSERT_EQ(game->gameState, gsGoToMixer);
    for (int i = 0; i < 2000 && game->gameState != gsChoice; ++i)
    {
        game->OnUpdate();
    }
    ASSERT_EQ(game->gameState, gsChoice);
    const int w = game->GetWidth(), h = game->GetHeight();
    auto shot = [&]()
    {
        std::vector<uint8_t> pixels(static_cast<size_t>(w) * h * 3);
        game->Render();
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    };
    game->OnMouseMotion(5, 5, 1, 1);
    const std::vector<uint8_t> plain = shot();
    std::vector<TChange_s> bands;
    const krPadButton moves[] = {pbUp, pbDown, pbDown, pbDown};
    for (krPadButton move : moves)
    {
        game->OnPadButtonDown(move);
        game->OnPadButtonUp(move);
        const int32_t row = game->padRow;
        bands.push_back(Compare(plain, shot(), w, h));
        EXPECT_EQ(game->padRow, row);
        EXPECT_EQ(game->gameState, gsChoice);
        EXPECT_GT(bands.back().pixels, w * h / 50) << "row " << row;
        EXPECT_LT(bands.back().bottom - bands.back().top, h / 2) << "row " << row;
    }
    EXPECT_LT(bands[0].Middle() + h / 10, bands[1].Middle());
    EXPECT_LT(bands[1].Middle() + h / 10, bands[2].Middle());
    EXPECT_EQ(bands[3].Middle(), bands[2].Middle()); // no row below the bottom one
    game->OnMouseMotion(6, 6, -1, -1);
    EXPECT_EQ(Compare(plain, shot(), w, h).pixels, 0);
}
