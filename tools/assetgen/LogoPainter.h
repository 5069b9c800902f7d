// LogoPainter: the game's title picture for the top of the intro menu: the word "Vossa" in
// gold with a dark outline and a soft shadow, over a fan of five cards, on a transparent
// ground.
#pragma once

#include "Canvas.h"
#include "FontFace.h"

// A width × height logo (2:1 intended). `titleFont` draws the title and the card indices.
TImage_s PaintLogo(const FontFace& titleFont, int width, int height);
