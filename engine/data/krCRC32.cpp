// krCRC32: table-driven CRC-32 (ISO-HDLC: reflected polynomial 0xEDB88320, initial value and
// final XOR 0xFFFFFFFF). The 256-entry table is built once, on first use.
#include "data/krCRC32.h"

uint32_t GlobalCRC32Tab[256];
bool IsCRC32TabGenerated = false;

void krCRC32TabGenerator()
{
    for (uint32_t i = 0; i < 256; i++)
    {
        uint32_t c = i;
        for (int k = 0; k < 8; k++)
            c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        GlobalCRC32Tab[i] = c;
    }
    IsCRC32TabGenerated = true;
}

uint32_t krCRC32(const uint8_t* data, uint32_t length)
{
    return krCRC32Update(0, data, length);
}

uint32_t krCRC32Update(uint32_t crc, const uint8_t* data, uint64_t length)
{
    if (!IsCRC32TabGenerated)
        krCRC32TabGenerator();
    if (length == 0 || !data)
        return crc;
    // The running value is kept with the final XOR undone.
    uint32_t c = crc ^ 0xFFFFFFFFu;
    for (uint64_t i = 0; i < length; i++)
        c = GlobalCRC32Tab[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

uint32_t krMemoryBlockCRC32(const krMemoryBlock* block)
{
    if (!block)
        return 0;
    return krCRC32(block->data, (uint32_t)block->size);
}
