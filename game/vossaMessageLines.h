// vossaMessageLines: the lines of the message texts (assets/texts/msg_*.txt) that came after the
// first 22, by name, for the game and for the asset generator's fit checks: the settings rows'
// lines, then those of the twenty-seven-card trick and the replay. Each language's text holds
// them in this order after line 21; the first 22 lines are referred to by their numbers where
// they are used.
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
    mlSettingsEnd       // the line after the settings rows' lines
};

const uint64_t kMsgNumberQuestion = mlSettingsEnd;        // the question for the number, 1 to 27
const uint64_t kMsgNumberOk = kMsgNumberQuestion + 1;     // caption of the button that confirms it
const uint64_t kMsgCountOut = kMsgNumberQuestion + 2;     // the strip while the pile is counted out
const uint64_t kMsgReplayButton = kMsgNumberQuestion + 3; // "How did it work?"
const uint64_t kMsgReplayBack = kMsgNumberQuestion + 4;   // the replay's button to the step before
const uint64_t kMsgReplayNext = kMsgNumberQuestion + 5;   // the replay's button to the next step
// The replay's captions, two lines a step; the fourth step differs for the two tricks. Fields
// filled in: {n} the cards lit, {all} the cards dealt, {chain} the counts answer by answer
// ("21 -> 7 -> 3 -> 1"), {number} the number named, {minus} that number less one, {digits}
// its base-3 digits, units first.
const uint64_t kMsgReplayStep1 = kMsgNumberQuestion + 6;
const uint64_t kMsgReplayStep2 = kMsgReplayStep1 + 2;
const uint64_t kMsgReplayStep3 = kMsgReplayStep1 + 4;
const uint64_t kMsgReplayStep4 = kMsgReplayStep1 + 6;
const uint64_t kMsgReplayStep4Counted = kMsgReplayStep1 + 8;
// The number of message lines the game reads.
const uint64_t kMessageLineCount = kMsgReplayStep4Counted + 2;
static_assert(kMsgNumberQuestion == 31 && kMessageLineCount == 47,
              "the message texts hold these lines at these places");
