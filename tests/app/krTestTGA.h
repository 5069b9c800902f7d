// krTestTGA: a small reader for the run-length-encoded 32-bit TGA images the logo uses, kept
// apart from the engine's loader so that the tests check the bytes independently.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct TTestImage_s
{
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba; // top row first, straight alpha
};

// Decodes an image of type 10, 32 bits per pixel, no ID, no colour map. False when the header
// is anything else or the pixel data is short or longer than the image.
bool krTestDecodeTGA(const uint8_t* bytes, size_t size, TTestImage_s& image);
