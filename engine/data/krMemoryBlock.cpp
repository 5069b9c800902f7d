// krMemoryBlock: allocation, copying and release of byte blocks, crunched blocks over zlib
// (u32 little-endian uncompressed size + one zlib stream at level 9) and whole-file I/O through
// SDL file streams.
#include "data/krMemoryBlock.h"

#include <SDL.h>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <zlib.h>

#include "data/krByteOrder.h"

namespace
{
// Deflate cannot expand data by more than about 1032:1; a stored size above this bound for
// the stream at hand is a lie, and the output buffer is capped to it.
const uint64_t kMaxInflateRatio = 1032;
const uint64_t kInflateSlack = 4096;

} // namespace

krMemoryBlock* krAllocMemoryBlock(uint64_t size)
{
    if (size > (uint64_t)SIZE_MAX - 1)
        return nullptr;
    krMemoryBlock* block = (krMemoryBlock*)malloc(sizeof(krMemoryBlock));
    if (!block)
        return nullptr;
    // Always a real allocation, so that even an empty block has a data pointer.
    block->data = (uint8_t*)malloc(size ? (size_t)size : 1);
    if (!block->data)
    {
        free(block);
        return nullptr;
    }
    block->size = size;
    return block;
}

krMemoryBlock* krCopyMemoryBlock(const krMemoryBlock* block)
{
    if (!block)
        return nullptr;
    krMemoryBlock* copy = krAllocMemoryBlock(block->size);
    if (copy && block->size)
        memcpy(copy->data, block->data, (size_t)block->size);
    return copy;
}

void krFreeMemoryBlock(krMemoryBlock* block)
{
    if (!block)
        return;
    free(block->data);
    free(block);
}

krMemoryBlock* krCrunchMemoryBlock(const krMemoryBlock* block)
{
    // The size field is 32 bits wide: larger blocks could not be decrunched again.
    if (!block || block->size > 0xFFFFFFFFu || (block->size && !block->data))
        return nullptr;
    uLong bound = compressBound((uLong)block->size);
    Bytef* temp = (Bytef*)malloc(bound);
    if (!temp)
        return nullptr;
    uLongf packedSize = bound;
    static const Bytef kNothing = 0;
    const Bytef* source = block->size ? block->data : &kNothing;
    if (compress2(temp, &packedSize, source, (uLong)block->size, 9) != Z_OK)
    {
        free(temp);
        return nullptr;
    }
    krMemoryBlock* result = krAllocMemoryBlock((uint64_t)packedSize + 4);
    if (result)
    {
        krStoreU32LE(result->data, (uint32_t)block->size);
        memcpy(result->data + 4, temp, packedSize);
    }
    free(temp);
    return result;
}

krMemoryBlock* krDecrunchMemoryBlock(const krMemoryBlock* block)
{
    if (!block || block->size < 4 || !block->data)
        return nullptr;
    uint64_t streamSize = block->size - 4;
    uint64_t capacity = krLoadU32LE(block->data);
    uint64_t limit = streamSize * kMaxInflateRatio + kInflateSlack;
    if (capacity > limit)
        capacity = limit;
    krMemoryBlock* result = krAllocMemoryBlock(capacity);
    if (!result)
        return nullptr;
    uLongf produced = (uLongf)capacity;
    int status = uncompress(result->data, &produced, block->data + 4, (uLong)streamSize);
    if (status != Z_OK)
    {
        krFreeMemoryBlock(result);
        return nullptr;
    }
    result->size = produced;
    return result;
}

bool krWriteMemoryBlock(const char* path, const krMemoryBlock* block)
{
    if (!path || !block || (block->size && !block->data))
        return false;
    SDL_RWops* file = SDL_RWFromFile(path, "wb");
    if (!file)
        return false;
    // A stream may take fewer bytes per call than offered; a call that takes none is an error.
    uint64_t done = 0;
    while (done < block->size)
    {
        size_t put = SDL_RWwrite(file, block->data + done, 1, (size_t)(block->size - done));
        if (put == 0)
            break;
        done += put;
    }
    // A file stream only buffers what it is given: the bytes reach the file when the stream is
    // closed, and that is where a full disk shows. A failed close is a failed write.
    const bool closed = SDL_RWclose(file) == 0;
    return closed && done == block->size;
}

krMemoryBlock* krReadMemoryBlock(const char* path)
{
    if (!path)
        return nullptr;
    // Only a regular file has a whole-file size: a folder opens for reading here too, and its
    // end position is a meaningless huge number.
    struct stat info;
    if (stat(path, &info) == 0 && !S_ISREG(info.st_mode))
        return nullptr;
    SDL_RWops* file = SDL_RWFromFile(path, "rb");
    if (!file)
        return nullptr;
    Sint64 size = SDL_RWseek(file, 0, RW_SEEK_END);
    if (size < 0 || SDL_RWseek(file, 0, RW_SEEK_SET) != 0)
    {
        SDL_RWclose(file);
        return nullptr;
    }
    krMemoryBlock* block = krAllocMemoryBlock((uint64_t)size);
    if (!block)
    {
        SDL_RWclose(file);
        return nullptr;
    }
    // A stream may hand out fewer bytes per call than asked; keep reading until the end.
    uint64_t done = 0;
    while (done < block->size)
    {
        size_t got = SDL_RWread(file, block->data + done, 1, (size_t)(block->size - done));
        if (got == 0)
            break;
        done += got;
    }
    SDL_RWclose(file);
    if (done != block->size)
    {
        krFreeMemoryBlock(block);
        return nullptr;
    }
    return block;
}
