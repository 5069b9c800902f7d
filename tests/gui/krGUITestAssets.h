// krGUITestAssets: small fonts and images built inside the GUI tests (no asset files), and the
// fixture of the GUI tests that draw.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "data/krMemoryBlock.h"
#include "krTestGL.h"

class krFont;
class krGUIManager;

// A GL test with a GUI screen the size of its window (also the global screen size), alpha
// blending set as the shell sets it, and a manager of that size.
class krGUIGLTest : public krGLTest
{
protected:
    void SetUp() override;
    void TearDown() override;
    // The frame's GUI pass: the manager draws over a screen cleared to (r, g, b).
    void DrawFrame(float r = 0, float g = 0, float b = 0) const;
    // Expects every pixel (x, y) near its colour (r, g, b).
    struct TPixelCheck_s
    {
        int x, y, r, g, b;
    };
    void ExpectPixels(std::initializer_list<TPixelCheck_s> pixels) const;

    krGUIManager* manager = nullptr;
};

// A ftYDown font with glyphs for codes 0..127: every glyph a solid block `glyphWidth` wide and
// `height` tall, sitting on the baseline (bearingY = height, bearingX 0), with the given
// advance. fontHeight becomes `height`. Needs a GL context; the caller deletes the font.
krFont* krMakeTestFont(int32_t height, int32_t advance, int32_t glyphWidth);

// A crunched uncompressed 32-bit TGA of one colour; free with krFreeMemoryBlock.
krMemoryBlock* krMakeSolidTGA(uint16_t width, uint16_t height, uint8_t r, uint8_t g, uint8_t b,
                              uint8_t a);

// A wide string of `count` copies of `c`.
std::wstring krRepeat(wchar_t c, int count);
