// Tests for the table-driven CRC-32.
#include <gtest/gtest.h>
#include <vector>
#include <zlib.h>

#include "data/krCRC32.h"

TEST(krCRC32, KnownVectors)
{
    EXPECT_EQ(krCRC32((const uint8_t*)"123456789", 9), 0xCBF43926u);
    EXPECT_EQ(krCRC32((const uint8_t*)"abc", 3), 0x352441C2u);
    EXPECT_EQ(krCRC32((const uint8_t*)"", 0), 0u);
    EXPECT_EQ(krCRC32(nullptr, 0), 0u);
}

TEST(krCRC32, TableIsBuiltOnFirstUseAndMatchesZlib)
{
    krCRC32((const uint8_t*)"x", 1);
    EXPECT_TRUE(IsCRC32TabGenerated);
    EXPECT_EQ(GlobalCRC32Tab[0], 0u);
    EXPECT_EQ(GlobalCRC32Tab[1], 0x77073096u);
    EXPECT_EQ(GlobalCRC32Tab[255], 0x2D02EF8Du);

    std::vector<uint8_t> bytes(100000);
    uint32_t seed = 12345;
    for (auto& b : bytes)
    {
        seed = seed * 1103515245u + 12345u;
        b = (uint8_t)(seed >> 16);
    }
    uint32_t expected = (uint32_t)crc32(0, bytes.data(), (uInt)bytes.size());
    EXPECT_EQ(krCRC32(bytes.data(), (uint32_t)bytes.size()), expected);
    krMemoryBlock view = {bytes.data(), bytes.size()};
    EXPECT_EQ(krMemoryBlockCRC32(&view), expected);
}

TEST(krCRC32, ContinuesARunningValueAtAnySplit)
{
    const uint8_t* text = (const uint8_t*)"123456789";
    for (uint32_t split = 0; split <= 9; ++split)
    {
        uint32_t crc = krCRC32Update(krCRC32(text, split), text + split, 9 - split);
        EXPECT_EQ(crc, 0xCBF43926u) << "split at " << split;
    }
    // Three pieces, and a null or empty piece in between changes nothing.
    uint32_t crc = krCRC32Update(0, text, 2);
    crc = krCRC32Update(crc, nullptr, 5);
    crc = krCRC32Update(crc, text + 2, 0);
    crc = krCRC32Update(krCRC32Update(crc, text + 2, 3), text + 5, 4);
    EXPECT_EQ(crc, 0xCBF43926u);
}
