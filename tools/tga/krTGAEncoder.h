// krTGAEncoder: writes an RGBA image as a run-length-encoded 32-bit TGA (image type 10, no
// image ID, no colour map, descriptor 0x08: 8 alpha bits, origin at the bottom left).
#pragma once

#include <cstdint>
#include <vector>

// `rgba` holds width x height pixels, top row first. Packets never cross a scan line. An
// image larger than 65535 on either side, or an empty one, gives an empty result.
std::vector<uint8_t> EncodeTGARLE32(const uint8_t* rgba, int width, int height);
