// Fuzz target: crunched blocks. Decrunching hostile bytes must stay in bounds and never trust
// the stored size for its allocation; whatever decrunches, and the input itself, must survive a
// crunch/decrunch round trip.
#include <cstdlib>
#include <cstring>

#include "data/krMemoryBlock.h"

static void RoundTrip(const krMemoryBlock* block)
{
    krMemoryBlock* packed = krCrunchMemoryBlock(block);
    if (!packed)
        abort();
    krMemoryBlock* plain = krDecrunchMemoryBlock(packed);
    if (!plain || plain->size != block->size ||
        (block->size && memcmp(plain->data, block->data, (size_t)block->size) != 0))
        abort();
    krFreeMemoryBlock(plain);
    krFreeMemoryBlock(packed);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    krMemoryBlock* input = krAllocMemoryBlock(size);
    if (size)
        memcpy(input->data, data, size);

    krMemoryBlock* plain = krDecrunchMemoryBlock(input);
    if (plain)
    {
        uint32_t stored = (uint32_t)data[0] | ((uint32_t)data[1] << 8) | ((uint32_t)data[2] << 16) |
                          ((uint32_t)data[3] << 24);
        if (plain->size > stored)
            abort();
        RoundTrip(plain);
        krFreeMemoryBlock(plain);
    }
    RoundTrip(input);
    krFreeMemoryBlock(input);
    return 0;
}
