// vossaReplay: "How did it work?", the replay of the game just played, free of OpenGL. From
// the record of the game (the three layouts as they were dealt, disguise included, and the
// rows answered) it knows, for each of its four steps, where every card goes and which cards
// are lit: steps 1 to 3 lay the cards out as they lay for answer 1, 2 or 3 and light the cards
// that could still be the player's after that answer (7, then 2 or 3, then 1 of 21; 9, 3, 1 of
// 27); step 4 gathers the first layout into the pile, the chosen row at its place, and deals
// it slowly, one card to each row in turn, the candidates of the first answer lit.
#pragma once

#include <cstdint>

#include "vossaCardLayout.h"

// What the replay needs of a game, recorded while it is played.
struct TTrickRecord_s
{
    const void* layouts[3][kMaxCardCount]; // the cards by slot as each answer found them
    int32_t answers[3];                    // the rows answered: 1 top, 2 middle, 3 bottom
    int32_t recorded;                      // layouts recorded (an answer follows each)
    int32_t rowLength;                     // 7 or 9
    int32_t number;                        // the number named (27 cards), else 0
};

// True when `card` could still be the player's after answer `answer` (0..2): it lay in the row
// answered in every layout up to that one.
bool IsCandidate(const TTrickRecord_s& record, int32_t answer, const void* card);
// How many cards could still be the player's after answer `answer`.
int32_t CandidateCount(const TTrickRecord_s& record, int32_t answer);

class vossaReplay
{
public:
    static constexpr int32_t kSteps = 4;
    // Steps of step 4: the gather into the pile, then one card dealt every kDealEvery steps.
    static constexpr int32_t kGatherSteps = 60;
    static constexpr int32_t kDealEvery = 8;

    // Starts at step 1; false (nothing opened) unless the record holds three answers.
    bool Open(const TTrickRecord_s& record);
    void Close() { open = false; }
    bool IsOpen() const { return open; }
    // The next or the step before; false when there is none.
    bool Next();
    bool Back();
    // One update step (the slow deal of step 4).
    void Update();

    int32_t Step() const { return step; }
    const TTrickRecord_s& Record() const { return record; }
    // Where `card` goes now; false when the card is not in the record.
    bool Target(const void* card, float out[3]) const;
    bool Lit(const void* card) const;
    int32_t LitCount() const;
    // The row marked, counted from the bottom (0..2), or -1 (step 4).
    int32_t MarkedRow() const;
    // True once step 4 has dealt every card.
    bool Dealt() const;

private:
    // The slot of `card` in layout `layout`, or -1.
    int32_t SlotIn(int32_t layout, const void* card) const;

    TTrickRecord_s record = {};
    bool open = false;
    int32_t step = 1;
    int32_t frame = 0;
    int32_t pile[kMaxCardCount] = {}; // step 4: the slots of layout 1 in pile order
    float rows[kMaxCardCount][3] = {};
};
