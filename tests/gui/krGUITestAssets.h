// krGUITestAssets: small fonts and images built inside the GUI tests (no asset files).
#pragma once

#include <cstdint>
#include <string>

#include "data/krMemoryBlock.h"

class krFont;

// A ftYDown font with glyphs for codes 0..127: every glyph a solid block `glyphWidth` wide and
// `height` tall, sitting on the baseline (bearingY = height, bearingX 0), with the given
// advance. fontHeight becomes `height`. Needs a GL context; the caller deletes the font.
krFont* krMakeTestFont(int32_t height, int32_t advance, int32_t glyphWidth);

// A crunched uncompressed 32-bit TGA of one colour; free with krFreeMemoryBlock.
krMemoryBlock* krMakeSolidTGA(uint16_t width, uint16_t height, uint8_t r, uint8_t g, uint8_t b,
                              uint8_t a);

// A wide string of `count` copies of `c`.
std::wstring krRepeat(wchar_t c, int count);
