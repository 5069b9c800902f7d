// krMemoryBlock: the byte block every load and save travels in, plus crunched blocks
// (a little-endian u32 uncompressed size followed by a zlib stream) and whole-file I/O.
//
// Ownership: every block returned here is a heap record with a separate heap byte buffer,
// owned by the caller and released with krFreeMemoryBlock. No function takes ownership of
// the block it is given. A caller may describe bytes it owns elsewhere with a krMemoryBlock
// of its own (a "view"); views are only read or copied, never freed.
#pragma once

#include <cstdint>

struct krMemoryBlock
{
    uint8_t* data;
    uint64_t size;
};

// New block of `size` uninitialised bytes; null only when memory runs out.
krMemoryBlock* krAllocMemoryBlock(uint64_t size);
// New block holding a byte-for-byte copy of `block`.
krMemoryBlock* krCopyMemoryBlock(const krMemoryBlock* block);
// Frees the bytes, then the record. Null is ignored.
void krFreeMemoryBlock(krMemoryBlock* block);

// New crunched block of `block`, or null when compression fails.
krMemoryBlock* krCrunchMemoryBlock(const krMemoryBlock* block);
// New block with the uncompressed bytes of a crunched block, or null when it does not decrunch.
krMemoryBlock* krDecrunchMemoryBlock(const krMemoryBlock* block);

// Writes the whole block to `path` (created or truncated); true if every byte was written.
bool krWriteMemoryBlock(const char* path, const krMemoryBlock* block);
// New block holding the whole file at `path`, or null.
krMemoryBlock* krReadMemoryBlock(const char* path);
