// Games of both tricks played truthfully under random disguises, as the game orders, disguises
// and records them: the 21-card trick ends with the card in slot 10; the 27-card trick, for
// every number and every starting slot, ends with it where a model of the rule (written as a
// player would carry it out) has it, at the number. The replay of each game lights exactly the
// cards still possible (7, then 2 or 3, then 1 of 21; 9, 3, 1 of 27), the followed card always
// among them, and its step 4 deals the first layout as the game dealt it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <vector>

#include "vossaReplay.h"

namespace
{
// The twenty-seven-card rule as a player would carry it out with real cards, rows as lists
// from left to right: the chosen row goes on top, in the middle or at the bottom of the pile
// as digit `answer` of number - 1 in base 3 (units first) says, the others around it in any
// order; the pile is dealt from its top one card to each row in turn (bottom, middle, top).
// Returns the pile after the third answer, top first.
std::vector<int32_t> CountedModel(std::vector<std::vector<int32_t>> rows, int32_t card,
                                  int32_t number)
{
    auto holdsCard = [&](const std::vector<int32_t>& row)
    { return std::find(row.begin(), row.end(), card) != row.end(); };
    std::vector<int32_t> pile;
    for (int32_t answer = 0, digits = number - 1; answer < 3; ++answer, digits /= 3)
    {
        std::vector<std::vector<int32_t>> parts;
        std::remove_copy_if(rows.begin(), rows.end(), std::back_inserter(parts), holdsCard);
        parts.insert(parts.begin() + digits % 3,
                     *std::find_if(rows.begin(), rows.end(), holdsCard));
        pile.clear();
        for (const auto& part : parts)
        {
            pile.insert(pile.end(), part.begin(), part.end());
        }
        rows.assign(3, {});
        for (size_t j = 0; j < pile.size(); ++j)
        {
            rows[j % 3].push_back(pile[j]);
        }
    }
    return pile;
}

// The slot of `card` in `layout`, a layout of `count` cards.
template <typename T> int32_t SlotIn(const T* layout, int32_t count, const void* card)
{
    return static_cast<int32_t>(std::find(layout, layout + count, card) - layout);
}

// Plays a game of 3 * rowLength cards (ids 0..; their addresses stand for the boxes) following
// the card in slot `start`, disguised as the game disguises, and records it as the game does;
// `order` ends as the game lays the cards out after the third answer (the pile, top first, of
// the 27-card trick).
TTrickRecord_s PlayAndRecord(const int32_t* ids, int32_t rowLength, int32_t number, int32_t start,
                             int32_t* followed, const int32_t** order)
{
    const int32_t count = 3 * rowLength;
    for (int32_t i = 0; i < count; ++i)
    {
        order[i] = &ids[i];
    }
    int32_t picks[3];
    auto pick = [&]()
    {
        for (int32_t r = 0; r < 3; ++r)
        {
            picks[r] = rand() % rowLength + r * rowLength;
        }
    };
    pick();
    SwapDisguise(order, picks, rowLength);
    const int32_t* card = order[start];
    *followed = *card;
    TTrickRecord_s record = {};
    record.rowLength = rowLength;
    record.number = number;
    for (int32_t answer = 0; answer < 3; ++answer)
    {
        const int32_t slot = SlotIn(order, count, card);
        for (int32_t i = 0; i < count; ++i)
        {
            record.layouts[answer][i] = order[i];
        }
        record.answers[answer] = 3 - slot / rowLength;
        ++record.recorded;
        SwapDisguise(order, picks, rowLength);
        int32_t newToOld[kMaxCardCount];
        const TPilePlace place = number > 0 ? PilePlaceFor(number, answer) : ppMiddle;
        if (number > 0 && answer == 2)
        {
            GatherPile(record.answers[answer], place, rowLength, newToOld);
        }
        else
        {
            DealOrder(record.answers[answer], newToOld, rowLength, place);
        }
        const int32_t* next[kMaxCardCount];
        for (int32_t i = 0; i < count; ++i)
        {
            next[i] = order[newToOld[i]];
        }
        std::copy(next, next + count, order);
        pick();
        if (answer < 2)
        {
            SwapDisguise(order, picks, rowLength);
        }
    }
    return record;
}
} // namespace

TEST(Replay, GamesOfBothTricksFindTheCardAndLightTheCardsStillPossible)
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
        for (int32_t game = 0; game < (rowLength == kRowLength ? count : count * count); ++game)
        {
            const int32_t start = game % count;
            const int32_t number = rowLength == kMaxRowLength ? 1 + game / count : 0;
            SCOPED_TRACE(testing::Message() << "rows of " << rowLength << ", start " << start
                                            << ", number " << number);
            int32_t followed = -1;
            const int32_t* order[kMaxCardCount];
            const TTrickRecord_s record =
                PlayAndRecord(ids, rowLength, number, start, &followed, order);
            ASSERT_EQ(*order[number > 0 ? number - 1 : kRevealSlot], followed);
            if (number > 0)
            {
                std::vector<std::vector<int32_t>> rows(3);
                for (int32_t i = 0; i < count; ++i)
                {
                    rows[i / rowLength].push_back(
                        *static_cast<const int32_t*>(record.layouts[0][i]));
                }
                ASSERT_EQ(CountedModel(rows, followed, number)[number - 1], followed);
            }
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
                const int32_t slot = SlotIn(record.layouts[step - 1], count, &ids[followed]);
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
