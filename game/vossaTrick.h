// vossaTrick: the card trick's own state, apart from the game class: the state of the game
// machine, the cards' order and disguise, where they stand and go, the step counters of every
// animation, the deals done, the trick chosen (21 cards in rows of seven, or 27 in rows of nine
// counted out to a number the player names) and what the replay needs of the game played.
// The state changes only through Transit, that is through the one transition table.
#pragma once

#include <cstdint>

#include "vossaCardOrder.h"
#include "vossaGameState.h"
#include "vossaReplay.h"
#include "vossaTrickPositions.h"

class krGeometry;

class vossaTrick
{
public:
    // Chooses the trick of the games to come: 21 cards, or 27 counted out to a number. Lays
    // the rows and the circle for it; the card boxes must be built again for it.
    void SetCounted(bool counted);
    bool Counted() const { return positions.Count() == kMaxCardCount; }
    int32_t CardCount() const { return positions.Count(); }
    int32_t RowLength() const { return positions.RowLength(); }
    // The number the card turns up at (27 cards); false, nothing changed, outside 1..27.
    bool SetNumber(int32_t value);
    int32_t Number() const { return number; }
    // The slot of the card revealed: the middle of the middle row, or the card counted to.
    int32_t RevealSlot() const { return Counted() ? number - 1 : kRevealSlot; }

    TGameState State() const { return state; }
    // The transition table's next state for `trigger`; false (nothing changed) when the
    // trigger changes nothing in this state.
    bool Transit(TTrigger trigger);

    // An answer `row` (1..3) in the rows shown: undoes their disguise and keeps the order it
    // makes (the pile itself after the third answer of the counted trick).
    void Prepare(krGeometry* cards, int32_t row);
    // Lays out the order kept, disguised while another answer is to come.
    void Install(krGeometry* cards);
    // Records the layout shown for the next answer (slot by slot, the boxes as they lie).
    void RecordLayout(const krGeometry* cards);

    // What the replay needs of the game played: the layouts shown for the answers (boxes by
    // slot, the disguise included), the rows answered and the shape of the trick.
    const TTrickRecord_s& Record() const { return record; }

    vossaCardOrder order;          // the pending order and the disguise of the layout shown
    vossaTrickPositions positions; // where the cards stand and go
    int32_t dealCount = 0;         // deals completed in this game
    int32_t mixerFrame = 10;       // steps of the gather
    int32_t stackingFrame = 0;     // steps of the deal
    int32_t presentationFrame = 0; // steps of the flight to the reveal
    int32_t returnFrame = 0;       // steps of the flights back
    int32_t countFrame = 0;        // steps of the count-out

private:
    TGameState state = gsIntro;
    int32_t number = 1;
    TTrickRecord_s record = {};
};
