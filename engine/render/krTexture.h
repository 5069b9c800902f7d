// krTexture: TGA images (true colour, 24 or 32 bits per pixel, uncompressed or run-length
// encoded) decoded from memory blocks into R, G, B (, A) pixel buffers and uploaded as OpenGL
// 2D textures. Rows keep the file's order, so OpenGL's texture row t = 0 is the file's first
// stored row (the bottom row for the usual bottom-left origin).
//
// Input is treated as hostile: anything but a type 2 or type 10 image with no image ID, no
// colour map, 24 or 32 bits, non-zero size and complete pixel data is refused (null record,
// texture 0). The decoders never read past the block nor write past the pixels.
#pragma once

#include <cstdint>

#include "data/krMemoryBlock.h"

// A decoded image, owned by whoever decoded it; released with FreeTGATexture.
struct TTGATexture
{
    uint32_t width;
    uint32_t height;
    uint32_t bitsPerPixel; // 24 or 32
    uint32_t format;       // GL_RGB (0x1907) for 24 bits, GL_RGBA (0x1908) otherwise
    uint8_t* pixels;       // width * height * bitsPerPixel / 8 bytes, R, G, B (, A)
};

// First 12 header bytes of an uncompressed and of a run-length encoded true-colour TGA.
extern const uint8_t uTGAcompare[12];
extern const uint8_t cTGAcompare[12];

// New decoded image owned by the caller, or null when the block is not a supported TGA.
TTGATexture* LoadFromMemoryBlockTGA(const krMemoryBlock* block);
// Fill `texture` (header fields and a new pixel buffer) from an uncompressed or a run-length
// encoded image. False, with texture->pixels null, when the block is refused.
bool ReadUncompressedTGA(const krMemoryBlock* block, TTGATexture* texture);
bool ReadCompressedTGA(const krMemoryBlock* block, TTGATexture* texture);
// Frees the pixels and the record; null is ignored.
void FreeTGATexture(TTGATexture* texture);

// Uploads a decoded image as a new GL_RGBA texture (linear filters, repeat, modulate) and
// leaves it bound. Returns the texture name, owned by the caller; 0 for null or empty input.
uint32_t TextureFromTGATexture(const TTGATexture* texture);
// Decode + upload; 0 if no texture was made.
uint32_t TextureFromMemoryBlockTGA(const krMemoryBlock* block);
// Decrunch + decode + upload; 0 if the block does not decrunch or no texture was made.
uint32_t TextureFromCrunchedMemoryBlockTGA(const krMemoryBlock* block);
