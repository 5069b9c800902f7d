// vossaMessageLines: the lines of the message texts (assets/texts/msg_*.txt) added for the
// twenty-seven-card trick and the replay, by name. The first 22 lines are referred to by their
// numbers where they are used.
#pragma once

#include <cstdint>

const uint64_t kMsgNumberQuestion = 22; // the question for the number, 1 to 27
const uint64_t kMsgNumberOk = 23;       // caption of the button that confirms the number
const uint64_t kMsgCountOut = 24;       // the strip while the pile is counted out
const uint64_t kMsgReplayButton = 25;   // "How did it work?"
const uint64_t kMsgReplayBack = 26;     // the replay's button to the step before
const uint64_t kMsgReplayNext = 27;     // the replay's button to the next step
// The replay's captions, two lines a step; the fourth step differs for the two tricks. Fields
// filled in: {n} the cards lit, {all} the cards dealt, {chain} the counts answer by answer
// ("21 -> 7 -> 3 -> 1"), {number} the number named, {minus} that number less one, {digits}
// its base-3 digits, units first.
const uint64_t kMsgReplayStep1 = 28;
const uint64_t kMsgReplayStep2 = 30;
const uint64_t kMsgReplayStep3 = 32;
const uint64_t kMsgReplayStep4 = 34;
const uint64_t kMsgReplayStep4Counted = 36;
// The number of message lines the game reads.
const uint64_t kMessageLineCount = 38;
