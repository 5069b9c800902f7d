// End-to-end: the maths made visible. The 27-card trick chosen in the settings file, played
// with the keyboard alone: the number question takes digits and Return, three answers on rows
// of nine, the pile is counted out with each count shown, and the followed card is revealed.
// The replay at the reveal of a 21-card trick: step by step the cards still possible are lit
// (7, then 2 or 3 of them, then the one), the others dimmed; Escape returns to the reveal.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "e2eHarness.h"

using namespace e2e;

namespace
{
// A 48-byte settings file: default colours, English, everything on, volumes 64, and the options
// byte with the 27-card trick chosen.
std::vector<unsigned char> SettingsWithCountedTrick()
{
    const float colours[8] = {0.889129638671875f, 0.629486083984375f, 0.13458251953125f, 1.0f,
                              0.084930419921875f, 0.404876708984375f, 0.7286376953125f,  1.0f};
    std::vector<unsigned char> bytes(48, 0);
    std::memcpy(bytes.data(), colours, sizeof(colours));
    bytes[36] = bytes[37] = bytes[38] = 1;
    bytes[39] = 1;
    const int32_t volume = 64;
    std::memcpy(bytes.data() + 40, &volume, 4);
    std::memcpy(bytes.data() + 44, &volume, 4);
    return bytes;
}

// The number question's panel, in the middle of the upper screen.
bool NumberQuestionShown(const TShot_s& s)
{
    return PanelAt(s, 430, 200) && PanelAt(s, 850, 320) && !IsIntro(s);
}

// The count's panel below the strip.
bool CountShown(const TShot_s& s)
{
    return PanelAt(s, 605, 60) && PanelAt(s, 675, 95);
}

// The card faces in the 21 slots of the rows, -1 where none shows, and which of them are lit.
struct TLitRows_s
{
    std::vector<int> faces;
    std::vector<bool> lit;
    int LitCount() const
    {
        int n = 0;
        for (bool l : lit)
        {
            n += l ? 1 : 0;
        }
        return n;
    }
};

// `rise`: pixels the rows stand higher than in the game (the replay's slow deal).
TLitRows_s LitRows(const TShot_s& s, int rise)
{
    TLitRows_s rows;
    for (int slot = 0; slot < 21; ++slot)
    {
        const TRgb_s c = s.Mean(SlotX(slot), SlotY(slot) - rise, 3);
        rows.faces.push_back(CardOf(c));
        rows.lit.push_back(std::max({c.r, c.g, c.b}) > 160);
    }
    return rows;
}

// A replay step at rest: every slot shows a card, as in the capture before.
std::function<bool(const TShot_s&)> ReplayRowsAtRest(TLitRows_s* rows, int rise = 0)
{
    auto before = std::make_shared<std::vector<int>>();
    return [before, rows, rise](const TShot_s& s)
    {
        const TLitRows_s now = LitRows(s, rise);
        for (int face : now.faces)
        {
            if (face < 0)
            {
                before->clear();
                return false;
            }
        }
        const bool still = *before == now.faces;
        *before = now.faces;
        if (still)
        {
            *rows = now;
        }
        return still;
    };
}

class HowItWorks : public SessionTest
{
};

// The keys of the rows, the bottom row first.
const char* const kRowKeys[3] = {"3", "2", "1"};
} // namespace

TEST_F(HowItWorks, TwentySevenCardsPlayedByKeyboardCountOutTheFollowedCardAtTheNumber)
{
    ASSERT_TRUE(WriteFile(folder + "/vossaconfig.bin", SettingsWithCountedTrick()));
    ASSERT_TRUE(game.Start(folder, {}, folder + "/output.txt"));
    ASSERT_TRUE(WaitForScreen(game, IsIntro, 90, shot)) << "no intro menu";
    MoveAway();
    Key("Return");
    ASSERT_TRUE(WaitForScreen(game, NumberQuestionShown, 20, shot)) << "no number question";
    Keep(shot, "question");
    // 2 and 5 make 25; Backspace leaves 2; 0 makes 20.
    Key("2");
    Key("5");
    Key("BackSpace");
    Key("0");
    Key("Return");
    ASSERT_TRUE(WaitForScreen(
        game, [](const TShot_s& s) { return !NumberQuestionShown(s) && StripShown(s); }, 20, shot))
        << "the number was not taken";
    const int face = 9;
    ASSERT_NO_FATAL_FAILURE(FollowThroughTheAnswers(
        face, "", [&] { Key("space"); }, [&](int, int slot) { Key(kRowKeys[slot / 9]); }, 9));
    ASSERT_TRUE(WaitForScreen(game, CountShown, 60, shot)) << "no count shown";
    Keep(shot, "counting");
    int revealed = -1;
    const bool shown = WaitForScreen(
        game, [&](const TShot_s& s) { return (revealed = LargeCardInMiddle(s)) >= 0; }, 120, shot);
    Keep(shot, shown ? "reveal" : "no-reveal");
    ASSERT_TRUE(shown) << "no card revealed";
    EXPECT_EQ(revealed, face);
}

TEST_F(HowItWorks, TheReplayLightsTheCardsStillPossibleStepByStep)
{
    ASSERT_TRUE(game.Start(folder, {}, folder + "/output.txt"));
    ASSERT_TRUE(WaitForScreen(game, IsIntro, 90, shot)) << "no intro menu";
    MoveAway();
    Key("Return");
    ASSERT_TRUE(WaitForScreen(
        game, [](const TShot_s& s) { return !IsIntro(s) && StripShown(s); }, 20, shot))
        << "Return did not start a game";
    const int face = 15;
    ASSERT_NO_FATAL_FAILURE(FollowThroughTheAnswers(
        face, "", [&] { Key("space"); }, [&](int, int slot) { Key(kRowKeys[slot / 7]); }));
    ASSERT_TRUE(WaitForScreen(
        game, [&](const TShot_s& s) { return LargeCardInMiddle(s) == face; }, 120, shot))
        << "no reveal";
    Keep(shot, "reveal");
    Key("h");
    // Step by step: the lit cards are those still possible, the followed one among them.
    const int expected[3][2] = {{7, 7}, {2, 3}, {1, 1}};
    std::vector<int> litBefore;
    std::vector<int> layoutBefore;
    for (int step = 1; step <= 3; ++step)
    {
        TLitRows_s rows;
        auto ready = ReplayRowsAtRest(&rows);
        ASSERT_TRUE(WaitForScreen(
            game, [&](const TShot_s& s) { return ready(s) && rows.faces != layoutBefore; }, 60,
            shot))
            << "step " << step << " not shown";
        Keep(shot, "replay-step" + std::to_string(step));
        const int lit = rows.LitCount();
        EXPECT_GE(lit, expected[step - 1][0]) << "step " << step;
        EXPECT_LE(lit, expected[step - 1][1]) << "step " << step;
        std::vector<int> litFaces;
        for (size_t i = 0; i < rows.faces.size(); ++i)
        {
            if (rows.lit[i])
            {
                litFaces.push_back(rows.faces[i]);
                if (!litBefore.empty())
                {
                    EXPECT_NE(std::find(litBefore.begin(), litBefore.end(), rows.faces[i]),
                              litBefore.end())
                        << "step " << step << ": card " << rows.faces[i] << " lit again";
                }
            }
        }
        EXPECT_NE(std::find(litFaces.begin(), litFaces.end(), face), litFaces.end())
            << "step " << step << ": the followed card is dimmed";
        litBefore = litFaces;
        layoutBefore = rows.faces;
        Key("Right");
    }
    // Step 4, the slow deal: the seven cards of the first answer, gathered into the middle of
    // the pile, end in the middle columns of the rows (two units higher on the screen).
    TLitRows_s rows;
    auto dealt = ReplayRowsAtRest(&rows, 111);
    ASSERT_TRUE(WaitForScreen(game, dealt, 60, shot)) << "step 4 not dealt";
    Keep(shot, "replay-step4");
    EXPECT_EQ(rows.LitCount(), 7);
    for (int slot = 0; slot < 21; ++slot)
    {
        if (rows.lit[size_t(slot)])
        {
            EXPECT_GE(slot % 7, 2) << "slot " << slot;
            EXPECT_LE(slot % 7, 4) << "slot " << slot;
        }
    }
    Key("Escape");
    EXPECT_TRUE(WaitForScreen(
        game, [&](const TShot_s& s) { return LargeCardInMiddle(s) == face; }, 30, shot))
        << "Escape did not return to the reveal";
    Keep(shot, "back-to-reveal");
}
