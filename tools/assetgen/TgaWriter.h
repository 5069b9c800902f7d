// TgaWriter: the pack's pictures as TGA files, through the tools' shared encoder (true colour,
// 24 or 32 bits, type 2 or run-length type 10, bottom-left origin).
#pragma once

#include <cstdint>
#include <vector>

#include "Canvas.h"
#include "krTGAEncoder.h"

// `withAlpha` selects 32 bits (8 alpha bits) instead of 24; `rle` selects type 10.
inline std::vector<uint8_t> EncodeTGA(const TImage_s& image, bool withAlpha, bool rle)
{
    return krEncodeTGA(image.rgba.data(), image.width, image.height, withAlpha, rle);
}
