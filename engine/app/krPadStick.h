// krPadStick: an analogue stick turned into pushes of the four directions, one push per
// movement away from the centre. Within the dead zone the stick counts as let go, so a worn
// stick that never quite centres pushes nothing. A push is reported when one axis goes past
// the push zone; no other is reported until the stick has come back inside the dead zone, so
// holding it, or wobbling it out there, moves nothing more. Axis values are SDL's (-32768 to
// 32767, y growing downwards), but nothing here depends on SDL.
#pragma once

#include <cstdint>

#include "app/krPadButton.h"

// What one axis change did: a direction let go and/or one newly pushed (pbNone for none).
struct krPadStickMove_s
{
    krPadButton released;
    krPadButton pushed;
};

class krPadStick
{
public:
    // Nearer the centre than this on both axes: let go (about a quarter of the range).
    static const int32_t kDeadZone = 8000;
    // Farther than this on one axis: pushed (about half of the range).
    static const int32_t kPushZone = 16000;

    // A new value of the horizontal (axis 0) or vertical (axis 1) axis; other axes are
    // ignored.
    krPadStickMove_s SetAxis(int32_t axis, int32_t value);
    // Lets go at once (the pad is gone): the direction that was held, or pbNone.
    krPadButton Release();

private:
    int32_t x = 0;
    int32_t y = 0;
    krPadButton held = pbNone;
};
