// vossaMessageLines: the message lines of the settings rows that came after the first 22
// lines, by name, for the game and for the asset generator's fit checks. Each language's text
// holds them in this order after line 21.
#pragma once

#include <cstdint>

enum TMessageLine : uint64_t
{
    mlTrickLabel = 22,  // settings, label of the trick row
    mlTrick21,          // trick button caption: the 21-card trick
    mlTrick27,          // trick button caption: the 27-card trick
    mlSuitsLabel,       // settings, label of the suits row
    mlSuitsTwoColours,  // suits button caption: hearts and diamonds red, the others black
    mlSuitsFourColours, // suits button caption: every suit its own colour
    mlMotionLabel,      // settings, label of the motion row
    mlMotionFull,       // motion button caption: everything moves
    mlMotionReduced,    // motion button caption: no tumbling, swooping, spinning or scrolling
    mlMessageCount      // the lines a language's text holds at least
};
