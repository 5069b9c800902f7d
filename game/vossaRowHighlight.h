// vossaRowHighlight: the band that the gamepad's row highlight covers, found from the layout of
// the rows themselves (however many rows and cards it has), and its drawing. The rows are the
// layout's distinct heights, the highest first; a band reaches half-way to the next row and
// half-way to the next card, so that neighbouring bands meet without overlapping.
#pragma once

#include <cstdint>

struct TRowBand_s
{
    bool found; // false: the layout has no such row (the other fields are 0)
    float left, right, bottom, top;
    float z; // the plane of the row's nearest card
};

// The band of row `row` (1 the top row, 2 the next below, ...) of the `count` slot positions
// of `layout`.
TRowBand_s RowBand(const float (*layout)[3], int32_t count, int32_t row);

// Draws `band` as a translucent amber fill with a bright outline over whatever is drawn
// already, in the current model-view; leaves the OpenGL state as it found it.
void DrawRowBand(const TRowBand_s& band);
