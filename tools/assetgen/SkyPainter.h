// SkyPainter: the scenery's translucent pictures: soft clouds (white tops, shaded bases, alpha
// falling to zero well inside the picture) and the star glow used by the star billboards.
#pragma once

#include <cstdint>

#include "Canvas.h"

// A cloud of the given picture size; `seed` picks the shape.
TImage_s PaintCloud(int width, int height, uint32_t seed);
// A star glow: bright core, halo and four soft rays, alpha falling to zero at the edges.
TImage_s PaintStar(int size);
