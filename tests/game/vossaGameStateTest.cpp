// Tests of the state machine's decisions as a player meets them: where the inputs of a whole
// game lead on the one transition table, Escape from every state, the start button, the row
// picked from a click height and the corner region.
#include <gtest/gtest.h>

#include <vector>

#include "vossaGameState.h"

namespace
{
const TGameState kAllStates[] = {
    gsMindSelect,
    gsChoice,
    gsGoToMixer,
    gsStacking,
    gsGotoPresentation,
    gsPresentation,
    gsGotoMindSelect,
    static_cast<TGameState>(7),
    gsIntro,
    gsGoToIntro,
};
} // namespace

namespace
{
// A player's game on the transition table alone: the states seen from the menu to the
// reveal and back to the circle, clicking the rows whenever a click is taken and letting
// every animation run out; the deal count follows the game's (reset by the first answer,
// one more at the end of every deal).
std::vector<TGameState> PlayOneGame(int* answers)
{
    std::vector<TGameState> seen = {gsIntro};
    TGameState s = NextState(gsIntro, trStart, 0);
    int32_t deals = 0;
    *answers = 0;
    while (seen.size() < 40)
    {
        seen.push_back(s);
        if (s == gsMindSelect && seen.size() > 2)
        {
            break; // back on the circle after the reveal
        }
        // Moving states take no click and no start; the resting ones have no end.
        const TGameState clicked = NextState(s, trRowClick, deals);
        const TGameState ended = NextState(s, trAnimationEnd, deals);
        EXPECT_TRUE(clicked == s || ended == s) << "state " << s;
        EXPECT_EQ(NextState(s, trStart, deals), s) << "state " << s;
        if (clicked != s)
        {
            deals = s == gsMindSelect ? 0 : deals;
            *answers += s == gsChoice;
            s = clicked;
        }
        else
        {
            deals += s == gsStacking;
            s = ended;
        }
    }
    return seen;
}
} // namespace

TEST(GameState, AGameGoesFromTheMenuThroughThreeDealsToTheRevealAndBack)
{
    int answers = 0;
    const std::vector<TGameState> seen = PlayOneGame(&answers);
    const std::vector<TGameState> expected = {
        gsIntro,     gsMindSelect,       gsGoToMixer,    gsStacking,       gsChoice,
        gsGoToMixer, gsStacking,         gsChoice,       gsGoToMixer,      gsStacking,
        gsChoice,    gsGotoPresentation, gsPresentation, gsGotoMindSelect, gsMindSelect,
    };
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(answers, 3); // the card is revealed after the third answer in the rows
    // A game left before its reveal starts afresh: the first answer on the circle gathers.
    EXPECT_EQ(NextState(gsMindSelect, trRowClick, 2), gsGoToMixer);
}

TEST(GameState, EscapeFliesBackToTheMenuFromTheTrickAndQuitsOnTheMenu)
{
    for (TGameState s : kAllStates)
    {
        const TGameState to = NextState(s, trEscape, 1);
        if (s == gsIntro || s == gsGoToIntro)
        {
            EXPECT_EQ(to, s) << "state " << s << ": no state to go to, the program ends";
        }
        else if (s == gsMindSelect)
        {
            EXPECT_EQ(to, gsIntro) << "the circle returns to the menu at once";
        }
        else
        {
            EXPECT_EQ(to, gsGoToIntro) << "state " << s;
        }
    }
    // The flight back lands on the menu, where the start button begins a new game.
    EXPECT_EQ(NextState(gsGoToIntro, trAnimationEnd, 1), gsIntro);
    for (TGameState s : kAllStates)
    {
        EXPECT_EQ(NextState(s, trStart, 0) != s, s == gsIntro) << "state " << s;
    }
}

TEST(GameState, RowBoundariesBelongToTheOuterRows)
{
    EXPECT_EQ(RowFromHeight(0.0).row, 2);
    EXPECT_EQ(RowFromHeight(1.1999).row, 2);
    EXPECT_EQ(RowFromHeight(-1.1999).row, 2);
    EXPECT_EQ(RowFromHeight(1.2).row, 1);
    EXPECT_EQ(RowFromHeight(1.2001).row, 1);
    EXPECT_EQ(RowFromHeight(-1.2).row, 3);
    EXPECT_EQ(RowFromHeight(-1.2001).row, 3);
    EXPECT_FLOAT_EQ(RowFromHeight(5.0).starLineY, 2.2f);
    EXPECT_FLOAT_EQ(RowFromHeight(0.0).starLineY, -0.3f);
    EXPECT_FLOAT_EQ(RowFromHeight(-5.0).starLineY, -2.8f);
}

TEST(GameState, ClickHeightSeenFromTheRowsCamera)
{
    // 720 high, camera at 20/aspect: the centre line is height 0, the top edge camZ / 1.72.
    const float camZ = 20.0f / (1280.0f / 720.0f);
    EXPECT_FLOAT_EQ(ClickHeight(360, 720, camZ), 0.0f);
    EXPECT_NEAR(ClickHeight(0, 720, camZ), camZ / 1.72, 1e-5);
    EXPECT_NEAR(ClickHeight(720, 720, camZ), -camZ / 1.72, 1e-5);
    // The rows 2.5 apart: a click on each row's height picks that row.
    const float perPixel = camZ / 1.72f / 360.0f;
    EXPECT_EQ(RowFromHeight(ClickHeight(360 - static_cast<int>(2.5f / perPixel), 720, camZ)).row,
              1);
    EXPECT_EQ(RowFromHeight(ClickHeight(360, 720, camZ)).row, 2);
    EXPECT_EQ(RowFromHeight(ClickHeight(360 + static_cast<int>(2.5f / perPixel), 720, camZ)).row,
              3);
    // A degenerate window height never divides by zero.
    EXPECT_FLOAT_EQ(ClickHeight(0, 1, camZ), 0.0f);
}

TEST(GameState, CornerIsTheTopRightTenth)
{
    EXPECT_TRUE(IsCornerClick(1279, 0, 1280, 720));
    EXPECT_TRUE(IsCornerClick(1153, 71, 1280, 720));
    EXPECT_FALSE(IsCornerClick(1152, 10, 1280, 720)); // x must exceed 1280 - 128
    EXPECT_FALSE(IsCornerClick(1200, 72, 1280, 720)); // y must stay below 72
    EXPECT_FALSE(IsCornerClick(10, 10, 1280, 720));
}
