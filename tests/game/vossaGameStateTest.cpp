// Tests of the state machine's decisions: the transition table, Escape from every state, the
// start button, the row picked from a click height and the corner region.
#include <gtest/gtest.h>

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

TEST(GameState, RowClicksFollowTheTable)
{
    EXPECT_EQ(RowClickTarget(gsMindSelect, 0), gsGoToMixer);
    EXPECT_EQ(RowClickTarget(gsMindSelect, 3), gsGoToMixer);
    EXPECT_EQ(RowClickTarget(gsChoice, 1), gsGoToMixer);
    EXPECT_EQ(RowClickTarget(gsChoice, 2), gsGoToMixer);
    EXPECT_EQ(RowClickTarget(gsChoice, 3), gsGotoPresentation);
    EXPECT_EQ(RowClickTarget(gsPresentation, 3), gsGotoMindSelect);
    // In every other state a click changes nothing.
    for (TGameState s : kAllStates)
    {
        if (s == gsMindSelect || s == gsChoice || s == gsPresentation)
        {
            continue;
        }
        EXPECT_EQ(RowClickTarget(s, 1), s) << s;
    }
}

TEST(GameState, AnimationsEndInTheirNextState)
{
    EXPECT_EQ(AnimationEndTarget(gsGoToMixer), gsStacking);
    EXPECT_EQ(AnimationEndTarget(gsStacking), gsChoice);
    EXPECT_EQ(AnimationEndTarget(gsGotoPresentation), gsPresentation);
    EXPECT_EQ(AnimationEndTarget(gsGotoMindSelect), gsMindSelect);
    EXPECT_EQ(AnimationEndTarget(gsGoToIntro), gsIntro);
    EXPECT_EQ(AnimationEndTarget(gsIntro), gsIntro);
    EXPECT_EQ(AnimationEndTarget(gsChoice), gsChoice);
}

TEST(GameState, AWholeGameTakesThreeChoices)
{
    TGameState s = gsMindSelect;
    int32_t deals = 0;
    int32_t choices = 0;
    s = RowClickTarget(s, deals);
    while (s != gsPresentation)
    {
        ASSERT_LT(choices, 10);
        if (s == gsChoice)
        {
            ++choices;
            s = RowClickTarget(s, deals);
            continue;
        }
        if (s == gsStacking)
        {
            ++deals;
        }
        s = AnimationEndTarget(s);
    }
    EXPECT_EQ(choices, 3);
    EXPECT_EQ(deals, 3);
}

TEST(GameState, EscapeFromEveryState)
{
    for (TGameState s : kAllStates)
    {
        const TEscapeAction a = EscapeAction(s);
        if (s == gsIntro || s == gsGoToIntro)
        {
            EXPECT_EQ(a, eaQuit) << s;
        }
        else if (s == gsMindSelect)
        {
            EXPECT_EQ(a, eaIntroAtOnce) << s;
        }
        else
        {
            EXPECT_EQ(a, eaFlyToIntro) << s;
        }
    }
}

TEST(GameState, StartCountsOnlyOnTheIntro)
{
    for (TGameState s : kAllStates)
    {
        EXPECT_EQ(StartAllowed(s), s == gsIntro) << s;
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
