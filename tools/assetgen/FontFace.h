// FontFace: one TrueType face opened with FreeType, used two ways: as vector outlines laid out
// along a baseline (for pictures, drawn with the pack's own rasteriser) and as hinted
// anti-aliased glyph bitmaps (for the game's bitmap fonts).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Path.h"

struct TGlyphBitmap_s
{
    bool present = false; // the face has a glyph for the code
    int width = 0, height = 0;
    int advance = 0;               // pixels
    int bearingX = 0;              // left edge of the bitmap from the pen
    int bearingY = 0;              // top edge of the bitmap above the baseline
    std::vector<uint8_t> coverage; // width × height, top row first
};

class FontFace
{
public:
    FontFace();
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    bool Open(const std::string& path);
    bool IsOpen() const { return face != nullptr; }

    // Outlines of `text` at `size` pixels per em, pen starting at (x, baseline), y down,
    // through `transform` (applied after the layout). Returns the advance width.
    float AppendText(Path& path, const std::u32string& text, float x, float baseline, float size,
                     const TAffine_s& transform = TAffine_s()) const;
    // Advance width of `text` at `size` pixels per em (unhinted).
    float TextWidth(const std::u32string& text, float size) const;
    // Height of the capital letters above the baseline, per pixel of em.
    float CapHeight() const;

    // Hinted, anti-aliased bitmap of one character at `pixelSize`.
    TGlyphBitmap_s RenderGlyph(uint32_t code, int pixelSize) const;

private:
    void* library; // FT_Library
    void* face;    // FT_Face
};

std::u32string ToU32(const std::string& utf8);
