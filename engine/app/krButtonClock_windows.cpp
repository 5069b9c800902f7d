// krButtonClock, Windows: SDL stamps the button events it makes of Windows' messages as it
// reads them, and the messages carry no clock of their own that SDL hands on; the events' own
// timestamps are the best there is.
#include "app/krButtonClock.h"

void krButtonClock::Enable() {}

uint32_t krButtonClock::When(const SDL_Event& event)
{
    return event.common.timestamp;
}
