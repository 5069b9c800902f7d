// Tests of the game object itself on the virtual display: started from a test archive, its
// screens are built and clicked, whole games are played frame by frame with truthful answers,
// Escape is pressed in every state, and the settings are written on the way out. The test
// archive holds no sounds, and a variant damages or removes further entries.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <SDL.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "data/krString.h"
#include "data/krStringArray.h"
#include "gui/krGUIButton.h"
#include "gui/krGUILabel.h"
#include "gui/krGUIManager.h"
#include "gui/krGUIObject.h"
#include "gui/krGUITextScroll.h"
#include "gui/krGUITextViewer.h"
#include "krTestClock.h"
#include "krTestFiles.h"
#include "krTestGL.h"
#include "render/krFont.h"
#include "render/krGeometry.h"
#include "render/krVertexArray.h"
#include "vossaGame.h"
#include "vossaTestArchive.h"

namespace
{
// Opens the game's inner state to the tests. Under the shell's real loop (RunLoop) the clock
// moves by its `perFrame` for every frame drawn and the loop ends on the first update step that
// finds the game in `stopState`.
class vossaGameProbe : public vossaGame
{
public:
    vossaGameProbe() : vossaGame(1280, 720, false) { clock.perFrame = 1.0 / 60; }

    krTestClock clock;
    bool looping = false;
    TGameState stopState = gsChoice;
    int steps = 0;
    int frames = 0;
    double stopTime = 0.0;

    void OnUpdate() override
    {
        vossaGame::OnUpdate();
        ++steps;
        // A trick that never gets there still ends the loop.
        if (looping && (trick.State() == stopState || steps == 600))
        {
            stopTime = clock.now;
            EndMainLoop();
        }
    }
    void Render() override
    {
        vossaGame::Render();
        ++frames;
        clock.now += clock.perFrame;
    }

    using vossaGame::BeginBlend;
    using vossaGame::drawnCamPosition;
    using vossaGame::EndBlend;

    using vossaGame::cards;
    using vossaGame::clouds;
    using vossaGame::highQuality;
    using vossaGame::language;
    using vossaGame::mainFont;
    using vossaGame::messages;
    using vossaGame::musicOn;
    using vossaGame::quitRequested;
    using vossaGame::replay;
    using vossaGame::RevealedCard;
    using vossaGame::settingsRecord;
    using vossaGame::showGameHowTo;
    using vossaGame::starPositions;
    using vossaGame::starsVisible;
    using vossaGame::stripLine;
    using vossaGame::trick;
};

using TPoint = std::array<float, 3>;

TPoint CentreOf(const krVertexArray* box)
{
    TPoint centre;
    box->GetCenter(centre.data());
    return centre;
}

// The two backdrop colours, process-wide fields, read and written as one.
std::array<float, 6> Backdrop()
{
    return {r1, g1, b1, r2, g2, b2};
}
void SetBackdrop(const std::array<float, 6>& c)
{
    std::tie(r1, g1, b1, r2, g2, b2) = std::tie(c[0], c[1], c[2], c[3], c[4], c[5]);
}

// The control `id` among the manager's controls and their children, depth first in drawing
// order (the first of two controls with one id); null when there is none.
krGUIObject* FindControl(krGUIManager* gui, uint32_t id)
{
    std::function<krGUIObject*(krGUIObject*)> find = [&](krGUIObject* o) -> krGUIObject*
    {
        krGUIObject* found = o->GetID() == id ? o : nullptr;
        for (uint64_t i = 0; found == nullptr && i < o->GetChildCount(); ++i)
        {
            found = find(o->GetChild(i));
        }
        return found;
    };
    krGUIObject* found = nullptr;
    for (uint64_t i = 0; found == nullptr && i < gui->GetControlCount(); ++i)
    {
        found = find(gui->GetControl(i));
    }
    return found;
}

std::wstring Text(const krString& s)
{
    return s.GetString() != nullptr ? std::wstring(s.GetString()) : std::wstring();
}

class GameObjectTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Whatever a test does to the backdrop is undone.
        backdrop = Backdrop();
        if (std::getenv("DISPLAY") == nullptr)
        {
            GTEST_SKIP() << "needs an X display";
        }
        ASSERT_TRUE(folder.Enter(Options()));
        game = new vossaGameProbe();
        started = game->Init();
        krPinGLDriver();
        ASSERT_TRUE(started || !ExpectStart());
    }

    void TearDown() override
    {
        if (game != nullptr && started)
        {
            game->OnBeforeClose();
        }
        delete game;
        SetBackdrop(backdrop);
    }

    virtual TTestArchiveOptions Options() { return {}; }
    virtual bool ExpectStart() { return true; }

    krGUIManager* Gui() { return game->GetGUIManager(); }
    krVertexArray* Card(int32_t slot) { return game->cards->GetVertexArray(slot); }
    int32_t SlotOf(const krVertexArray* box) { return game->cards->GetVertexArrayID(box); }
    TPoint Camera()
    {
        TPoint position;
        game->GetCamPosition(position.data());
        return position;
    }

    // A key stroke as the shell delivers it: the press to OnKeyDown and once more to OnKeyUp,
    // then the release to OnKeyUp. `mods` are held for the press (the game reads them there)
    // and let go before the release, as Alt may be.
    void Stroke(unsigned key, SDL_Keymod mods = KMOD_NONE)
    {
        SDL_SetModState(mods);
        game->OnKeyDown(key);
        game->OnKeyUp(key);
        SDL_SetModState(KMOD_NONE);
        game->OnKeyUp(key);
    }

    // A GUI click the way the manager delivers it.
    void Click(uint32_t id)
    {
        krGUIObject* control = FindControl(Gui(), id);
        ASSERT_NE(control, nullptr) << "no control " << id;
        game->OnGUIClick(control);
    }

    struct TPixel_s
    {
        int r, g, b;
    };

    // One frame of the scene and the GUI drawn (not yet shown); the pixel at (x, y) from the
    // window's top left.
    TPixel_s DrawnPixel(int x, int y)
    {
        game->Render();
        Gui()->Draw();
        unsigned char rgba[4] = {};
        glReadBuffer(GL_BACK);
        glReadPixels(x, game->GetHeight() - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return {rgba[0], rgba[1], rgba[2]};
    }

    int TextWidth(const wchar_t* text) { return static_cast<int>(game->mainFont->GetWidth(text)); }

    int ButtonTextWidth(uint32_t id)
    {
        auto* button = dynamic_cast<krGUIButton*>(FindControl(Gui(), id));
        return button != nullptr ? button->GetTextWidth() : -1;
    }

    // The cards in the order of their slots.
    std::vector<krVertexArray*> Order()
    {
        std::vector<krVertexArray*> order;
        for (int32_t i = 0; i < game->trick.CardCount(); ++i)
        {
            order.push_back(Card(i));
        }
        return order;
    }

    // One frame of the state machine. In the states where every card closes a tenth of the
    // distance to the target of its slot, checks that each card started from where it was
    // shown in the frame before, whatever reordering happened in between.
    void Frame()
    {
        const TGameState before = game->trick.State();
        const bool starLine = game->starsVisible;
        const int32_t deals = game->trick.dealCount;
        std::map<krVertexArray*, TPoint> shown;
        for (krVertexArray* box : Order())
        {
            shown[box] = CentreOf(box);
        }
        game->OnBeforeRender();
        if (game->trick.State() != before)
        {
            // No path of the game bypasses the transition table.
            ASSERT_EQ(game->trick.State(),
                      NextState(before, trAnimationEnd, deals, game->trick.Counted()));
            return;
        }
        const auto& to = game->trick.positions;
        const float(*targets)[3] = before == gsStacking                                  ? to.choice
                                   : before == gsGotoPresentation && !starLine           ? to.reveal
                                   : before == gsGoToMixer && deals > 0 && !starLine     ? to.stack
                                   : before == gsGoToIntro || before == gsGotoMindSelect ? to.circle
                                                                                         : nullptr;
        for (int32_t i = 0; targets != nullptr && i < game->trick.CardCount(); ++i)
        {
            const TPoint now = CentreOf(Card(i)), from = shown.at(Card(i));
            for (int k = 0; k < 3; ++k)
            {
                const float expected = from[k] + (targets[i][k] - from[k]) / 10.0f;
                ASSERT_NEAR(now[k], expected, 2e-3)
                    << "state " << before << " slot " << i << " axis " << k << " from " << from[k]
                    << " target " << targets[i][k];
            }
        }
    }

    void Frames(int count)
    {
        for (int i = 0; i < count; ++i)
        {
            Frame();
        }
    }

    // Runs frames until `state` (or the frame budget is spent).
    void RunUntil(TGameState state, int budget = 2000)
    {
        for (int i = 0; i < budget && game->trick.State() != state && !HasFatalFailure(); ++i)
        {
            Frame();
        }
        ASSERT_EQ(game->trick.State(), state);
    }

    // A left release on the row (1 top, 2 middle, 3 bottom), seen by the current camera.
    void ClickRow(int32_t row)
    {
        const float height = (2 - row) * 2.5f;
        const float perPixel = Camera()[2] / 1.72f / 360.0f;
        const int y = 360 - static_cast<int>(std::lround(height / perPixel));
        const TGameState before = game->trick.State();
        const int32_t deals = game->trick.dealCount;
        game->OnLMBUp(640, y);
        if (game->trick.State() != before)
        {
            ASSERT_EQ(game->trick.State(),
                      NextState(before, trRowClick, deals, game->trick.Counted()));
        }
    }

    // Starts a game from the intro and deals from the circle.
    void StartAndDeal()
    {
        Click(ciStart);
        ClickRow(2);
    }

    // The shell's real loop on the probe's clock, kept apart from the input of other tests'
    // windows on the shared display.
    void RunLoop()
    {
        game->SetFrameClock(&game->clock);
        game->looping = true;
        SDL_SetEventFilter(krKeepOutWindowSystem, nullptr);
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        game->Run(0, nullptr);
        SDL_SetEventFilter(nullptr, nullptr);
        game->looping = false;
    }

    // Deals from the circle and gives the three answers, always the row of `box`.
    void AnswerTruthfully(krVertexArray* box)
    {
        ASSERT_EQ(game->trick.State(), gsMindSelect);
        ClickRow(2);
        ASSERT_EQ(game->trick.State(), gsGoToMixer);
        for (int answer = 0; answer < 3; ++answer)
        {
            ASSERT_NO_FATAL_FAILURE(RunUntil(gsChoice));
            ASSERT_EQ(game->trick.dealCount, answer + 1);
            ClickRow(3 - SlotOf(box) / game->trick.RowLength());
        }
    }

    // Plays from the circle to the reveal, always answering with the row of `box`, and checks
    // that the reveal shows it.
    void PlayTruthfully(krVertexArray* box)
    {
        ASSERT_NO_FATAL_FAILURE(AnswerTruthfully(box));
        ASSERT_NO_FATAL_FAILURE(RunUntil(gsPresentation));
        EXPECT_EQ(game->RevealedCard(), box);
    }

    void ExpectCamera(const float* position, const float* angle, float tolerance)
    {
        float a[3];
        game->GetCamAngle(a);
        for (int k = 0; k < 3; ++k)
        {
            EXPECT_NEAR(Camera()[k], position[k], tolerance) << "position " << k;
            EXPECT_NEAR(a[k], angle[k], tolerance) << "angle " << k;
        }
    }

    // 120 camera steps from the rows: down and a little left, back to 22.24 / aspect, pitched
    // down.
    void ExpectRevealPose()
    {
        const float reveal[3] = {-0.1120550f, -12.6223716f, 22.240955f / game->GetAspect()};
        const float revealAngle[3] = {kHomeCamAngle[0], 0.0f, -33.4493388f};
        ExpectCamera(reveal, revealAngle, 2e-3f);
    }

    // Frames the game spends in `state` before it leaves it; with `afterStarLine` the frames
    // of the star line that sweeps the chosen row first are not counted.
    int FramesIn(TGameState state, bool afterStarLine)
    {
        int frames = 0;
        for (int i = 0; i < 3000 && game->trick.State() == state; ++i)
        {
            const bool starLine = afterStarLine && game->starsVisible;
            Frame();
            if (HasFatalFailure())
            {
                return -1;
            }
            frames += starLine ? 0 : 1;
        }
        return frames;
    }

    // Answers `row` on the layout shown, taken as disguised with `picks`, and checks the order
    // the answer installs: slot i holds the card that was in slot expected[i], once the new
    // layout's own disguise (if any) is undone.
    void ExpectDeal(int32_t row, const std::array<int32_t, 3>& picks,
                    const std::array<int32_t, kCardCount>& expected, bool disguised)
    {
        const std::vector<krVertexArray*> before = Order();
        std::copy(picks.begin(), picks.end(), game->trick.order.rowPicks);
        ClickRow(row);
        if (game->trick.State() == gsGoToMixer)
        {
            RunUntil(gsStacking);
        }
        std::vector<krVertexArray*> after = Order();
        if (disguised)
        {
            SwapDisguise(after.data(), game->trick.order.rowPicks);
        }
        for (int32_t i = 0; i < kCardCount; ++i)
        {
            EXPECT_EQ(after[i], before[expected[i]]) << "row " << row << " slot " << i;
        }
    }

    // Starts a game, answers `row` once and leaves by Escape for the intro before the order
    // of the answer is installed.
    void LeaveWithAPendingOrder(int32_t row)
    {
        StartAndDeal();
        ASSERT_NO_FATAL_FAILURE(RunUntil(gsChoice));
        ClickRow(row);
        ASSERT_EQ(game->trick.State(), gsGoToMixer);
        ASSERT_TRUE(game->trick.order.Pending());
        game->OnKeyUp(SDLK_ESCAPE);
        ASSERT_NO_FATAL_FAILURE(RunUntil(gsIntro));
        ASSERT_TRUE(game->trick.order.Pending());
    }

    vossaTestFolder folder;
    std::array<float, 6> backdrop = {};
    vossaGameProbe* game = nullptr;
    bool started = false;
};

TEST_F(GameObjectTest, IntroMenuAt1280x720)
{
    EXPECT_EQ(game->trick.State(), gsIntro);
    ASSERT_EQ(Gui()->GetControlCount(), 7u);
    krGUIObject* logo = Gui()->GetControl(0);
    EXPECT_EQ(logo->GetID(), ciStart);
    EXPECT_EQ(logo->GetLeft(), 384);
    EXPECT_EQ(logo->GetWidth(), 512);
    const struct
    {
        uint32_t id;
        int x, y;
    } buttons[] = {{ciStart, 502, 286},
                   {ciQuit, 650, 286},
                   {ciAbout, 576, 326},
                   {ciHowTo, 502, 366},
                   {ciSettings, 650, 366}};
    for (uint64_t i = 0; i < 5; ++i)
    {
        krGUIObject* b = Gui()->GetControl(2 + i);
        EXPECT_EQ(b->GetID(), buttons[i].id);
        EXPECT_EQ(b->GetLeft(), buttons[i].x) << buttons[i].id;
        EXPECT_EQ(b->GetTop(), buttons[i].y) << buttons[i].id;
    }
    EXPECT_EQ(ButtonTextWidth(ciQuit), TextWidth(L"E2"));
    // Drawn where they stand: the logo in its picture's red, the start button's left end in its
    // skin's blue, over the scene.
    const TPixel_s logoPixel = DrawnPixel(640, logo->GetTop() + logo->GetHeight() / 2);
    EXPECT_NEAR(logoPixel.r, 200, 8);
    EXPECT_NEAR(logoPixel.g, 40, 8);
    const TPixel_s startPixel = DrawnPixel(504, 290);
    EXPECT_NEAR(startPixel.g, 60, 8);
    EXPECT_NEAR(startPixel.b, 200, 8);
}

TEST_F(GameObjectTest, AboutNamesThePlatformSdlReports)
{
    Click(ciAbout);
    krGUIObject* panel = FindControl(Gui(), ciDialog);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->GetLeft(), 330);
    EXPECT_EQ(panel->GetTop(), 133);
    auto* label = dynamic_cast<krGIULabel*>(panel->GetChild(1));
    ASSERT_NE(label, nullptr);
    const krString platform(SDL_GetPlatform());
    EXPECT_EQ(Text(label->GetText()), L"E5, E41.1.222, E10" + Text(platform));
    krGUIObject* close = FindControl(Gui(), ciClose);
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->GetLeft(), 576);
    EXPECT_EQ(close->GetTop(), 413);
    game->Refresh();
    Click(ciClose);
    EXPECT_EQ(Gui()->GetControlCount(), 7u);
}

TEST_F(GameObjectTest, LanguageButtonNamesTheNextLanguageAndStepsThroughAllEight)
{
    Click(ciSettings);
    EXPECT_EQ(FindControl(Gui(), ciDialog)->GetLeft(), 460);
    EXPECT_EQ(ButtonTextWidth(ciLanguage), TextWidth(L"Polski"));
    Click(ciLanguage);
    EXPECT_EQ(game->language, 1);
    EXPECT_EQ(Text(*game->messages->GetLine(9)), L"P9");
    auto* title = dynamic_cast<krGIULabel*>(FindControl(Gui(), ciDialog)->GetChild(0));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(Text(title->GetText()), L"P9");
    EXPECT_EQ(ButtonTextWidth(ciLanguage), TextWidth(L"Deutsch"));
    // Through the other six languages back to English.
    for (int32_t next = 2; next <= 8; ++next)
    {
        Click(ciLanguage);
        EXPECT_EQ(game->language, next % 8);
    }
    EXPECT_EQ(ButtonTextWidth(ciLanguage), TextWidth(L"Polski"));
}

TEST_F(GameObjectTest, SettingsTogglesFlipAndRenameTheirButtons)
{
    auto line = [&](uint64_t i) { return TextWidth((L"E" + std::to_wstring(i)).c_str()); };
    Click(ciSettings);
    krGeometry* oldCards = game->cards;
    // The switches that start on: each goes off and its button names the new state.
    const struct
    {
        uint32_t id;
        const vossaSettingSwitch* on;
        uint64_t whenOn, whenOff;
    } switches[] = {{ciQuality, &game->highQuality, 14, 13},
                    {ciMusic, &game->musicOn, 16, 15},
                    {ciStripSwitch, &game->showGameHowTo, 16, 15}};
    for (const auto& o : switches)
    {
        EXPECT_EQ(ButtonTextWidth(o.id), line(o.whenOn)) << o.id;
        Click(o.id);
        EXPECT_FALSE(*o.on) << o.id;
        EXPECT_EQ(ButtonTextWidth(o.id), line(o.whenOff)) << o.id;
    }
    EXPECT_NE(game->cards, oldCards); // the low quality's cards
    EXPECT_EQ(game->cards->Length(), 21u);
    EXPECT_EQ(game->clouds->Length(), 3u);
    Click(ciMusic);
    EXPECT_TRUE(game->musicOn);

    // The options byte's switches: each flips its own bit only and names the new state.
    const struct
    {
        uint32_t id;
        uint8_t bit;
        uint64_t off, on;
    } options[] = {{ciTrick, kOptionTrick27, mlTrick21, mlTrick27},
                   {ciSuits, kOptionFourColours, mlSuitsTwoColours, mlSuitsFourColours},
                   {ciMotion, kOptionReducedMotion, mlMotionFull, mlMotionReduced}};
    uint8_t bits = 0;
    for (const auto& o : options)
    {
        EXPECT_EQ(ButtonTextWidth(o.id), line(o.off)) << o.id;
        Click(o.id);
        bits |= o.bit;
        EXPECT_EQ(game->settingsRecord.options, bits) << o.id;
        EXPECT_EQ(ButtonTextWidth(o.id), line(o.on)) << o.id;
    }
    Click(ciSuits);
    EXPECT_EQ(game->settingsRecord.options, kOptionTrick27 | kOptionReducedMotion);
    game->Refresh();
}

// The size of the cards' face textures as "wxh", or "mixed" when the cards differ.
std::string FaceSize(krGeometry* cards)
{
    std::set<std::string> sizes;
    for (int32_t i = 0; i < kCardCount; ++i)
    {
        GLint w = 0, h = 0;
        glBindTexture(GL_TEXTURE_2D, cards->GetVertexArray(i)->textureId);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
        sizes.insert(std::to_string(w) + "x" + std::to_string(h));
    }
    return sizes.size() == 1 ? *sizes.begin() : "mixed";
}

// The suits switch takes effect at once, at either quality, for the whole deck.
TEST_F(GameObjectTest, FourColourFacesLoadedWhenSetAndInThePack)
{
    EXPECT_EQ(FaceSize(game->cards), "4x4");
    Click(ciSettings);
    Click(ciSuits);
    EXPECT_EQ(FaceSize(game->cards), "8x8");
    Click(ciQuality);
    EXPECT_EQ(FaceSize(game->cards), "4x2");
    Click(ciSuits);
    EXPECT_EQ(FaceSize(game->cards), "2x2");
}

// A pack with four-colour faces for the 21-card trick's deck only (the high form of the 27th
// face lacks them): that trick shows four colours, the 27-card trick keeps two for every card
// rather than leaving one blank.
class PartialFourColourTest : public GameObjectTest
{
protected:
    TTestArchiveOptions Options() override { return {{"texture_26_fourcolour"}, {}}; }
};

TEST_F(PartialFourColourTest, PackWithoutEveryFourColourFaceKeepsTwoColours)
{
    Click(ciSettings);
    Click(ciSuits);
    EXPECT_TRUE(game->HasOption(kOptionFourColours));
    EXPECT_EQ(FaceSize(game->cards), "8x8");
    Click(ciQuality); // the low forms are all there
    EXPECT_EQ(FaceSize(game->cards), "4x2");
    Click(ciQuality);
    // The switch deals the circle behind the menu anew at once.
    Click(ciTrick);
    ASSERT_EQ(game->cards->Length(), 27u);
    EXPECT_EQ(FaceSize(game->cards), "4x4");
    Click(ciClose);
    Click(ciStart);
    ASSERT_EQ(game->cards->Length(), 27u);
}

TEST_F(GameObjectTest, StartCountsOnlyOnTheIntro)
{
    StartAndDeal();
    game->OnKeyUp(SDLK_ESCAPE);
    ASSERT_EQ(game->trick.State(), gsGoToIntro);
    Click(ciStart);
    EXPECT_EQ(game->trick.State(), gsGoToIntro);
    EXPECT_EQ(Gui()->GetControlCount(), 7u);
    RunUntil(gsIntro);
    Click(ciStart);
    EXPECT_EQ(game->trick.State(), gsMindSelect);
    // The instruction strip: its panel and its ticker at the top of the screen.
    ASSERT_EQ(Gui()->GetControlCount(), 2u);
    EXPECT_EQ(Gui()->GetControl(0)->GetLeft(), 330);
    EXPECT_EQ(Gui()->GetControl(1)->GetID(), ciStrip);
    EXPECT_EQ(Gui()->GetControl(1)->GetTop(), 14);
}

TEST_F(GameObjectTest, TruthfulAnswersRevealTheCardAndEveryCardFliesFromWhereItIsShown)
{
    Click(ciStart);
    srand(99);
    for (int round = 0; round < 3; ++round)
    {
        SCOPED_TRACE(round);
        ASSERT_NO_FATAL_FAILURE(PlayTruthfully(Card((round * 8 + 5) % kCardCount)));
        EXPECT_TRUE(game->starsVisible);
        Frames(200);
        EXPECT_GT(game->RevealedCard()->GetScale(), 19.0f);
        game->OnLMBUp(640, 360);
        EXPECT_EQ(game->trick.State(), gsGotoMindSelect);
        ASSERT_NO_FATAL_FAILURE(RunUntil(gsMindSelect));
        EXPECT_FALSE(game->starsVisible);
        EXPECT_FLOAT_EQ(game->RevealedCard()->GetScale(), 5.0f);
        // The camera is back at the home pose, at the distance the window's ratio gives.
        const float home[3] = {kHomeCamPosition[0], kHomeCamPosition[1],
                               18.622881f / game->GetAspect()};
        ExpectCamera(home, kHomeCamAngle, 2e-3f);
        game->Refresh();
    }
}

TEST_F(GameObjectTest, EveryFlightLastsItsFramesAndTheRevealPoseIsExact)
{
    StartAndDeal();
    EXPECT_EQ(FramesIn(gsGoToMixer, false), 121);
    // The first gather ends with the camera exactly on the z axis, looking at the rows.
    const float rows[3] = {0.0f, 0.0f, 20.0f / game->GetAspect()};
    const float straight[3] = {kHomeCamAngle[0], 0.0f, 0.0f};
    ExpectCamera(rows, straight, 1e-5f);
    EXPECT_EQ(FramesIn(gsStacking, false), 61);
    for (int32_t answer : {1, 3})
    {
        ClickRow(answer);
        EXPECT_EQ(FramesIn(gsGoToMixer, true), 121) << "answer " << answer;
        EXPECT_EQ(FramesIn(gsStacking, false), 61) << "answer " << answer;
    }
    ClickRow(2);
    EXPECT_EQ(FramesIn(gsGotoPresentation, true), 122);
    ASSERT_EQ(game->trick.State(), gsPresentation);
    ExpectRevealPose();
    game->OnLMBUp(640, 360);
    EXPECT_EQ(FramesIn(gsGotoMindSelect, false), 122);
    ClickRow(2);
    Frame();
    game->OnKeyUp(SDLK_ESCAPE);
    EXPECT_EQ(FramesIn(gsGoToIntro, false), 122);
}

TEST_F(GameObjectTest, AnswersDealTheRowsInTheGamesOrderUnderAnyDisguise)
{
    StartAndDeal();
    RunUntil(gsChoice);
    // Bottom row, the layout disguised in two rows (the top row's pick is its middle).
    ExpectDeal(3, {5, 8, 17},
               {14, 17, 20, 2, 3, 10, 11, 15, 18, 0, 5, 6, 9, 12, 16, 19, 1, 4, 7, 8, 13}, true);
    RunUntil(gsChoice);
    // Top row, all three rows disguised, at their edges.
    ExpectDeal(1, {0, 13, 20},
               {3, 0, 6, 16, 19, 8, 11, 1, 4, 14, 20, 17, 9, 12, 2, 5, 15, 18, 7, 13, 10}, true);
    RunUntil(gsChoice);
    // Middle row, the third answer: the order for the reveal carries no disguise.
    ExpectDeal(2, {6, 7, 14},
               {0, 6, 3, 9, 12, 15, 18, 1, 4, 10, 7, 13, 16, 19, 2, 5, 8, 11, 17, 14, 20}, false);
    EXPECT_EQ(game->trick.State(), gsGotoPresentation);
}

// Reduced motion: the same trick to the same card, with the camera at the same pose at the
// reveal, but the camera easing in, nothing tumbling, spinning or turning, the tickers still.
TEST_F(GameObjectTest, ReducedMotionRevealsTheSameCardWithNothingTurning)
{
    auto still = [&](uint32_t id)
    {
        auto* ticker = dynamic_cast<krGUITextScroll*>(FindControl(Gui(), id));
        const float x = ticker != nullptr ? ticker->GetDrawnX(0.5f) : -1.0f;
        for (int i = 0; i < 50; ++i)
        {
            Gui()->Update();
        }
        return ticker != nullptr && ticker->GetDrawnX(0.5f) == x && ticker->GetDrawnX(1.0f) == x;
    };
    auto points = [](const float(*p)[3], int n) { return std::vector<float>(p[0], p[0] + 3 * n); };
    Click(ciSettings);
    Click(ciMotion);
    Click(ciClose);
    EXPECT_TRUE(still(ciNone)) << "the intro's ticker";
    Click(ciStart);
    EXPECT_TRUE(still(ciStrip)) << "the instruction strip";

    srand(5);
    krVertexArray* box = Card(9);
    ClickRow(2);
    const float before = Camera()[2];
    Frame();
    const float evenStep = (20.0f / game->GetAspect() - before) / 120.0f;
    EXPECT_LT(std::fabs(Camera()[2] - before), 0.1f * std::fabs(evenStep)) << "no easing in";
    RunUntil(gsStacking);
    for (int32_t i = 0; i < kCardCount; ++i)
    {
        EXPECT_NEAR(game->trick.positions.stack[i][1], 0.0f, 1e-4f)
            << "the circle turned, slot " << i;
    }
    for (int answer = 0; answer < 3; ++answer)
    {
        RunUntil(gsChoice);
        const std::vector<float> stack = points(game->trick.positions.stack, kCardCount);
        ClickRow(3 - SlotOf(box) / kRowLength);
        ASSERT_NO_FATAL_FAILURE(RunUntil(answer < 2 ? gsStacking : gsPresentation));
        EXPECT_TRUE(answer == 2 || points(game->trick.positions.stack, kCardCount) == stack)
            << "the gathered cards tumbled";
    }
    EXPECT_EQ(game->RevealedCard(), box);
    ExpectRevealPose();

    const std::vector<float> ring = points(game->trick.positions.reveal, kCardCount);
    std::vector<float> sphere;
    for (int i = 0; i < 200; ++i)
    {
        Frame();
        sphere = i == 100 ? points(game->starPositions, kStarCount) : sphere;
    }
    EXPECT_EQ(points(game->starPositions, kStarCount), sphere) << "the stars turned";
    EXPECT_EQ(points(game->trick.positions.reveal, kCardCount), ring) << "the ring tumbled";
    float angle[3];
    game->RevealedCard()->GetAngle(angle);
    EXPECT_EQ(angle[0] + angle[2], 0.0f) << "the revealed card spun";
}

// A whole game by keyboard. A stroke reaches the game as the shell delivers it: the press to
// OnKeyDown and once more to OnKeyUp, then the release to OnKeyUp; it must act exactly once.
TEST_F(GameObjectTest, WholeGameByKeyboardActsOncePerStrokeWhereTheClickWould)
{
    // Not on a dialog, not with Alt (full screen), not with a row key.
    Click(ciSettings);
    Stroke(SDLK_RETURN);
    EXPECT_EQ(game->trick.State(), gsIntro);
    Click(ciClose);
    Stroke(SDLK_RETURN, KMOD_LALT);
    Stroke(SDLK_1);
    EXPECT_EQ(game->trick.State(), gsIntro);
    Stroke(SDLK_KP_ENTER);
    EXPECT_EQ(game->trick.State(), gsMindSelect); // started, not dealt as well
    EXPECT_EQ(Gui()->GetControl(1)->GetID(), ciStrip);
    Stroke(SDLK_2);
    EXPECT_EQ(game->trick.State(), gsMindSelect);
    Stroke(SDLK_SPACE);
    EXPECT_EQ(game->trick.State(), gsGoToMixer);

    srand(7);
    krVertexArray* box = Card(16);
    const unsigned rowKeys[2][3] = {{SDLK_1, SDLK_2, SDLK_3}, {SDLK_KP_1, SDLK_KP_2, SDLK_KP_3}};
    for (int answer = 0; answer < 3; ++answer)
    {
        ASSERT_NO_FATAL_FAILURE(RunUntil(gsChoice));
        Stroke(SDLK_RETURN);
        EXPECT_EQ(game->trick.State(), gsChoice);
        Stroke(rowKeys[answer % 2][2 - SlotOf(box) / kRowLength]);
        EXPECT_NE(game->trick.State(), gsChoice);
    }
    RunUntil(gsPresentation);
    EXPECT_EQ(game->RevealedCard(), box);
    Stroke(SDLK_1);
    EXPECT_EQ(game->trick.State(), gsPresentation);
    Stroke(SDLK_SPACE);
    EXPECT_EQ(game->trick.State(), gsGotoMindSelect);
}

TEST_F(GameObjectTest, EscapeFromEveryStateOfAGame)
{
    const TGameState flights[] = {gsGoToMixer,        gsStacking,     gsChoice,
                                  gsGotoPresentation, gsPresentation, gsGotoMindSelect};
    for (TGameState target : flights)
    {
        SCOPED_TRACE(target);
        ASSERT_EQ(game->trick.State(), gsIntro);
        StartAndDeal();
        // Drive the game with middle-row answers until the state is reached.
        for (int i = 0; i < 3000 && game->trick.State() != target; ++i)
        {
            if (game->trick.State() == gsChoice || game->trick.State() == gsPresentation)
            {
                ClickRow(2);
            }
            else
            {
                Frame();
            }
        }
        ASSERT_EQ(game->trick.State(), target);
        Frame();
        game->OnKeyUp(SDLK_ESCAPE);
        EXPECT_EQ(game->trick.State(), gsGoToIntro);
        EXPECT_FALSE(game->starsVisible);
        EXPECT_EQ(Gui()->GetControlCount(), 7u);
        ASSERT_NO_FATAL_FAILURE(RunUntil(gsIntro, 122));
        ExpectCamera(kHomeCamPosition, kHomeCamAngle, 2e-3f);
        EXPECT_FLOAT_EQ(game->RevealedCard()->GetScale(), 5.0f);
    }

    // On the circle Escape returns at once; on the intro it ends the program.
    Click(ciStart);
    EXPECT_EQ(game->trick.State(), gsMindSelect);
    game->OnKeyUp(SDLK_AC_BACK);
    EXPECT_EQ(game->trick.State(), gsIntro);
    EXPECT_FALSE(game->quitRequested);
    game->OnKeyUp(SDLK_ESCAPE);
    EXPECT_TRUE(game->quitRequested);
}

TEST_F(GameObjectTest, QualityChangeDropsAPendingOrder)
{
    srand(3);
    ASSERT_NO_FATAL_FAILURE(LeaveWithAPendingOrder(1));
    Click(ciSettings);
    Click(ciQuality);
    EXPECT_FALSE(game->trick.order.Pending());
    Click(ciClose);
    // A whole new game on the rebuilt cards still reveals the card that was followed.
    Click(ciStart);
    PlayTruthfully(Card(12));
}

TEST_F(GameObjectTest, PendingOrderAfterEscapeIsInstalledAtTheNextGather)
{
    ASSERT_NO_FATAL_FAILURE(LeaveWithAPendingOrder(3));
    StartAndDeal();
    RunUntil(gsStacking);
    EXPECT_FALSE(game->trick.order.Pending());
    RunUntil(gsChoice);
}

TEST_F(GameObjectTest, CornerDoubleClickChangesTheBackdrop)
{
    const std::array<float, 6> before = Backdrop();
    game->OnDblClick(); // no corner click yet
    EXPECT_EQ(Backdrop(), before);
    game->OnLMBUp(1270, 5);
    EXPECT_EQ(game->trick.State(), gsIntro);
    game->OnDblClick();
    const std::array<float, 6> after = Backdrop();
    int changed = 0;
    for (int i = 0; i < 6; ++i)
    {
        EXPECT_GE(after[i], 0.0f);
        EXPECT_LE(after[i], 1.0f);
        changed += after[i] != before[i];
    }
    EXPECT_GT(changed, 0);
    // The corner is used up by the double click.
    game->OnDblClick();
    EXPECT_EQ(Backdrop(), after);
    game->Refresh();
}

TEST_F(GameObjectTest, SettingsAreWrittenOnCloseAndReadBack)
{
    Click(ciSettings);
    Click(ciLanguage);
    Click(ciQuality);
    game->OnKeyUp(SDLK_UP);
    game->SetOption(kOptionReducedMotion, true);
    game->SetOption(kOptionTrick27, true);
    game->SetOption(kOptionTrick27, false);
    game->OnBeforeClose();
    delete game;
    game = nullptr;
    std::vector<unsigned char> bytes;
    ASSERT_TRUE(krTestReadFile(folder.path + "/vossaconfig.bin", bytes));
    ASSERT_EQ(bytes.size(), 48u);
    EXPECT_EQ(bytes[32], 1);
    EXPECT_EQ(bytes[36], 0);
    EXPECT_EQ(bytes[37], 1);
    EXPECT_EQ(bytes[39], kOptionReducedMotion);
    EXPECT_GT(bytes[40], 64);

    vossaGameProbe again;
    EXPECT_EQ(again.language, 1);
    EXPECT_FALSE(again.highQuality);
    EXPECT_TRUE(again.HasOption(kOptionReducedMotion));
}

// An archive with damaged and missing entries: the game starts, plays and draws on.
class DamagedArchiveTest : public GameObjectTest
{
protected:
    TTestArchiveOptions Options() override
    {
        return {{"texture_5", "msg_english", "cloud02", "button_red_pushed", "texture_star_01",
                 "howtoplay_english"},
                {"box", "texture_6", "vossa_logo", "cloud01", "licenses_english"}};
    }
};

TEST_F(DamagedArchiveTest, GameDrawsOnWithoutTheBrokenAssets)
{
    EXPECT_EQ(game->cards->Length(), 21u);
    EXPECT_EQ(ButtonTextWidth(ciQuit), 0); // no message lines: empty captions
    // Each screen comes up (a dialog, its close button back to the menu) and draws.
    for (uint32_t screen : {ciAbout, ciHowTo, ciSettings})
    {
        Click(screen);
        game->Refresh();
        EXPECT_NE(FindControl(Gui(), ciDialog), nullptr) << screen;
        EXPECT_EQ(FindControl(Gui(), ciAbout), nullptr) << screen;
        Click(ciClose);
        EXPECT_NE(FindControl(Gui(), ciAbout), nullptr) << screen;
    }
    Click(ciStart);
    ASSERT_NO_FATAL_FAILURE(PlayTruthfully(Card(0)));
    game->Refresh();
}

// Without a font the start-up fails and nothing is written.
class MissingFontTest : public GameObjectTest
{
protected:
    TTestArchiveOptions Options() override { return {{"ss10"}, {}}; }
    bool ExpectStart() override { return false; }
};

TEST_F(MissingFontTest, StartFailsWithoutWritingSettings)
{
    EXPECT_FALSE(started);
    delete game;
    game = nullptr;
    std::vector<unsigned char> bytes;
    EXPECT_FALSE(krTestReadFile(folder.path + "/vossaconfig.bin", bytes));
}
} // namespace

TEST_F(GameObjectTest, ANewSizeBuildsTheShownScreenAgainAtItsScaleAndKeepsTheTrick)
{
    // The settings dialog on a 1920 x 1080 drawable: laid out for 1280 x 720 units at 1.5.
    Click(ciSettings);
    const float fontHeight = game->mainFont->GetHeight();
    game->OnResizeWindow(1920, 1080);
    EXPECT_FLOAT_EQ(Gui()->GetScale(), 1.5f);
    ASSERT_EQ(Gui()->GetControlCount(), 1u);
    EXPECT_EQ(Gui()->GetControl(0)->GetID(), ciDialog);
    EXPECT_EQ(Gui()->GetControl(0)->GetLeft(), 460);
    EXPECT_EQ(Gui()->GetControl(0)->GetTop(), 150);
    // The test archive has no fonts for the scale: the design's fonts, magnified.
    EXPECT_EQ(game->GetHeight(), 1080);
    EXPECT_FLOAT_EQ(game->mainFont->GetHeight(), fontHeight);

    // A trick under way with the strip's second text: a new size keeps both.
    // The redraw for the new size draws the trick where it stands: no step is taken.
    Click(ciClose);
    Click(ciStart);
    game->OnLMBUp(640, 360);
    ASSERT_EQ(game->trick.State(), gsGoToMixer);
    for (int i = 0; i < 30; ++i)
    {
        game->OnUpdate();
    }
    const int32_t step = game->trick.mixerFrame;
    const TPoint card = CentreOf(Card(4)), camera = Camera();
    game->OnResizeWindow(2560, 1440);
    game->Refresh();
    EXPECT_FLOAT_EQ(Gui()->GetScale(), 2.0f);
    EXPECT_EQ(game->trick.State(), gsGoToMixer);
    EXPECT_EQ(game->trick.mixerFrame, step);
    EXPECT_EQ(CentreOf(Card(4)), card);
    EXPECT_EQ(Camera(), camera);
    auto* strip = dynamic_cast<krGUITextScroll*>(FindControl(Gui(), ciStrip));
    ASSERT_NE(strip, nullptr);
    EXPECT_STREQ(strip->GetText().GetString(), game->messages->GetLine(19)->GetString());
    game->OnResizeWindow(1280, 720);
    EXPECT_FLOAT_EQ(Gui()->GetScale(), 1.0f);
}

// Every screen by keyboard. The focus walks the buttons in the order each screen appends them
// (the intro's logo left out); Return and Space press the focused one through the click queue,
// so the next frame's OnGUIClick acts on it. Without a ring the keys keep their old meanings.
TEST_F(GameObjectTest, FocusWalksEveryScreenAndPressesItsButtonsLikeClicks)
{
    auto nextFrame = [&]()
    {
        Gui()->HandleEvents();
        Gui()->Update();
    };
    auto focused = [&]() { return Gui()->GetFocused() ? Gui()->GetFocused()->GetID() : 0u; };
    auto walk = [&](unsigned key, int strokes, SDL_Keymod mods = KMOD_NONE)
    {
        std::vector<uint32_t> ids;
        for (int i = 0; i < strokes; ++i)
        {
            Stroke(key, mods);
            ids.push_back(focused());
        }
        return ids;
    };
    EXPECT_EQ(focused(), 0u);
    using TIds = std::vector<uint32_t>;
    EXPECT_EQ(walk(SDLK_TAB, 6), (TIds{ciStart, ciQuit, ciAbout, ciHowTo, ciSettings, ciStart}));
    EXPECT_EQ(walk(SDLK_TAB, 2, KMOD_LSHIFT), (TIds{ciSettings, ciHowTo}));
    EXPECT_EQ(walk(SDLK_LEFT, 1), (TIds{ciAbout}));
    EXPECT_EQ(walk(SDLK_RIGHT, 2), (TIds{ciHowTo, ciSettings}));
    Stroke(SDLK_UP); // still the volume key, not a focus key
    EXPECT_EQ(focused(), ciSettings);

    // Settings: the language row first, the close button last; pressing the language button
    // builds the screen again with the focus kept on it.
    Stroke(SDLK_RETURN);
    EXPECT_EQ(FindControl(Gui(), ciDialog), nullptr); // acts in the next frame, as a click
    nextFrame();
    ASSERT_NE(FindControl(Gui(), ciDialog), nullptr);
    EXPECT_EQ(focused(), ciLanguage);
    EXPECT_EQ(walk(SDLK_TAB, 8), (TIds{ciQuality, ciMusic, ciStripSwitch, ciTrick, ciSuits,
                                       ciMotion, ciClose, ciLanguage}));
    Stroke(SDLK_SPACE);
    nextFrame();
    EXPECT_EQ(game->language, 1);
    EXPECT_EQ(focused(), ciLanguage);
    EXPECT_EQ(game->trick.State(), gsIntro);
    Stroke(SDLK_TAB, KMOD_LSHIFT);
    Stroke(SDLK_KP_ENTER);
    nextFrame();
    EXPECT_EQ(focused(), ciStart); // back on the intro, at its first stop

    // About and how-to: the close button is the one stop.
    for (uint32_t button : {ciAbout, ciHowTo})
    {
        while (focused() != button)
        {
            Stroke(SDLK_TAB);
        }
        Stroke(SDLK_RETURN);
        nextFrame();
        ASSERT_NE(FindControl(Gui(), ciTextViewer), nullptr);
        if (button == ciAbout)
        {
            // The pad's Up and Down turn the pages of the about text, longer than its box.
            const auto* viewer = static_cast<krGUITextViewer*>(FindControl(Gui(), ciTextViewer));
            game->OnPadButtonDown(pbDown);
            EXPECT_GT(viewer->GetFirstLine(), 0);
            game->OnPadButtonDown(pbUp);
            EXPECT_EQ(viewer->GetFirstLine(), 0);
        }
        EXPECT_EQ(walk(SDLK_TAB, 2), (TIds{ciClose, ciClose}));
        Stroke(SDLK_RETURN);
        nextFrame();
    }

    // A pointer move hides the ring: Return starts a game from the intro as before, and the
    // game's screen has no stops.
    EXPECT_EQ(focused(), ciStart);
    Stroke(SDLK_TAB);
    Gui()->OnMouse(3, 3);
    EXPECT_EQ(focused(), 0u);
    Stroke(SDLK_RETURN);
    EXPECT_EQ(game->trick.State(), gsMindSelect);
    Stroke(SDLK_TAB);
    nextFrame();
    EXPECT_EQ(focused(), 0u);
    EXPECT_EQ(game->trick.State(), gsMindSelect);
}

// The first gather and deal are 121 + 61 update steps: at 20 frames a second the real loop
// takes the same steps and the same time as at 60, in a third of the frames. Halfway between
// two steps a card and the camera are drawn halfway between their poses, and put back after.
TEST_F(GameObjectTest, ADealTakesItsStepsAtAnyFrameRateAndIsDrawnBetweenThem)
{
    StartAndDeal();
    game->OnUpdate();
    krVertexArray* box = Card(7);
    const TPoint before = CentreOf(box), cameraBefore = Camera();
    game->OnUpdate();
    const TPoint after = CentreOf(box), cameraAfter = Camera();
    ASSERT_GT(std::abs(after[0] - before[0]) + std::abs(after[2] - before[2]), 0.01f);
    game->BeginBlend(0.5f);
    const TPoint drawn = CentreOf(box);
    for (int k = 0; k < 3; ++k)
    {
        EXPECT_NEAR(drawn[k], (before[k] + after[k]) / 2, 1e-4) << "axis " << k;
        EXPECT_NEAR(game->drawnCamPosition[k], (cameraBefore[k] + cameraAfter[k]) / 2, 1e-4);
    }
    game->EndBlend();
    EXPECT_EQ(CentreOf(box), after);

    // A new gather from the circle, on the loop at 20 frames a second.
    game->OnKeyUp(SDLK_ESCAPE);
    RunUntil(gsIntro);
    StartAndDeal();
    game->steps = game->frames = 0;
    game->clock.perFrame = 1.0 / 20;
    RunLoop();
    EXPECT_EQ(game->steps, 121 + 61);
    // The clock when the last step ran: the steps' time, rounded up to a whole frame.
    EXPECT_GE(game->stopTime, 182.0 / 60 - 1e-9);
    EXPECT_LT(game->stopTime, 182.0 / 60 + 1.0 / 20);
    EXPECT_NEAR(game->frames, 182 / 3, 2);
}

// The twenty-seven-card trick chosen in the settings: the start asks for a number (typed: a
// digit that makes it too large starts afresh, Backspace takes one back; the buttons step it),
// the rows are of nine, and three truthful answers count the followed card out face down at
// that number, where it turns face up and is revealed as the 21-card trick reveals its card.
TEST_F(GameObjectTest, TwentySevenCardsAreCountedOutToTheNumberNamed)
{
    auto shown = [&](uint32_t id)
    {
        krGUIObject* control = FindControl(Gui(), id);
        for (uint64_t i = 0; control != nullptr && i < control->GetChildCount(); ++i)
        {
            if (control->GetChild(i)->GetID() == id)
            {
                control = control->GetChild(i);
            }
        }
        auto* label = dynamic_cast<krGIULabel*>(control);
        return label != nullptr ? Text(label->GetText()) : std::wstring(L"?");
    };
    game->SetOption(kOptionTrick27, true);
    Click(ciStart);
    ASSERT_EQ(game->trick.State(), gsNumberQuestion);
    ASSERT_EQ(game->cards->Length(), 27u);
    Stroke(SDLK_RETURN);
    EXPECT_EQ(game->trick.State(), gsNumberQuestion);
    Stroke(SDLK_3);
    Stroke(SDLK_5);
    EXPECT_EQ(shown(ciNumberShown), L"5");
    Stroke(SDLK_BACKSPACE);
    Stroke(SDLK_KP_2);
    Stroke(SDLK_0);
    Click(ciNumberUp);
    Click(ciNumberDown);
    Click(ciNumberDown);
    EXPECT_EQ(shown(ciNumberShown), L"19");
    Stroke(SDLK_RETURN);
    ASSERT_EQ(game->trick.State(), gsMindSelect);
    EXPECT_EQ(game->trick.Number(), 19);

    srand(27);
    krVertexArray* box = Card(22);
    ClickRow(2);
    for (int answer = 0; answer < 3; ++answer)
    {
        ASSERT_NO_FATAL_FAILURE(RunUntil(gsChoice));
        // Rows of nine, 2.5 apart and centred (give or take the breathing).
        EXPECT_NEAR(game->trick.positions.choice[0][0], -10.0f, 0.5f);
        EXPECT_NEAR(game->trick.positions.choice[26][0], 10.0f, 0.5f);
        ClickRow(3 - SlotOf(box) / kMaxRowLength);
    }
    ASSERT_EQ(game->trick.State(), gsCountOut);
    EXPECT_EQ(SlotOf(box), 18);
    bool countedFaceDown = false;
    int lastCount = 0;
    for (int i = 0; i < 3000 && game->trick.State() == gsCountOut; ++i)
    {
        Frame();
        const std::wstring count = shown(ciCount);
        if (count != L"?" && count != L"  ")
        {
            lastCount = std::stoi(count);
        }
        float angle[3];
        box->GetAngle(angle);
        countedFaceDown = countedFaceDown || (lastCount == 19 && angle[1] == 180.0f);
    }
    EXPECT_TRUE(countedFaceDown);
    EXPECT_EQ(lastCount, 19);
    RunUntil(gsPresentation);
    EXPECT_EQ(game->RevealedCard(), box);
    // The strip asks, as after the 21-card trick, whether this is the card.
    EXPECT_EQ(game->stripLine, 20u);
    Frames(200);
    EXPECT_GT(box->GetScale(), 19.0f);
    // Escape flies home; the next game of 21 cards is built at the start.
    game->OnKeyUp(SDLK_ESCAPE);
    RunUntil(gsIntro);
    game->SetOption(kOptionTrick27, false);
    Click(ciStart);
    EXPECT_EQ(game->trick.State(), gsMindSelect);
    EXPECT_EQ(game->cards->Length(), 21u);
}

// Reduced motion in the 27-card trick: the cards turn over at once on their way to the pile and
// at the number, never standing part-turned.
TEST_F(GameObjectTest, ReducedMotionTurnsTheCountedCardsOverAtOnce)
{
    game->SetOption(kOptionTrick27, true);
    game->SetOption(kOptionReducedMotion, true);
    Click(ciStart);
    Click(ciNumberUp);
    Click(ciNumberOk);
    ASSERT_EQ(game->trick.Number(), 1);
    srand(27);
    krVertexArray* box = Card(22);
    ASSERT_NO_FATAL_FAILURE(AnswerTruthfully(box));
    ASSERT_EQ(game->trick.State(), gsCountOut);
    int partTurned = 0;
    bool faceDown = false;
    for (int i = 0; i < 3000 && game->trick.State() == gsCountOut; ++i)
    {
        Frame();
        for (int32_t c = 0; c < kMaxCardCount; ++c)
        {
            float angle[3];
            Card(c)->GetAngle(angle);
            partTurned += angle[1] != 0.0f && angle[1] != 180.0f;
            faceDown = faceDown || angle[1] == 180.0f;
        }
    }
    EXPECT_EQ(partTurned, 0);
    EXPECT_TRUE(faceDown);
    RunUntil(gsPresentation);
    EXPECT_EQ(game->RevealedCard(), box);
}

// "How did it work?" at the reveal: H opens the replay of the game just played (the record of
// its three layouts), Right and a click on the scene go on, Back goes back, and Escape returns
// to the reveal as it was; the button goes with the reveal.
TEST_F(GameObjectTest, TheReplayOpensAtTheRevealAndReturnsToIt)
{
    Click(ciStart);
    srand(5);
    krVertexArray* box = Card(3);
    Stroke(SDLK_h);
    EXPECT_EQ(game->trick.State(), gsMindSelect);
    ASSERT_NO_FATAL_FAILURE(PlayTruthfully(box));
    // A new window size builds the strip again, with the button.
    game->OnResizeWindow(1000, 600);
    game->OnResizeWindow(1280, 720);
    krGUIObject* button = FindControl(Gui(), ciReplay);
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->GetVisible());
    Frames(50);
    const TPoint revealCamera = Camera();
    Stroke(SDLK_h);
    ASSERT_EQ(game->trick.State(), gsReplay);
    EXPECT_EQ(game->trick.Record().recorded, 3);
    EXPECT_EQ(game->replay.LitCount(), 7);
    EXPECT_TRUE(game->replay.Lit(box));
    Frames(60);
    // The cards lie in the first layout, seen from in front of the rows.
    EXPECT_NEAR(Camera()[2], 20.0f / game->GetAspect(), 1e-4f);
    for (int32_t slot = 0; slot < kCardCount; ++slot)
    {
        const auto* card = static_cast<const krVertexArray*>(game->trick.Record().layouts[0][slot]);
        EXPECT_NEAR(CentreOf(card)[0], slot % 7 * 2.5f - 7.5f, 0.05f) << "slot " << slot;
    }
    Stroke(SDLK_RIGHT);
    EXPECT_EQ(game->replay.Step(), 2);
    game->OnLMBUp(640, 300);
    EXPECT_EQ(game->replay.Step(), 3);
    EXPECT_EQ(game->replay.LitCount(), 1);
    Click(ciReplayBack);
    EXPECT_EQ(game->replay.Step(), 2);
    Frame();
    game->OnKeyUp(SDLK_ESCAPE);
    EXPECT_EQ(game->trick.State(), gsPresentation);
    EXPECT_FALSE(game->replay.IsOpen());
    EXPECT_EQ(Camera()[2], revealCamera[2]);
    button = FindControl(Gui(), ciReplay);
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->GetVisible());
    Frame();
    EXPECT_EQ(game->RevealedCard(), box);
    game->OnLMBUp(640, 360);
    EXPECT_EQ(game->trick.State(), gsGotoMindSelect);
    EXPECT_FALSE(FindControl(Gui(), ciReplay)->GetVisible());
}
