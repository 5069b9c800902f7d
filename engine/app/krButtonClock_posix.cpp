// krButtonClock, X11 systems: X server button stamps carried over to SDL ticks (elsewhere the
// events' own timestamps).
#include "app/krButtonClock.h"

// Last: the window-system header brings Xlib's macros with it.
#include <SDL_syswm.h>

void krButtonClock::Enable()
{
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

uint32_t krButtonClock::When(const SDL_Event& event)
{
    if (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP)
    {
        // One button event is made of one server event.
        const bool stamped = havePending;
        havePending = false;
        return stamped ? pendingTicks : event.button.timestamp;
    }
    if (event.type != SDL_SYSWMEVENT)
    {
        return event.common.timestamp;
    }
    // A new window-system message: the events SDL made of the previous one are past.
    havePending = false;
#if defined(SDL_VIDEO_DRIVER_X11)
    const SDL_SysWMmsg* message = event.syswm.msg;
    if (message == nullptr || message->subsystem != SDL_SYSWM_X11)
    {
        return event.common.timestamp;
    }
    const XEvent& x = message->msg.x11.event;
    // Buttons 4 to 7 are the wheel's, which SDL turns into wheel events.
    if ((x.type != ButtonPress && x.type != ButtonRelease) ||
        (x.xbutton.button >= 4 && x.xbutton.button <= 7))
    {
        return event.common.timestamp;
    }
    // Both clocks count milliseconds and wrap at 32 bits. SDL stamped the message when it
    // fetched it, never before the server's stamp, so the smallest difference seen is the
    // closest to the clocks' true offset.
    const uint32_t serverTime = static_cast<uint32_t>(x.xbutton.time);
    const uint32_t difference = event.syswm.timestamp - serverTime;
    if (!haveOffset || static_cast<int32_t>(difference - offset) < 0)
    {
        offset = difference;
        haveOffset = true;
    }
    pendingTicks = serverTime + offset;
    havePending = true;
#endif
    return event.common.timestamp;
}
