// krTGAEncoder: the one TGA writer of the tools (the engine logo, the asset pack's pictures).
// True colour, 24 or 32 bits, uncompressed (image type 2) or run-length encoded (type 10); no
// image ID, no colour map, origin at the bottom left (the picture's bottom row is stored
// first); descriptor 0x08 (8 alpha bits) for 32 bits, 0 for 24.
#pragma once

#include <cstdint>
#include <vector>

// `rgba` holds width x height pixels of 8-bit red, green, blue and alpha, top row first.
// `withAlpha` keeps alpha (32 bits), else it is dropped (24 bits); `rle` selects type 10, whose
// packets never cross a scan line. An image larger than 65535 on either side, or an empty one,
// gives an empty result.
std::vector<uint8_t> krEncodeTGA(const uint8_t* rgba, int width, int height, bool withAlpha,
                                 bool rle);
