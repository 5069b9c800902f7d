// vossaNumberEntry: typing and stepping the number.
#include "vossaNumberEntry.h"

void vossaNumberEntry::Type(int32_t digit)
{
    if (digit < 0 || digit > 9)
    {
        return;
    }
    const int32_t longer = value * 10 + digit;
    value = longer <= largest ? longer : (digit <= largest ? digit : 0);
}

void vossaNumberEntry::Erase()
{
    value /= 10;
}

void vossaNumberEntry::Step(int32_t delta)
{
    if (!Valid())
    {
        value = delta > 0 ? 1 : largest;
        return;
    }
    value += delta > 0 ? 1 : -1;
    if (value > largest)
    {
        value = 1;
    }
    else if (value < 1)
    {
        value = largest;
    }
}
