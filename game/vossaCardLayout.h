// vossaCardLayout: the pure arithmetic of the twenty-one-card trick. The fixed layouts (three
// rows of seven, the turning circle, the reveal ring), the new order of the cards after a
// choice, the disguise that hides the tracked card from the middle column, and the way the
// positions follow the cards when their order changes. No SDL, no OpenGL: the game applies
// these to its card boxes, and the tests follow a card through them.
//
// Slots: 0 to 6 are the bottom row, 7 to 13 the middle row, 14 to 20 the top row, each from
// left to right. Click rows: 1 top, 2 middle, 3 bottom. Slot 10 is where the chosen card ends.
#pragma once

#include <cstdint>
#include <utility>

const int32_t kCardCount = 21;
const int32_t kRowLength = 7;
// The slot that holds the chosen card after the third choice.
const int32_t kRevealSlot = 10;

// The three rows of seven: slot r*7 + c at (c*2.5 - 7.5, r*2.5 - 2.5, 0).
void InitChoiceLayout(float (*positions)[3]);
// The turning circle: radius 10, horizontal, around (0, 0, circleZ); slot 0 nearest the viewer.
void InitCircleLayout(float (*positions)[3], float circleZ);
// The reveal ring: slot 10 at (0, 0, circleZ), the other twenty on a horizontal ring of radius
// 10 around it, 18 degrees apart.
void InitRevealLayout(float (*positions)[3], float circleZ);

// The order after the player chose `row` (1, 2 or 3; any other value counts as the middle row):
// the rows are stacked with the chosen one in the middle and dealt one card at a time into the
// bottom, middle and top rows in turn. Fills newToOld so that the card that will lie in slot i
// is the one now in slot newToOld[i].
void DealOrder(int32_t row, int32_t* newToOld);

// Swaps slot 3 with rowPicks[0], 10 with rowPicks[1] and 17 with rowPicks[2] in an array of 21
// entries. The three swaps stay within their rows and undo themselves when applied twice.
// Picks outside their row are ignored.
template <class T> void SwapDisguise(T* slots, const int32_t* rowPicks)
{
    for (int32_t row = 0; row < 3; ++row)
    {
        const int32_t middle = row * kRowLength + kRowLength / 2;
        const int32_t pick = rowPicks[row];
        if (pick < row * kRowLength || pick >= (row + 1) * kRowLength || pick == middle)
        {
            continue;
        }
        std::swap(slots[middle], slots[pick]);
    }
}

// Keeps positions with the cards when their order changes: oldOrder and newOrder hold the same
// `count` distinct items by slot; afterwards positions[i] is the position the item now in slot
// i had in the old order. False, with the positions unchanged, when an item of newOrder is
// missing from oldOrder.
bool CarryPositions(const void* const* oldOrder, const void* const* newOrder, float (*positions)[3],
                    int32_t count);
