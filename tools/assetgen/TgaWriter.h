// TgaWriter: true-colour TGA files (type 2 uncompressed or type 10 run-length encoded, 24 or
// 32 bits) with the usual bottom-left origin, so the picture's bottom row is stored first.
#pragma once

#include <cstdint>
#include <vector>

#include "Canvas.h"

// `withAlpha` selects 32 bits (8 alpha bits) instead of 24; `rle` selects type 10.
std::vector<uint8_t> EncodeTGA(const TImage_s& image, bool withAlpha, bool rle);
