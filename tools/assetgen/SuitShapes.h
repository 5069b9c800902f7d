// SuitShapes: the four card suits as vector outlines, in a unit box centred on the origin
// (y down, about one unit tall). Each suit is a list of parts, painted one after the other.
#pragma once

#include <vector>

#include "Path.h"

enum TSuit
{
    suSpades = 0,
    suHearts = 1,
    suDiamonds = 2,
    suClubs = 3
};

bool IsRedSuit(TSuit suit);

// Parts of `suit` through `transform` (unit box to pixels).
std::vector<Path> SuitParts(TSuit suit, const TAffine_s& transform);
