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
// CRC-32 of the block's bytes (the low 32 bits of its size are the length).
uint32_t krMemoryBlockCRC32(const krMemoryBlock* block);
