// krCRC32: the standard table-driven CRC-32 (reflected polynomial 0xEDB88320, the value zlib's
// crc32 computes). The table is filled on first use.
#pragma once

#include <cstdint>

#include "data/krMemoryBlock.h"

extern uint32_t GlobalCRC32Tab[256];
extern bool IsCRC32TabGenerated;

// Fills GlobalCRC32Tab and sets IsCRC32TabGenerated.
void krCRC32TabGenerator();
// CRC-32 of `length` bytes at `data`; 0 for no bytes.
uint32_t krCRC32(const uint8_t* data, uint32_t length);
// Continues a running CRC-32: `crc` is the CRC-32 of the bytes before (0 before the first),
// the result that of those bytes followed by `length` bytes at `data`. So
// krCRC32Update(krCRC32(a, n), b, m) is the CRC-32 of a's n bytes followed by b's m bytes.
// A null `data` adds nothing.
uint32_t krCRC32Update(uint32_t crc, const uint8_t* data, uint64_t length);
// CRC-32 of the block's bytes (the low 32 bits of its size are the length).
uint32_t krMemoryBlockCRC32(const krMemoryBlock* block);
