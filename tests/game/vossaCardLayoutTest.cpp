// Tests of the trick's pure logic: layouts, the deal order with the worked example, the
// disguise, three truthful answers from every slot, and positions carried with the cards.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <numeric>

#include "vossaCardLayout.h"

namespace
{
// The click row (1 top, 2 middle, 3 bottom) of a slot.
int32_t RowOfSlot(int32_t slot)
{
    return 3 - slot / kRowLength;
}

using TOrder = std::array<int32_t, kCardCount>;

// The cards 0 to 20 in their slots.
TOrder SlotOrder()
{
    TOrder order;
    std::iota(order.begin(), order.end(), 0);
    return order;
}

// The order after the player answers `row`.
void Deal(TOrder& order, int32_t row)
{
    int32_t newToOld[kCardCount];
    DealOrder(row, newToOld);
    const TOrder old = order;
    for (int32_t i = 0; i < kCardCount; ++i)
    {
        order[i] = old[newToOld[i]];
    }
}

// Fresh picks for the disguise, one slot of each row.
void Pick(int32_t* rowPicks)
{
    for (int32_t r = 0; r < 3; ++r)
    {
        rowPicks[r] = rand() % 7 + 7 * r;
    }
}

// One answer the way the game gives it: undo the disguise of the layout on screen, deal, then
// disguise the new layout with fresh picks unless it is the last one.
void Answer(TOrder& order, int32_t row, int32_t* rowPicks, bool disguise)
{
    SwapDisguise(order.data(), rowPicks);
    Deal(order, row);
    Pick(rowPicks);
    if (disguise)
    {
        SwapDisguise(order.data(), rowPicks);
    }
}

int32_t SlotOf(const TOrder& order, int32_t card)
{
    return static_cast<int32_t>(std::find(order.begin(), order.end(), card) - order.begin());
}
} // namespace

TEST(CardLayout, RowsAreSevenColumnsTwoAndAHalfApart)
{
    float p[kCardCount][3];
    InitChoiceLayout(p);
    EXPECT_FLOAT_EQ(p[0][0], -7.5f);
    EXPECT_FLOAT_EQ(p[0][1], -2.5f);
    EXPECT_FLOAT_EQ(p[10][0], 0.0f);
    EXPECT_FLOAT_EQ(p[10][1], 0.0f);
    EXPECT_FLOAT_EQ(p[20][0], 7.5f);
    EXPECT_FLOAT_EQ(p[20][1], 2.5f);
    for (int32_t i = 0; i < kCardCount; ++i)
    {
        EXPECT_FLOAT_EQ(p[i][2], 0.0f);
    }
}

TEST(CardLayout, CircleIsHorizontalRadiusTenAroundItsCentre)
{
    float p[kCardCount][3];
    InitCircleLayout(p, -5.0f);
    EXPECT_NEAR(p[0][0], 0.0f, 1e-5);
    EXPECT_NEAR(p[0][1], 0.0f, 1e-5);
    EXPECT_NEAR(p[0][2], 5.0f, 1e-5);
    for (int32_t i = 0; i < kCardCount; ++i)
    {
        EXPECT_NEAR(p[i][1], 0.0f, 1e-5) << i;
        EXPECT_NEAR(std::hypot(p[i][0], p[i][2] + 5.0f), 10.0f, 1e-4) << i;
    }
}

TEST(CardLayout, RevealRingHoldsTheChosenCardAtItsCentre)
{
    float p[kCardCount][3];
    InitRevealLayout(p, -5.0f);
    EXPECT_FLOAT_EQ(p[kRevealSlot][0], 0.0f);
    EXPECT_FLOAT_EQ(p[kRevealSlot][1], 0.0f);
    EXPECT_FLOAT_EQ(p[kRevealSlot][2], -5.0f);
    for (int32_t i = 0; i < kCardCount; ++i)
    {
        if (i == kRevealSlot)
        {
            continue;
        }
        EXPECT_NEAR(p[i][1], 0.0f, 1e-5) << i;
        EXPECT_NEAR(std::hypot(p[i][0], p[i][2] + 5.0f), 10.0f, 1e-4) << i;
    }
    // Twenty cards 18 degrees apart: neighbours on the ring are 2 * 10 * sin(9deg) apart.
    EXPECT_NEAR(std::hypot(p[1][0] - p[0][0], p[1][2] - p[0][2]), 20.0 * std::sin(M_PI / 20), 1e-4);
}

// Top row: stacked bottom, top, middle (the worked example); middle row: in slot order, the
// corners and the centre kept; bottom row: stacked top, bottom, middle. Whatever the row, it
// lands in the middle columns.
TEST(CardLayout, ExactNewOrderForEachRow)
{
    const TOrder expected[3] = {
        {0, 3, 6, 16, 19, 8, 11, 1, 4, 14, 17, 20, 9, 12, 2, 5, 15, 18, 7, 10, 13},
        {0, 3, 6, 9, 12, 15, 18, 1, 4, 7, 10, 13, 16, 19, 2, 5, 8, 11, 14, 17, 20},
        {14, 17, 20, 2, 5, 8, 11, 15, 18, 0, 3, 6, 9, 12, 16, 19, 1, 4, 7, 10, 13}};
    for (int32_t row = 1; row <= 3; ++row)
    {
        TOrder order = SlotOrder();
        Deal(order, row);
        EXPECT_EQ(order, expected[row - 1]) << "row " << row;
        for (int32_t slot : {3, 4, 9, 10, 11, 16, 17})
        {
            EXPECT_EQ(RowOfSlot(order[slot]), row) << "row " << row << " slot " << slot;
        }
    }
}

TEST(CardLayout, FollowedCardOfTheExampleEndsInSlotTen)
{
    TOrder order = SlotOrder();
    const int32_t rows[3] = {3, 3, 1};
    const int32_t slots[3] = {4, 17, 10};
    for (int32_t k = 0; k < 3; ++k)
    {
        Deal(order, rows[k]);
        EXPECT_EQ(SlotOf(order, 5), slots[k]) << "after choice " << k + 1;
    }
}

TEST(CardLayout, DisguiseStaysInRowsAndUndoesItself)
{
    TOrder order = SlotOrder();
    const int32_t picks[3] = {0, 13, 17};
    SwapDisguise(order.data(), picks);
    EXPECT_EQ(order[3], 0);
    EXPECT_EQ(order[0], 3);
    EXPECT_EQ(order[10], 13);
    EXPECT_EQ(order[13], 10);
    EXPECT_EQ(order[17], 17); // a pick equal to the middle slot leaves the row alone
    for (int32_t i = 0; i < kCardCount; ++i)
    {
        EXPECT_EQ(RowOfSlot(order[i]), RowOfSlot(i));
    }
    SwapDisguise(order.data(), picks);
    EXPECT_EQ(order, SlotOrder());
    // Picks outside their rows (damaged state) are ignored rather than trusted.
    const int32_t wild[3] = {-4, 99, 3};
    SwapDisguise(order.data(), wild);
    EXPECT_EQ(order, SlotOrder());
}

TEST(CardLayout, ThreeTruthfulAnswersRevealTheCardFromEverySlot)
{
    srand(12345);
    for (int32_t start = 0; start < kCardCount; ++start)
    {
        for (int32_t game = 0; game < 50; ++game)
        {
            TOrder order = SlotOrder();
            // The layout on screen may carry any disguise left by an earlier game.
            int32_t rowPicks[3];
            Pick(rowPicks);
            SwapDisguise(order.data(), rowPicks);
            const int32_t card = order[start];
            for (int32_t answer = 0; answer < 3; ++answer)
            {
                Answer(order, RowOfSlot(SlotOf(order, card)), rowPicks, answer < 2);
            }
            ASSERT_EQ(order[kRevealSlot], card) << "start slot " << start << " game " << game;
        }
    }
}

TEST(CardLayout, PositionsFollowTheirItemsToTheNewOrder)
{
    int items[kCardCount];
    const void* oldOrder[kCardCount];
    const void* newOrder[kCardCount];
    float positions[kCardCount][3];
    int32_t newToOld[kCardCount];
    DealOrder(3, newToOld);
    for (int32_t i = 0; i < kCardCount; ++i)
    {
        oldOrder[i] = &items[i];
        positions[i][0] = static_cast<float>(i);
        positions[i][1] = -static_cast<float>(i);
        positions[i][2] = 0.5f * i;
    }
    for (int32_t i = 0; i < kCardCount; ++i)
    {
        newOrder[i] = oldOrder[newToOld[i]];
    }
    ASSERT_TRUE(CarryPositions(oldOrder, newOrder, positions, kCardCount));
    for (int32_t i = 0; i < kCardCount; ++i)
    {
        EXPECT_FLOAT_EQ(positions[i][0], static_cast<float>(newToOld[i]));
        EXPECT_FLOAT_EQ(positions[i][1], -static_cast<float>(newToOld[i]));
        EXPECT_FLOAT_EQ(positions[i][2], 0.5f * newToOld[i]);
    }

    // An item that was not in the old order leaves the positions as they were.
    int stranger = 0;
    newOrder[5] = &stranger;
    float before[kCardCount][3];
    std::copy(&positions[0][0], &positions[0][0] + 3 * kCardCount, &before[0][0]);
    EXPECT_FALSE(CarryPositions(oldOrder, newOrder, positions, kCardCount));
    for (int32_t i = 0; i < kCardCount; ++i)
    {
        EXPECT_FLOAT_EQ(positions[i][0], before[i][0]);
    }
}

// Rows of nine, at their widest breath, seen from the camera of the rows (on the z axis at
// 20 / aspect, 60 degrees high): every card's edges stay on screen at 16:9, 16:10, 4:3 and 5:4.
TEST(CardLayout, RowsOfNineFitEveryScreenShape)
{
    float p[kMaxCardCount][3];
    InitChoiceLayout(p, kMaxRowLength);
    const float breath = std::pow(1.002f, 20.0f);
    const float halfCard[2] = {0.315f * 5.0f / 2.0f, 0.44f * 5.0f / 2.0f};
    for (const float aspect : {16.0f / 9.0f, 16.0f / 10.0f, 4.0f / 3.0f, 5.0f / 4.0f})
    {
        const float halfHigh = 20.0f / aspect * std::tan(30.0f * 3.14159265f / 180.0f);
        const float halfWide = halfHigh * aspect;
        for (int32_t i = 0; i < kMaxCardCount; ++i)
        {
            EXPECT_LT(std::fabs(p[i][0] * breath) + halfCard[0], halfWide) << aspect << " " << i;
            EXPECT_LT(std::fabs(p[i][1] * breath) + halfCard[1], halfHigh) << aspect << " " << i;
        }
    }
}
