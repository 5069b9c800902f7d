// krPadStick: the dead zone and the one push per movement of a stick.
#include "app/krPadStick.h"

namespace
{
int32_t Magnitude(int32_t value)
{
    return value < 0 ? -value : value;
}
} // namespace

krPadStickMove_s krPadStick::SetAxis(int32_t axis, int32_t value)
{
    krPadStickMove_s move = {pbNone, pbNone};
    if (axis == 0)
    {
        x = value;
    }
    else if (axis == 1)
    {
        y = value;
    }
    else
    {
        return move;
    }
    const int32_t ax = Magnitude(x);
    const int32_t ay = Magnitude(y);
    if (held != pbNone)
    {
        if (ax < kDeadZone && ay < kDeadZone)
        {
            move.released = held;
            held = pbNone;
        }
        return move;
    }
    if (ax <= kPushZone && ay <= kPushZone)
    {
        return move;
    }
    // The axis pushed farther decides the direction.
    if (ax >= ay)
    {
        held = x < 0 ? pbLeft : pbRight;
    }
    else
    {
        held = y < 0 ? pbUp : pbDown;
    }
    move.pushed = held;
    return move;
}

krPadButton krPadStick::Release()
{
    const krPadButton was = held;
    held = pbNone;
    x = 0;
    y = 0;
    return was;
}
