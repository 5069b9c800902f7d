// krGlyphAtlas: packs the bitmaps of a font's glyphs into one luminance-alpha image, so that a
// whole string can be drawn with one texture bound. Shelf packing, tallest glyphs first, into
// the smallest power-of-two-sided rectangle that holds them all; every bitmap is surrounded by
// at least one texel of zero coverage (the first row and column of the image guard its last
// ones, which a repeating texture wraps around to), so that linear filtering at a glyph's
// border never reads a neighbour.
//
// Pure CPU work, no GL: the caller uploads `texels`.
#pragma once

#include <cstdint>

#include "render/krFont.h"

// Where a glyph's bitmap lies in the atlas: its first (top) row starts at texel (x, y). Glyphs
// without a bitmap area (zero or negative sizes) keep (0, 0) and are never drawn.
struct TAtlasSlot_s
{
    int32_t x;
    int32_t y;
};

class krGlyphAtlas
{
public:
    krGlyphAtlas();
    ~krGlyphAtlas();

    krGlyphAtlas(const krGlyphAtlas&) = delete;
    krGlyphAtlas& operator=(const krGlyphAtlas&) = delete;

    // Packs `count` glyphs into an image with sides of at most `maxSide` texels (a power of
    // two is used; at most 4096). False, and the atlas left empty, when they do not fit, when
    // there are none or when memory runs out.
    bool Pack(const TGlyph_s* glyphs, uint64_t count, int32_t maxSide);
    // Releases the image, keeping the slots and the size (after the upload).
    void FreeTexels();
    // Releases everything: an empty atlas.
    void Clear();
    // True when a glyph with this width and height has an area to draw.
    static bool HasArea(const TGlyph_s& glyph);

    int32_t width; // image size in texels, powers of two; 0 when empty
    int32_t height;
    TAtlasSlot_s* slots; // one per packed glyph, same index
    uint64_t slotCount;
    uint8_t* texels; // width * height luminance-alpha pairs, top row first
};
