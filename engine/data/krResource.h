// krResource: an in-memory list of named memory blocks, saved as and loaded from one archive
// file ("kr" magic, CRC-32, crunched directory of 36-byte records, then the entries' bytes).
//
// The archive keeps private copies of every block and name it is given; getters hand out
// borrowed pointers that stay valid until that entry changes or the archive is cleared,
// read again or destroyed.
#pragma once

#include <cstdint>

#include "data/krMemoryBlock.h"

class krResource
{
public:
    krResource();
    virtual ~krResource();

    krResource(const krResource&) = delete;
    krResource& operator=(const krResource&) = delete;

    void Clear();
    void Append(const krMemoryBlock* block, const char* name);
    void Change(const krMemoryBlock* block, const char* name);
    bool Remove(const char* name);
    bool ResourceExists(const char* name) const;

    krMemoryBlock* Get(const char* name) const;
    krMemoryBlock* Get(uint64_t index) const;
    krMemoryBlock* GetMemoryBlock(uint64_t index) const;
    const char* GetName(uint64_t index) const;
    uint64_t Length() const;

    // New block holding the archive image (owned by the caller), or null when there is
    // nothing to write.
    krMemoryBlock* WriteToMemoryBlock() const;
    // Loads an archive image; false (archive unchanged) when it is not a sound image. The
    // image's CRC field is zeroed in place once the magic has matched.
    bool ReadFromMemoryBlock(krMemoryBlock* image);
    bool WriteToFile(const char* path) const;
    bool ReadFromFile(const char* path);

protected:
    krMemoryBlock** blocks;
    uint64_t length;
    char** names;
};
