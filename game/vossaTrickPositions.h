// vossaTrickPositions: where the 21 cards stand and go in every phase of the trick, free of
// OpenGL. `current` is where each slot's card is drawn; the other sets are the targets the
// cards close in on (a tenth of the distance a step) or turn with. Each method is one update
// step, or the start of a phase; the game copies `current` (or the set named) to its boxes.
#pragma once

#include <cstdint>

#include "vossaCardLayout.h"

class vossaTrickPositions
{
public:
    // The choice rows laid out and not pulsing, the circle at z = -5; the others zero.
    vossaTrickPositions();

    void LayChoice();
    void LayCircle();
    void LayReveal();

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
    // The cards close in on the choice rows, or on the reveal layout.
    void StackStep();
    void RevealStep();
    // The reveal ring tumbles (about x, y and z); without `tumble` it stands.
    void SpinReveal(bool tumble = true);
    // The return from the reveal starts from its ring; each step the circle turns and the
    // cards close in on it; SettleCircle() makes the circle where they have come to.
    void StartReturnFromReveal();
    void ReturnStep();
    void SettleCircle();
    // The cards close in on the circle, which stands still.
    void HomeStep();

    float current[kCardCount][3];
    float choice[kCardCount][3];
    float circle[kCardCount][3];
    float stack[kCardCount][3];
    float reveal[kCardCount][3];
    float circleZ = -5.0f;
    float gatherZ = -5.0f;

private:
    int32_t pulseCounter = 0;
    bool pulseGrowing = true;
};
