// krPngWriter: a minimal PNG encoder for the icons: 8-bit RGBA, no interlacing, every row
// filtered with Sub, the image data deflated by zlib at level 9.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "krIconImage.h"

// The PNG file of `image`; empty when the image is empty or compression fails.
std::vector<uint8_t> krEncodePNG(const TRgbaImage_s& image);
// Encodes and writes `image` to `path`; true when every byte was written.
bool krWritePNG(const std::string& path, const TRgbaImage_s& image);
