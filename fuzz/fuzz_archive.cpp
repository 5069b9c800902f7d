// Fuzz target: resource archive images. Any bytes must load or be refused without touching
// memory outside the image; a refused image leaves the archive as it was, and an accepted one
// must survive a write/read round trip unchanged.
//
// Input: one mode byte, then the image. With the mode's low bit set the image's CRC field is
// filled in before reading, so that the fuzzer reaches the directory and entry checks.
#include <cstdlib>
#include <cstring>

#include "data/krCRC32.h"
#include "data/krResource.h"

static bool SameEntries(const krResource& a, const krResource& b)
{
    if (a.Length() != b.Length())
        return false;
    for (uint64_t i = 0; i < a.Length(); i++)
    {
        const krMemoryBlock* x = a.Get(i);
        const krMemoryBlock* y = b.Get(i);
        if (strcmp(a.GetName(i), b.GetName(i)) != 0 || x->size != y->size ||
            (x->size && memcmp(x->data, y->data, (size_t)x->size) != 0))
            return false;
    }
    return true;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    bool reseal = data[0] & 1;
    data++;
    size--;
    // An exact-size heap copy, so that any read past the image is caught.
    krMemoryBlock* image = krAllocMemoryBlock(size);
    if (size)
        memcpy(image->data, data, size);
    if (reseal && size >= 10)
    {
        memset(image->data + 2, 0, 4);
        uint32_t crc = krMemoryBlockCRC32(image);
        for (int i = 0; i < 4; i++)
            image->data[2 + i] = (uint8_t)(crc >> (8 * i));
    }

    krResource archive;
    const char marker[] = "before";
    krMemoryBlock markerView = {(uint8_t*)marker, sizeof marker};
    archive.Append(&markerView, "marker");

    if (!archive.ReadFromMemoryBlock(image))
    {
        if (archive.Length() != 1 || strcmp(archive.GetName(0), "marker") != 0)
            abort();
    }
    else
    {
        for (uint64_t i = 0; i < archive.Length(); i++)
        {
            if (strlen(archive.GetName(i)) > 32 || !archive.Get(i))
                abort();
            archive.ResourceExists(archive.GetName(i));
        }
        krMemoryBlock* again = archive.WriteToMemoryBlock();
        if (again)
        {
            krResource copy;
            if (!copy.ReadFromMemoryBlock(again) || !SameEntries(archive, copy))
                abort();
            krFreeMemoryBlock(again);
        }
        if (archive.Length())
            archive.Remove(archive.GetName(0));
    }
    krFreeMemoryBlock(image);
    return 0;
}
