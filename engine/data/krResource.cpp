// krResource: a list of named memory blocks and its archive file image:
//   "kr" | u32 CRC-32 of the image (field zeroed) | u32 D | crunched directory (D bytes) | data
// The directory holds one 36-byte record per entry: a 32-byte NUL-padded name and a u32 size;
// the entries' bytes follow back to back in directory order.
#include "data/krResource.h"

#include <cstdlib>
#include <cstring>

#include "data/krByteOrder.h"
#include "data/krCRC32.h"

namespace
{
const uint64_t kHeaderSize = 10;
const uint64_t kRecordSize = 36;
const uint64_t kNameField = 32;

// New malloc'ed copy of the first `len` bytes at `name`, NUL-terminated.
char* CopyName(const char* name, size_t len)
{
    char* copy = (char*)malloc(len + 1);
    if (copy)
    {
        memcpy(copy, name, len);
        copy[len] = 0;
    }
    return copy;
}

// Releases `count` entries of the parallel arrays and the arrays themselves.
void FreeEntries(krMemoryBlock** blocks, char** names, uint64_t count)
{
    for (uint64_t i = 0; i < count; i++)
    {
        krFreeMemoryBlock(blocks[i]);
        free(names[i]);
    }
    free(blocks);
    free(names);
}
} // namespace

krResource::krResource() : blocks(nullptr), length(0), names(nullptr) {}

krResource::~krResource()
{
    Clear();
}

void krResource::Clear()
{
    FreeEntries(blocks, names, length);
    blocks = nullptr;
    names = nullptr;
    length = 0;
}

void krResource::Append(const krMemoryBlock* block, const char* name)
{
    if (!block || !name)
        return;
    krMemoryBlock* copy = krCopyMemoryBlock(block);
    char* nameCopy = CopyName(name, strlen(name));
    krMemoryBlock** grownBlocks = nullptr;
    char** grownNames = nullptr;
    if (copy && nameCopy)
    {
        grownBlocks =
            (krMemoryBlock**)realloc(blocks, (size_t)(length + 1) * sizeof(krMemoryBlock*));
        if (grownBlocks)
            blocks = grownBlocks;
        grownNames = (char**)realloc(names, (size_t)(length + 1) * sizeof(char*));
        if (grownNames)
            names = grownNames;
    }
    if (!grownBlocks || !grownNames)
    {
        krFreeMemoryBlock(copy);
        free(nameCopy);
        return;
    }
    blocks[length] = copy;
    names[length] = nameCopy;
    length++;
}

void krResource::Change(const krMemoryBlock* block, const char* name)
{
    if (!block || !name)
        return;
    // The block may be one of this archive's own (a borrowed Get result): copy it once before
    // any entry is replaced, or a second entry of the name would copy freed memory.
    krMemoryBlock* source = krCopyMemoryBlock(block);
    if (!source)
        return;
    bool sourceUsed = false;
    for (uint64_t i = 0; i < length; i++)
    {
        if (strcmp(names[i], name) != 0)
            continue;
        krMemoryBlock* copy = sourceUsed ? krCopyMemoryBlock(source) : source;
        if (!copy)
            continue;
        krFreeMemoryBlock(blocks[i]);
        blocks[i] = copy;
        sourceUsed = true;
    }
    if (!sourceUsed)
        krFreeMemoryBlock(source);
}

bool krResource::Remove(const char* name)
{
    if (!name)
        return false;
    for (uint64_t i = 0; i < length; i++)
    {
        if (strcmp(names[i], name) != 0)
            continue;
        krFreeMemoryBlock(blocks[i]);
        free(names[i]);
        uint64_t after = length - i - 1;
        memmove(blocks + i, blocks + i + 1, (size_t)after * sizeof(krMemoryBlock*));
        memmove(names + i, names + i + 1, (size_t)after * sizeof(char*));
        length--;
        if (length == 0)
        {
            free(blocks);
            free(names);
            blocks = nullptr;
            names = nullptr;
        }
        return true;
    }
    return false;
}

bool krResource::ResourceExists(const char* name) const
{
    return Get(name) != nullptr;
}

krMemoryBlock* krResource::Get(const char* name) const
{
    if (!name)
        return nullptr;
    for (uint64_t i = 0; i < length; i++)
        if (strcmp(names[i], name) == 0)
            return blocks[i];
    return nullptr;
}

krMemoryBlock* krResource::Get(uint64_t index) const
{
    return index < length ? blocks[index] : nullptr;
}

krMemoryBlock* krResource::GetMemoryBlock(uint64_t index) const
{
    return Get(index);
}

const char* krResource::GetName(uint64_t index) const
{
    return index < length ? names[index] : nullptr;
}

uint64_t krResource::Length() const
{
    return length;
}

krMemoryBlock* krResource::WriteToMemoryBlock() const
{
    if (length == 0)
        return nullptr;
    uint64_t total = 0;
    for (uint64_t i = 0; i < length; i++)
    {
        // Sizes are stored in 32 bits: a larger entry could not be read back.
        if (blocks[i]->size > 0xFFFFFFFFu)
            return nullptr;
        total += blocks[i]->size;
    }
    if (total == 0 || total > 0xFFFFFFFFu)
        return nullptr;

    krMemoryBlock* table = krAllocMemoryBlock(length * kRecordSize);
    if (!table)
        return nullptr;
    memset(table->data, 0, (size_t)table->size);
    for (uint64_t i = 0; i < length; i++)
    {
        uint8_t* record = table->data + i * kRecordSize;
        strncpy((char*)record, names[i], kNameField);
        krStoreU32LE(record + kNameField, (uint32_t)blocks[i]->size);
    }
    krMemoryBlock* directory = krCrunchMemoryBlock(table);
    krFreeMemoryBlock(table);
    if (!directory)
        return nullptr;

    uint64_t imageSize = kHeaderSize + directory->size + total;
    // The CRC covers 32 bits of length; keep the image within what it protects.
    krMemoryBlock* image = imageSize > 0xFFFFFFFFu ? nullptr : krAllocMemoryBlock(imageSize);
    if (!image)
    {
        krFreeMemoryBlock(directory);
        return nullptr;
    }
    image->data[0] = 'k';
    image->data[1] = 'r';
    krStoreU32LE(image->data + 2, 0);
    krStoreU32LE(image->data + 6, (uint32_t)directory->size);
    memcpy(image->data + kHeaderSize, directory->data, (size_t)directory->size);
    uint8_t* out = image->data + kHeaderSize + directory->size;
    for (uint64_t i = 0; i < length; i++)
    {
        if (blocks[i]->size)
            memcpy(out, blocks[i]->data, (size_t)blocks[i]->size);
        out += blocks[i]->size;
    }
    krFreeMemoryBlock(directory);
    krStoreU32LE(image->data + 2, krMemoryBlockCRC32(image));
    return image;
}

bool krResource::ReadFromMemoryBlock(krMemoryBlock* image)
{
    if (!image || !image->data || image->size < 2)
        return false;
    if (image->data[0] != 'k' || image->data[1] != 'r')
        return false;
    if (image->size < kHeaderSize || image->size > 0xFFFFFFFFu)
        return false;

    uint32_t stored = krLoadU32LE(image->data + 2);
    krStoreU32LE(image->data + 2, 0);
    if (krMemoryBlockCRC32(image) != stored)
        return false;

    uint64_t dirSize = krLoadU32LE(image->data + 6);
    if (dirSize > image->size - kHeaderSize)
        return false;
    krMemoryBlock dirView = {image->data + kHeaderSize, dirSize};
    krMemoryBlock* directory = krDecrunchMemoryBlock(&dirView);
    if (!directory)
        return false;

    // Check every record against the data area before anything changes.
    uint64_t count = directory->size / kRecordSize;
    uint64_t dataStart = kHeaderSize + dirSize;
    uint64_t dataSize = image->size - dataStart;
    uint64_t total = 0;
    for (uint64_t i = 0; i < count; i++)
        total += krLoadU32LE(directory->data + i * kRecordSize + kNameField);
    if (total > dataSize)
    {
        krFreeMemoryBlock(directory);
        return false;
    }

    // Build the new entries aside, so that running out of memory leaves the archive as it was.
    krMemoryBlock** newBlocks = nullptr;
    char** newNames = nullptr;
    uint64_t built = 0;
    bool ok = true;
    if (count)
    {
        newBlocks = (krMemoryBlock**)calloc((size_t)count, sizeof(krMemoryBlock*));
        newNames = (char**)calloc((size_t)count, sizeof(char*));
        ok = newBlocks && newNames;
    }
    uint64_t offset = dataStart;
    for (uint64_t i = 0; ok && i < count; i++)
    {
        const uint8_t* record = directory->data + i * kRecordSize;
        uint32_t size = krLoadU32LE(record + kNameField);
        const char* field = (const char*)record;
        size_t nameLen = 0;
        while (nameLen < kNameField && field[nameLen])
            nameLen++;
        krMemoryBlock view = {image->data + offset, size};
        newBlocks[i] = krCopyMemoryBlock(&view);
        newNames[i] = CopyName(field, nameLen);
        built = i + 1;
        ok = newBlocks[i] && newNames[i];
        offset += size;
    }
    krFreeMemoryBlock(directory);
    if (!ok)
    {
        FreeEntries(newBlocks, newNames, built);
        return false;
    }
    Clear();
    blocks = newBlocks;
    names = newNames;
    length = count;
    return true;
}

bool krResource::WriteToFile(const char* path) const
{
    krMemoryBlock* image = WriteToMemoryBlock();
    if (!image)
        return false;
    bool ok = krWriteMemoryBlock(path, image);
    krFreeMemoryBlock(image);
    return ok;
}

bool krResource::ReadFromFile(const char* path)
{
    krMemoryBlock* image = krReadMemoryBlock(path);
    if (!image)
        return false;
    bool ok = ReadFromMemoryBlock(image);
    krFreeMemoryBlock(image);
    return ok;
}
