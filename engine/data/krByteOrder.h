// krByteOrder: unsigned integers loaded from and stored to byte addresses in a fixed byte
// order, whatever the machine's own. Little-endian serves every file format of the engine and
// its tools (archives, crunched blocks, meshes, glyph blocks, TGA headers, the settings file);
// big-endian serves PNG. No alignment is needed.
#pragma once

#include <cstdint>

inline uint16_t krLoadU16LE(const uint8_t* p)
{
    return uint16_t(p[0] | (p[1] << 8));
}

inline uint32_t krLoadU32LE(const uint8_t* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

inline void krStoreU16LE(uint8_t* p, uint16_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

inline void krStoreU32LE(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

inline void krStoreU32BE(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v >> 24);
    p[1] = uint8_t(v >> 16);
    p[2] = uint8_t(v >> 8);
    p[3] = uint8_t(v);
}
