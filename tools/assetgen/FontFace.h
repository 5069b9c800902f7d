// FontFace: one TrueType face opened with FreeType, used two ways: as vector outlines laid out
// along a baseline (added to a Cairo path, for the pictures) and as hinted anti-aliased glyph
// bitmaps (for the game's bitmap fonts).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <cairo.h>

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

    // Adds the closed outlines of `text` at `size` units per em (unhinted, kerned), pen
    // starting at (x, baseline), y down, to the current path of `cr` in its user space.
    // Returns the advance width; with a null `cr` it only measures.
    float AppendText(cairo_t* cr, const std::u32string& text, float x, float baseline,
                     float size) const;
    // Advance width of `text` at `size` units per em (unhinted).
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
