// vossaGamepad: pad buttons to actions, the row highlight's moves and the volume repeat.
#include "vossaGamepad.h"

TPadAction PadAction(krPadButton button, bool onMenus)
{
    switch (button)
    {
        case pbA:
        case pbStart:
            return paConfirm;
        case pbB:
        case pbBack:
            return paBack;
        case pbLeftShoulder:
            return paVolumeDown;
        case pbRightShoulder:
            return paVolumeUp;
        case pbUp:
            return onMenus ? paFocusPrevious : paRowUp;
        case pbDown:
            return onMenus ? paFocusNext : paRowDown;
        case pbLeft:
            return paFocusPrevious;
        case pbRight:
            return paFocusNext;
        default:
            return paNone;
    }
}

int32_t MovePadRow(int32_t row, int32_t by)
{
    const int32_t moved = row + by;
    if (moved < kPadFirstRow)
    {
        return kPadFirstRow;
    }
    return moved > kPadLastRow ? kPadLastRow : moved;
}

void vossaPadRepeat::Hold(int32_t direction)
{
    held = direction > 0 ? 1 : (direction < 0 ? -1 : 0);
    steps = 0;
}

void vossaPadRepeat::Release(int32_t direction)
{
    if ((direction > 0 && held > 0) || (direction < 0 && held < 0))
    {
        Stop();
    }
}

void vossaPadRepeat::Stop()
{
    held = 0;
    steps = 0;
}

int32_t vossaPadRepeat::Step()
{
    if (held == 0)
    {
        return 0;
    }
    ++steps;
    if (steps < kDelay || (steps - kDelay) % kEvery != 0)
    {
        return 0;
    }
    return held;
}
