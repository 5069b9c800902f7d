// vossaCardLayout: the pure arithmetic of the card tricks, for three rows of seven (the
// twenty-one-card trick) or of nine (the twenty-seven-card trick). The fixed layouts (the rows,
// the turning circle, the reveal ring), the new order of the cards after a choice, the
// disguise that hides the tracked card from the middle column, and the way the positions
// follow the cards when their order changes. No SDL, no OpenGL: the game applies these to its
// card boxes, and the tests follow a card through them.
//
// Slots, with rows of n: 0 to n-1 are the bottom row, n to 2n-1 the middle row, 2n to 3n-1 the
// top row, each from left to right. Click rows: 1 top, 2 middle, 3 bottom. With rows of seven
// slot 10 is where the chosen card ends.
#pragma once

#include <cstdint>
#include <utility>

const int32_t kCardCount = 21;
const int32_t kRowLength = 7;
// The larger trick: three rows of nine.
const int32_t kMaxCardCount = 27;
const int32_t kMaxRowLength = 9;
// The slot that holds the chosen card after the third choice.
const int32_t kRevealSlot = 10;

// Where a gathered row goes in the pile: on top, in the middle or at the bottom.
enum TPilePlace : int32_t
{
    ppTop = 0,
    ppMiddle = 1,
    ppBottom = 2,
};

// The three rows: slot r*n + c at (c*2.5 - (n-1)*1.25, r*2.5 - 2.5, 0) for rows of n.
void InitChoiceLayout(float (*positions)[3], int32_t rowLength = kRowLength);
// The turning circle of `count` cards: radius 10, horizontal, around (0, 0, circleZ); slot 0
// nearest the viewer.
void InitCircleLayout(float (*positions)[3], float circleZ, int32_t count = kCardCount);
// The reveal ring: `revealSlot` at (0, 0, circleZ), the other count-1 cards evenly on a
// horizontal ring of radius 10 around it (18 degrees apart for 21 cards).
void InitRevealLayout(float (*positions)[3], float circleZ, int32_t count = kCardCount,
                      int32_t revealSlot = kRevealSlot);

// The pile the rows make when the player chose `row` (1, 2 or 3; any other value counts as the
// middle row): the chosen row at `place`, the other two in the order bottom, top, middle row;
// each row from left to right. pile[j] is the slot of the card at pile position j (0: top).
// Rows are of seven or nine (any other length counts as seven); `pile` holds 3 * rowLength.
void GatherPile(int32_t row, TPilePlace place, int32_t rowLength, int32_t* pile);

// The order after the player chose `row`: the pile of GatherPile dealt one card at a time from
// its top into the bottom, middle and top rows in turn. Fills newToOld so that the card that
// will lie in slot i is the one now in slot newToOld[i]. The twenty-one-card trick gathers the
// chosen row into the middle.
void DealOrder(int32_t row, int32_t* newToOld, int32_t rowLength = kRowLength,
               TPilePlace place = ppMiddle);

// The place of the chosen row at answer `answer` (0, 1, 2) that brings the followed card to
// pile position `number` (1 to 27, counted from the top) after three answers: digit `answer`
// of number - 1 in base 3, units first (0 top, 1 middle, 2 bottom).
TPilePlace PilePlaceFor(int32_t number, int32_t answer);

// Swaps each row's middle slot with that row's pick (rowPicks[0] in the bottom row, [1] in the
// middle row, [2] in the top row) in an array of 3 * rowLength entries. The three swaps stay
// within their rows and undo themselves when applied twice. Picks outside their row are
// ignored.
template <class T>
void SwapDisguise(T* slots, const int32_t* rowPicks, int32_t rowLength = kRowLength)
{
    for (int32_t row = 0; row < 3; ++row)
    {
        const int32_t middle = row * rowLength + rowLength / 2;
        const int32_t pick = rowPicks[row];
        if (pick < row * rowLength || pick >= (row + 1) * rowLength || pick == middle)
        {
            continue;
        }
        std::swap(slots[middle], slots[pick]);
    }
}

// Keeps positions with the cards when their order changes: oldOrder and newOrder hold the same
// `count` (at most kMaxCardCount) distinct items by slot; afterwards positions[i] is the position
// the item now in slot i had in the old order. False, with the positions unchanged, when an item of
// newOrder is missing from oldOrder.
bool CarryPositions(const void* const* oldOrder, const void* const* newOrder, float (*positions)[3],
                    int32_t count);
