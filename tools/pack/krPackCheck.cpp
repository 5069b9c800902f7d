// krPackCheck: the archive image checks behind `vossa-pack verify` and the reasons that the
// other commands give for a refused archive.
#include "krPackCheck.h"

#include <algorithm>

#include "data/krByteOrder.h"
#include "data/krCRC32.h"

namespace
{
const uint64_t kHeaderSize = 10;
const uint64_t kRecordSize = 36;

TPackCheckResult_s Refuse(const std::string& reason)
{
    return TPackCheckResult_s{pcRefused, reason, 0, 0};
}

// CRC-32 of the image with its CRC field read as zero, without touching the image.
uint32_t ImageCRC(const krMemoryBlock* image)
{
    uint8_t head[kHeaderSize];
    std::copy(image->data, image->data + kHeaderSize, head);
    head[2] = head[3] = head[4] = head[5] = 0;
    uint32_t crc = krCRC32(head, kHeaderSize);
    return krCRC32Update(crc, image->data + kHeaderSize, image->size - kHeaderSize);
}
} // namespace

TPackCheckResult_s krPackCheckImage(const krMemoryBlock* image)
{
    if (!image || !image->data)
        return Refuse("no image");
    if (image->size < kHeaderSize)
        return Refuse("too short: " + std::to_string(image->size) +
                      " bytes, an archive has at least 10");
    if (image->data[0] != 'k' || image->data[1] != 'r')
        return Refuse("not an archive: the magic \"kr\" is missing");
    if (image->size > 0xFFFFFFFFu)
        return Refuse("too large: archives stop below 4 GiB");

    uint32_t stored = krLoadU32LE(image->data + 2);
    uint32_t actual = ImageCRC(image);
    if (stored != actual)
    {
        char text[96];
        snprintf(text, sizeof text, "CRC mismatch: stored %08X, computed %08X", stored, actual);
        return Refuse(text);
    }

    uint64_t dirSize = krLoadU32LE(image->data + 6);
    if (dirSize > image->size - kHeaderSize)
        return Refuse("directory size " + std::to_string(dirSize) + " runs past the end (" +
                      std::to_string(image->size - kHeaderSize) + " bytes follow the header)");
    krMemoryBlock dirView = {image->data + kHeaderSize, dirSize};
    krMemoryBlock* directory = krDecrunchMemoryBlock(&dirView);
    if (!directory)
        return Refuse("the directory does not decrunch");

    TPackCheckResult_s result = {pcSound, "", directory->size / kRecordSize, 0};
    uint64_t available = image->size - kHeaderSize - dirSize;
    for (uint64_t i = 0; i < result.entries; i++)
    {
        const uint8_t* record = directory->data + i * kRecordSize;
        result.dataSize += krLoadU32LE(record + 32);
        if (result.dataSize > available)
        {
            std::string name((const char*)record, 32);
            name = name.substr(0, name.find('\0'));
            krFreeMemoryBlock(directory);
            return Refuse("entry " + std::to_string(i) + " (\"" + name +
                          "\") runs past the end of the image");
        }
    }
    uint64_t partial = directory->size % kRecordSize;
    krFreeMemoryBlock(directory);
    if (partial)
    {
        result.verdict = pcOdd;
        result.reason =
            "the directory ends with a partial record of " + std::to_string(partial) + " bytes";
    }
    else if (result.dataSize < available)
    {
        result.verdict = pcOdd;
        result.reason =
            std::to_string(available - result.dataSize) + " bytes follow the last entry";
    }
    return result;
}
