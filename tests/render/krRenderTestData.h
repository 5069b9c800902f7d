// krRenderTestData: byte builders shared by the renderer tests: TGA images, packed mesh blocks,
// glyph blocks and crunched copies of them.
#pragma once

#include <cstdint>
#include <vector>

#include "data/krMemoryBlock.h"

typedef std::vector<uint8_t> TBytes;

// A view of the vector's bytes (not owned; valid while the vector lives unchanged).
krMemoryBlock krTestView(TBytes& bytes);
// New crunched block of the bytes, owned by the caller (krFreeMemoryBlock).
krMemoryBlock* krTestCrunch(const TBytes& bytes);

// 18-byte TGA header: image type, size and bits per pixel; everything else zero.
TBytes krTestTGAHeader(uint8_t type, uint16_t width, uint16_t height, uint8_t bits);
// Uncompressed 32-bit TGA (type 2) from R, G, B, A pixels given in the file's row order.
TBytes krTestTGA32(uint16_t width, uint16_t height, const std::vector<uint32_t>& rgba);

void krTestPutU32(TBytes& out, uint32_t value);
void krTestPutF32(TBytes& out, float value);

// Packed mesh block from flat lists (normals and positions 3 floats each, texture coordinates
// 2) and 1-based faces of nine indices each.
TBytes krTestMeshBlock(const std::vector<float>& normals, const std::vector<float>& texCoords,
                       const std::vector<float>& positions, const std::vector<int32_t>& faces);
// The one-triangle mesh: N = 1, T = 3, V = 3, F = 1, face 1 2 3 1 1 1 1 2 3 (124 bytes).
TBytes krTestTriangleMesh();

// One glyph record (head and bitmap) appended to a glyph block.
void krTestPutGlyph(TBytes& out, int32_t width, int32_t height, int32_t advance, int32_t bearingY,
                    int32_t bearingX, const std::vector<uint8_t>& bitmap);
