// vossaMessageLines: the lines of the message texts (assets/texts/msg_*.txt) added for the
// twenty-seven-card trick and the replay, by name. The first 22 lines are referred to by their
// numbers where they are used.
#pragma once

#include <cstdint>

const uint64_t kMsgNumberQuestion = 22; // the question for the number, 1 to 27
const uint64_t kMsgNumberOk = 23;       // caption of the button that confirms the number
const uint64_t kMsgCountOut = 24;       // the strip while the pile is counted out
// The number of message lines the game reads.
const uint64_t kMessageLineCount = 25;
