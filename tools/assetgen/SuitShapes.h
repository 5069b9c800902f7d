// SuitShapes: the four card suits as vector outlines, in a unit box centred on the origin
// (y down, about one unit tall). Each suit is made of parts, filled one after the other.
#pragma once

#include <cairo.h>

enum TSuit
{
    suSpades = 0,
    suHearts = 1,
    suDiamonds = 2,
    suClubs = 3
};

bool IsRedSuit(TSuit suit);

// How the suits are inked: two colours (hearts and diamonds red, spades and clubs black) or
// four, as in four-colour poker decks (hearts red, diamonds blue, clubs green, spades black).
enum TSuitColours
{
    scTwoColours = 0,
    scFourColours = 1
};

// Fills `suit` with the current source of `cr`, the unit box being its user space.
void FillSuit(cairo_t* cr, TSuit suit);
