// vossaTrickPositions: where the cards (21, or 27 in rows of nine) stand and go in every phase
// of the trick, free of OpenGL. `current` is where each slot's card is drawn; the other sets are
// the targets the cards close in on (a tenth of the distance a step) or turn with. Each method is
// one update step, or the start of a phase; the game copies `current` (or the set named) to its
// boxes.
#pragma once

#include <cstdint>

#include "vossaCardLayout.h"

class vossaTrickPositions
{
public:
    // The choice rows of seven laid out and not pulsing, the circle at z = -5; the others zero.
    vossaTrickPositions();

    // Rows of seven or nine (21 or 27 cards): lays the rows and the circle for them.
    void SetRowLength(int32_t length);
    int32_t Count() const { return count; }
    int32_t RowLength() const { return rowLength; }

    void LayChoice();
    void LayCircle();
    // The ring around `revealSlot`.
    void LayReveal(int32_t revealSlot = kRevealSlot);
    // The pile on the left of the rows' plane, slot 0 on top, slot i below it.
    void LayPile();
    // The counted card `slot` goes onto the counted pile on the right as the card `counted`.
    void CountOnto(int32_t slot, int32_t counted);

    // The choice rows breathe: 20 steps growing by 0.2 %, then shrinking as long, and so on.
    void PulseChoice();
    // The circle turns 0.5 degrees about its vertical axis.
    void TurnCircle();

    // The first gather: the cards leave the circle where it stands and tumble away from the
    // camera a tenth of a unit a step (without `tumble` they only slide away);
    // KeepGathered() makes where they end the gather target.
    void StartFirstGather();
    void FirstGatherStep(bool tumble = true);
    void KeepGathered();
    // A later gather: the target tumbles (or stands, without `tumble`) and the cards close in
    // on it.
    void GatherStep(bool tumble = true);
    // The cards close in on the choice rows, on the reveal layout or on the pile.
    void StackStep();
    void RevealStep();
    void PileStep();
    // The reveal ring tumbles (about x, y and z); without `tumble` it stands.
    void SpinReveal(bool tumble = true);
    // The return from the reveal starts from its ring; each step the circle turns and the
    // cards close in on it; SettleCircle() makes the circle where they have come to.
    void StartReturnFromReveal();
    void ReturnStep();
    void SettleCircle();
    // The cards close in on the circle, which stands still.
    void HomeStep();

    float current[kMaxCardCount][3];
    float choice[kMaxCardCount][3];
    float circle[kMaxCardCount][3];
    float stack[kMaxCardCount][3];
    float reveal[kMaxCardCount][3];
    float pile[kMaxCardCount][3];
    float circleZ = -5.0f;
    float gatherZ = -5.0f;

private:
    int32_t count = kCardCount;
    int32_t rowLength = kRowLength;
    int32_t pulseCounter = 0;
    bool pulseGrowing = true;
};
