// ButtonPainter: the GUI's button faces. Each skin colour has three faces: passive (at rest),
// active (under the pointer: lighter) and pushed (darker, shaded as pressed in). The captions
// are drawn by the game in white with a black shadow, so the faces stay mid-dark.
#pragma once

#include "Canvas.h"

enum TButtonFace
{
    bfPassive = 0,
    bfActive = 1,
    bfPushed = 2
};

// A width × height face (straight alpha, transparent outside the rounded corners).
TImage_s PaintButton(const TColor_s& base, TButtonFace face, int width, int height);
