// krFont: bitmap fonts. A glyph block is a flat sequence of glyph records, record i being the
// glyph of character code i: five little-endian i32 (width, height, advance, bearingY,
// bearingX) and width * height coverage bytes, row by row, top row first. Each glyph becomes a
// small textured quad (one vertex array and one power-of-two luminance-alpha texture). Beside
// them every glyph's bitmap also goes into one atlas texture (krGlyphAtlas), so that Print
// draws a whole string with one texture bound and one draw; a font whose atlas could not be
// built draws glyph by glyph with the glyph textures.
//
// Print draws in the current colour times the coverage; colour and blending are the caller's.
// Character codes outside 0 .. glyphCount - 1 are skipped by Print and GetWidth.
//
// Ownership: the font keeps private copies of the glyphs and owns its geometry and textures.
#pragma once

#include <cstdint>
#include <cwchar>

#include "data/krMemoryBlock.h"
#include "render/krGeometry.h"

class krGlyphAtlas;

// How a glyph bitmap's rows map onto its quad. Any value but ftYUp behaves like ftYDown.
enum TFontType : int32_t
{
    ftYUp = 0,   // first row at the quad edge y = height: upright where y grows upward
    ftYDown = 1, // first row at y = 0: upright where y grows downward (the GUI)
};

struct TGlyph_s
{
    uint8_t* bitmap; // width * height bytes (null when empty)
    int32_t width;
    int32_t height;
    int32_t advance;  // pen movement along x after the glyph
    int32_t bearingY; // the quad is drawn with the pen moved by -bearingY along y
    int32_t bearingX; // ... and by +bearingX along x
};

class krFont
{
public:
    explicit krFont(TFontType type);
    // Deletes the geometry and the textures, releases the glyphs.
    ~krFont();

    krFont(const krFont&) = delete;
    krFont& operator=(const krFont&) = delete;

    // Releases every glyph; geometry and textures stay.
    void FreeGlyphs();
    // Appends a copy of the record and of its width * height bitmap bytes (none when either is
    // not positive).
    void AppendGlyph(const TGlyph_s* glyph);
    // New malloc'ed glyph block (freed by the caller), or null with *size 0 without glyphs.
    uint8_t* SaveToMemory(uint64_t* size) const;
    // Replaces the glyphs with those of the block and builds geometry and textures. False
    // (font unchanged) when a record runs past the block or has a negative or oversized
    // (> 4096) width or height.
    bool LoadFromMemory(const krMemoryBlock* block);
    // False (font unchanged) when the block does not decrunch; otherwise as LoadFromMemory.
    bool LoadFromCrunchedMemoryBlock(const krMemoryBlock* block);
    // False for a font without glyphs or a file that cannot be written completely.
    bool SaveToFile(const char* path) const;
    // False (font unchanged) when the file cannot be read completely or is refused.
    bool LoadFromFile(const char* path);
    // CPU half of LoadFromMemory (no GL): validates the whole block, then replaces the glyphs.
    bool ParseGlyphBlock(const krMemoryBlock* block);
    // Builds geometry, textures and fontHeight from the glyphs (GL context needed).
    void InitFontGeometry();

    // Drawing and measuring scale. Below or above 1 the pen is also snapped to whole glyph
    // pixels: the GUI draws a font made for the screen scale at 1 / scale in its units.
    void SetScale(float value);
    // Draws `text` with the pen starting at (x, y, z); null draws nothing.
    void Print(float x, float y, float z, const wchar_t* text);
    // Print, drawing only the glyphs whose quads reach into [left, right] along x (in the
    // units of x): the pen moves past the others as Print moves it. A text clipped to a span
    // (a ticker) so skips the draws of what the clip would hide.
    void PrintSpan(float x, float y, float z, const wchar_t* text, float left, float right);
    // Sum of the advances times scale; 0 for null or empty text.
    float GetWidth(const wchar_t* text) const;
    // fontHeight * scale.
    float GetHeight() const;

    TGlyph_s* glyphs;
    uint64_t glyphCount;
    krGeometry* geometry;
    uint32_t* textures;
    float scale;
    TFontType fontType;
    float fontHeight;
    // Number of names in `textures` (the glyph count when the geometry was built).
    uint64_t textureCount;
    // Where each glyph lies in `atlasTexture`; null when the atlas could not be built. Owned.
    krGlyphAtlas* atlas;
    // OpenGL name of the atlas texture, 0 without an atlas. Owned.
    uint32_t atlasTexture;

private:
    // Packs and uploads the atlas (GL context needed); leaves none when the glyphs do not fit.
    void InitAtlas();
    void FreeAtlas();
    // Room in `batch` for the quads of `length` glyphs; false when memory runs out.
    bool ReserveBatch(uint64_t length);
    // Appends the six vertices (x, y, z, s, t) of a glyph's quad, its pen at `pen` glyph
    // pixels along x, to `batch`.
    void AppendQuad(const TGlyph_s& glyph, uint64_t code, float pen, uint64_t quad);

    // Interleaved vertices of the quads Print draws at once; reused from call to call.
    float* batch;
    uint64_t batchQuads;
};
