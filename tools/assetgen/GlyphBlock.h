// GlyphBlock: the game's bitmap fonts. One record per character code from 0 up to a last
// code: five little-endian i32 (width, height, advance, bearingY, bearingX) and the coverage
// bitmap, top row first. Codes the face has no glyph for get an empty record (all zero).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "FontFace.h"

class GlyphBlock
{
public:
    // Renders codes 0..lastCode of `face` at `pixelSize`.
    GlyphBlock(const FontFace& face, int pixelSize, uint32_t lastCode);

    std::vector<uint8_t> Serialize() const;

    const std::vector<TGlyphBitmap_s>& Glyphs() const { return glyphs; }
    int PixelSize() const { return size; }
    // True when every character of `text` has a glyph (space counts as one).
    bool Covers(const std::u32string& text) const;
    // Pen advance of `text` in pixels, as the game measures it (sum of advances).
    int Width(const std::u32string& text) const;
    // The height figure the game's font derives from the glyphs: walking the codes in order,
    // whenever a glyph's bearingY exceeds the figure so far, the figure becomes that glyph's
    // height.
    int GameFontHeight() const;

private:
    int size;
    std::vector<TGlyphBitmap_s> glyphs;
};
