// CardMesh: the thin playing-card box shared by all cards. The face lies towards +z, the back
// towards −z; the card is centred on the origin with y up.
//
// Texture layout (one picture per card): the left half holds the face, the right half the
// back, each half stretched over the whole card; the picture's first stored row (TGA bottom
// row) is the card's bottom edge. The back is mapped mirrored in x so that it reads correctly
// from behind. The edges sample one plain white texel of the face's margin.
#pragma once

#include "MeshBlock.h"

struct TCardShape_s
{
    float width;        // along x
    float height;       // along y
    float thickness;    // along z
    float cornerRadius; // 0 for square corners
    int cornerSegments; // segments per rounded corner
};

MeshBlock BuildCardMesh(const TCardShape_s& shape);
