// krIconImage: RGBA images for the desktop icons: a card texture read from the asset pack, the
// card back found on it, and that back scaled into a square icon with rounded corners.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/krMemoryBlock.h"

// Pixels R, G, B, A, top row first.
struct TRgbaImage_s
{
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;

    const uint8_t* At(int x, int y) const { return &pixels[(size_t(y) * width + x) * 4]; }
    uint8_t* At(int x, int y) { return &pixels[(size_t(y) * width + x) * 4]; }
};

struct TIconRect_s
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Decodes a TGA block (24-bit images get alpha 255). The texture decoder keeps the file's
// bottom-up row order; the result is turned top row first. False when the block is refused.
bool krImageFromTGA(const krMemoryBlock* block, TRgbaImage_s& out);

// Reads entry `name` of the archive at `packPath`, decrunches and decodes it. False with a
// message in `error` when any step fails.
bool krLoadPackImage(const std::string& packPath, const std::string& name, TRgbaImage_s& out,
                     std::string& error);

// Bounding box of the pixels darker than `threshold` (luminance 0..1) among the columns
// [x0, x1). Width and height 0 when there are none.
TIconRect_s krFindDarkRegion(const TRgbaImage_s& image, int x0, int x1, float threshold);

// The card back on a card texture (face on the left half, back on the right): the dark
// region of the right half, trimmed by a thin edge so that no background shows at its rim.
// Width 0 when there is no such region.
TIconRect_s krFindCardBack(const TRgbaImage_s& texture);

// The centred square of side `fraction` x the shorter side of `region`: the medallion in the
// middle of the card back, which small icons show instead of the whole back.
TIconRect_s krCentreSquare(const TIconRect_s& region, float fraction);

// A size x size icon of `region` of `source`: scaled to fit inside a margin of size / 32
// pixels with area-weighted averaging, centred on whole pixels, with rounded corners and a
// transparent surround.
TRgbaImage_s krRenderIcon(const TRgbaImage_s& source, const TIconRect_s& region, int size);
