// krButtonClock: when a pointer button really went down or up. SDL 2 stamps the events it reads
// from the X server with the moment it fetched them, which the main loop does once a frame: on
// a slow frame the two clicks of a double click can come out a whole frame apart. The X server
// stamps every button event with its own clock when it happens; with SDL's window-system
// messages switched on, the message that precedes each SDL event carries that stamp, and this
// class turns it into SDL ticks (krButtonClock_posix.cpp). Elsewhere (other window systems,
// Windows, events pushed by a program) the events' own timestamps are used.
#pragma once

#include <SDL.h>
#include <cstdint>

class krButtonClock
{
public:
    // Asks SDL for the window-system messages that carry the stamps.
    static void Enable();

    // To be called with every event taken from SDL's queue, in order. Returns the time, in SDL
    // ticks, at which a mouse button event happened, and the event's own timestamp for every
    // other event.
    uint32_t When(const SDL_Event& event);

private:
    bool havePending = false;
    uint32_t pendingTicks = 0; // the last window-system button stamp, in SDL ticks
    bool haveOffset = false;
    uint32_t offset = 0; // SDL ticks minus server time: the smallest difference seen
};
