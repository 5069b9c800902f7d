// End-to-end: the maths made visible. The 27-card trick chosen in the settings file, played
// with the keyboard alone: the number question takes digits and Return, three answers on rows
// of nine, the pile is counted out with each count shown, and the followed card is revealed.
// The replay at the reveal of a 21-card trick: step by step the cards still possible are lit
// (7, then 2 or 3 of them, then the one), the others dimmed; Escape returns to the reveal.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "e2eHarness.h"

using namespace e2e;

namespace
{
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
    std::vector<int> LitFaces() const
    {
        std::vector<int> out;
        for (size_t i = 0; i < faces.size(); ++i)
        {
            if (lit[i])
            {
                out.push_back(faces[i]);
            }
        }
        return out;
    }
};

bool Contains(const std::vector<int>& faces, int face)
{
    return std::find(faces.begin(), faces.end(), face) != faces.end();
}

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

using HowItWorks = SessionTest;

// The keys of the rows, the bottom row first.
const char* const kRowKeys[3] = {"3", "2", "1"};
} // namespace

TEST_F(HowItWorks, TwentySevenCardsPlayedByKeyboardCountOutTheFollowedCardAtTheNumber)
{
    TSettingsFile_s settings;
    settings.options = 1; // the 27-card trick
    ASSERT_TRUE(WriteFile(folder + "/vossaconfig.bin", SettingsBytes(settings)));
    ASSERT_TRUE(StartToIntro()) << "no intro menu";
    MoveAway();
    Key("Return");
    ASSERT_TRUE(WaitForScreen(game, NumberQuestionShown, 20, shot)) << "no number question";
    Keep(shot, "question");
    // 2 and 5 make 25; Backspace leaves 2; 0 makes 20.
    for (const char* key : {"2", "5", "BackSpace", "0", "Return"})
    {
        Key(key);
    }
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
    ASSERT_TRUE(StartToIntro()) << "no intro menu";
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
        SCOPED_TRACE("step " + std::to_string(step));
        TLitRows_s rows;
        auto ready = ReplayRowsAtRest(&rows);
        ASSERT_TRUE(WaitForScreen(
            game, [&](const TShot_s& s) { return ready(s) && rows.faces != layoutBefore; }, 60,
            shot))
            << "not shown";
        Keep(shot, "replay-step" + std::to_string(step));
        const std::vector<int> lit = rows.LitFaces();
        EXPECT_GE(int(lit.size()), expected[step - 1][0]);
        EXPECT_LE(int(lit.size()), expected[step - 1][1]);
        for (int card : lit)
        {
            EXPECT_TRUE(litBefore.empty() || Contains(litBefore, card))
                << "card " << card << " lit again";
        }
        EXPECT_TRUE(Contains(lit, face)) << "the followed card is dimmed";
        litBefore = lit;
        layoutBefore = rows.faces;
        Key("Right");
    }
    // Step 4, the slow deal: the seven cards of the first answer, gathered into the middle of
    // the pile, end in the middle columns of the rows (two units higher on the screen).
    TLitRows_s rows;
    auto dealt = ReplayRowsAtRest(&rows, 111);
    ASSERT_TRUE(WaitForScreen(game, dealt, 60, shot)) << "step 4 not dealt";
    Keep(shot, "replay-step4");
    EXPECT_EQ(rows.LitFaces().size(), 7u);
    for (int slot = 0; slot < 21; ++slot)
    {
        EXPECT_TRUE(!rows.lit[size_t(slot)] || (slot % 7 >= 2 && slot % 7 <= 4)) << "slot " << slot;
    }
    Key("Escape");
    EXPECT_TRUE(WaitForScreen(
        game, [&](const TShot_s& s) { return LargeCardInMiddle(s) == face; }, 30, shot))
        << "Escape did not return to the reveal";
    Keep(shot, "back-to-reveal");
}
