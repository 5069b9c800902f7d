// Tests of the replay's record: games of both tricks played truthfully under random disguises
// are recorded layout by layout, and the cards lit after each answer are exactly those still
// possible (7, then 2 or 3, then 1 of 21; 9, 3, 1 of 27), the followed card always among them;
// step 4 deals the first layout as the game dealt it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "vossaReplay.h"

namespace
{
// Plays a game of 3 * rowLength cards (ids 0..; their addresses stand for the boxes) following
// `card` from slot `start`, disguised as the game disguises, and records it as the game does.
TTrickRecord_s PlayAndRecord(const int32_t* ids, int32_t rowLength, int32_t number, int32_t start,
                             int32_t* followed)
{
    const int32_t count = 3 * rowLength;
    const int32_t* order[kMaxCardCount];
    for (int32_t i = 0; i < count; ++i)
    {
        order[i] = &ids[i];
    }
    int32_t picks[3] = {rand() % rowLength, rand() % rowLength + rowLength,
                        rand() % rowLength + 2 * rowLength};
    SwapDisguise(order, picks, rowLength);
    *followed = *order[start];
    TTrickRecord_s record = {};
    record.rowLength = rowLength;
    record.number = number;
    for (int32_t answer = 0; answer < 3; ++answer)
    {
        int32_t slot = 0;
        while (*order[slot] != *followed)
        {
            ++slot;
        }
        for (int32_t i = 0; i < count; ++i)
        {
            record.layouts[answer][i] = order[i];
        }
        record.answers[answer] = 3 - slot / rowLength;
        ++record.recorded;
        SwapDisguise(order, picks, rowLength);
        int32_t newToOld[kMaxCardCount];
        DealOrder(record.answers[answer], newToOld, rowLength,
                  number > 0 ? PilePlaceFor(number, answer) : ppMiddle);
        const int32_t* next[kMaxCardCount];
        for (int32_t i = 0; i < count; ++i)
        {
            next[i] = order[newToOld[i]];
        }
        std::copy(next, next + count, order);
        picks[0] = rand() % rowLength;
        picks[1] = rand() % rowLength + rowLength;
        picks[2] = rand() % rowLength + 2 * rowLength;
        SwapDisguise(order, picks, rowLength);
    }
    return record;
}
} // namespace

TEST(Replay, LitCardsAreThoseStillPossibleAfterEachAnswerInBothTricks)
{
    int32_t ids[kMaxCardCount];
    for (int32_t i = 0; i < kMaxCardCount; ++i)
    {
        ids[i] = i;
    }
    srand(4711);
    for (const int32_t rowLength : {kRowLength, kMaxRowLength})
    {
        const int32_t count = 3 * rowLength;
        for (int32_t start = 0; start < count; ++start)
        {
            SCOPED_TRACE(testing::Message() << "rows of " << rowLength << ", start " << start);
            const int32_t number = rowLength == kMaxRowLength ? 1 + start % count : 0;
            int32_t followed = -1;
            const TTrickRecord_s record = PlayAndRecord(ids, rowLength, number, start, &followed);
            vossaReplay replay;
            ASSERT_TRUE(replay.Open(record));
            const int32_t second = CandidateCount(record, 1);
            EXPECT_EQ(CandidateCount(record, 0), rowLength);
            EXPECT_TRUE(rowLength == kRowLength ? second == 2 || second == 3 : second == 3)
                << second;
            EXPECT_EQ(CandidateCount(record, 2), 1);
            for (int32_t step = 1; step <= 3; ++step)
            {
                EXPECT_EQ(replay.Step(), step);
                EXPECT_EQ(replay.LitCount(), CandidateCount(record, step - 1));
                EXPECT_TRUE(replay.Lit(&ids[followed]));
                EXPECT_EQ(replay.MarkedRow(), 3 - record.answers[step - 1]);
                // The followed card stands in its slot of that layout.
                float at[3];
                ASSERT_TRUE(replay.Target(&ids[followed], at));
                int32_t slot = 0;
                while (record.layouts[step - 1][slot] != &ids[followed])
                {
                    ++slot;
                }
                EXPECT_FLOAT_EQ(at[0], 2.5f * (slot % rowLength) - 1.25f * (rowLength - 1));
                replay.Next();
            }
            // Step 4, dealt to the end: every card of the first layout in the slot the deal of
            // the first answer gave it (two units higher), the first answer's candidates lit.
            EXPECT_EQ(replay.Step(), 4);
            EXPECT_EQ(replay.MarkedRow(), -1);
            EXPECT_EQ(replay.LitCount(), rowLength);
            for (int32_t i = 0; i < 300; ++i)
            {
                replay.Update();
            }
            EXPECT_TRUE(replay.Dealt());
            int32_t newToOld[kMaxCardCount];
            DealOrder(record.answers[0], newToOld, rowLength,
                      number > 0 ? PilePlaceFor(number, 0) : ppMiddle);
            for (int32_t to = 0; to < count; ++to)
            {
                float at[3];
                ASSERT_TRUE(replay.Target(record.layouts[0][newToOld[to]], at));
                EXPECT_FLOAT_EQ(at[1], 2.5f * (to / rowLength) - 2.5f + 2.0f) << "slot " << to;
            }
            EXPECT_FALSE(replay.Next());
            EXPECT_TRUE(replay.Back());
        }
    }
    // A game not played to its third answer has nothing to replay.
    TTrickRecord_s partial = {};
    partial.rowLength = kRowLength;
    partial.recorded = 2;
    vossaReplay replay;
    EXPECT_FALSE(replay.Open(partial));
}
