// Tests for memory blocks, crunched blocks and whole-file I/O.
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

#include "data/krMemoryBlock.h"
#include "krTestFiles.h"

namespace
{
typedef std::vector<uint8_t> TBytes;

// The bytes of a block returned by the functions under test, which it frees; none for null.
std::optional<TBytes> Take(krMemoryBlock* block)
{
    if (!block)
        return std::nullopt;
    TBytes bytes(block->data, block->data + block->size);
    krFreeMemoryBlock(block);
    return bytes;
}

std::optional<TBytes> Crunch(const TBytes& bytes)
{
    const krMemoryBlock view = {(uint8_t*)bytes.data(), bytes.size()};
    return Take(krCrunchMemoryBlock(&view));
}

// Decrunched bytes; none when they do not decrunch (or when there was nothing to decrunch).
std::optional<TBytes> Decrunch(const std::optional<TBytes>& packed)
{
    if (!packed)
        return std::nullopt;
    const krMemoryBlock view = {(uint8_t*)packed->data(), packed->size()};
    return Take(krDecrunchMemoryBlock(&view));
}

std::optional<TBytes> ReadFile(const std::string& path)
{
    return Take(krReadMemoryBlock(path.c_str()));
}
} // namespace

TEST(krMemoryBlock, AllocCopyAndFreeAreIndependent)
{
    krMemoryBlock* block = krAllocMemoryBlock(5);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->size, 5u);
    memcpy(block->data, "hello", 5);
    krMemoryBlock* copy = krCopyMemoryBlock(block);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy->data, block->data);
    krFreeMemoryBlock(block);
    EXPECT_EQ(Take(copy), (TBytes{'h', 'e', 'l', 'l', 'o'}));
    EXPECT_EQ(Take(krAllocMemoryBlock(0)), TBytes());
    krFreeMemoryBlock(nullptr);
}

TEST(krMemoryBlock, CrunchEmptyAndAbcGiveTheReferenceBytes)
{
    const TBytes abc = {'a', 'b', 'c'};
    EXPECT_EQ(Crunch({}), (TBytes{0, 0, 0, 0, 0x78, 0xDA, 3, 0, 0, 0, 0, 1}));
    EXPECT_EQ(Crunch(abc), (TBytes{3, 0, 0, 0, 0x78, 0xDA, 0x4B, 0x4C, 0x4A, 0x06, 0x00, 0x02, 0x4D,
                                   0x01, 0x27}));
    EXPECT_EQ(Decrunch(Crunch({})), TBytes());
    EXPECT_EQ(Decrunch(Crunch(abc)), abc);
    EXPECT_EQ(abc, (TBytes{'a', 'b', 'c'}));
}

TEST(krMemoryBlock, CrunchRoundTripOfLargerData)
{
    TBytes data(300000);
    for (size_t i = 0; i < data.size(); i++)
        data[i] = (uint8_t)((i * 7) ^ (i >> 5));
    const std::optional<TBytes> packed = Crunch(data);
    ASSERT_TRUE(packed);
    EXPECT_LT(packed->size(), data.size());
    EXPECT_EQ(Decrunch(packed), data);

    // Zeros crunch close to deflate's limit (about 1030:1); the guard against lying sizes
    // must still leave room for them.
    const TBytes zeros(16u << 20, 0);
    EXPECT_EQ(Decrunch(Crunch(zeros)), zeros);
}

TEST(krMemoryBlock, DecrunchWithWrongStoredSize)
{
    const TBytes text(1000, 'z');
    TBytes packed = Crunch(text).value_or(TBytes(8));
    // Smaller than the data (999): nothing.
    packed[0] = 0xE7;
    packed[1] = 0x03;
    EXPECT_EQ(Decrunch(packed), std::nullopt);
    // Larger (10000): the true length.
    packed[0] = 0x10;
    packed[1] = 0x27;
    EXPECT_EQ(Decrunch(packed), text);
    // Absurdly large (4 GiB - 1) from a tiny stream: still the true length, no huge buffer.
    memset(packed.data(), 0xFF, 4);
    EXPECT_EQ(Decrunch(packed), text);
}

TEST(krMemoryBlock, DecrunchRejectsDamagedAndShortBlocks)
{
    const TBytes good = Crunch({'a', 'b', 'c'}).value_or(TBytes(15));
    TBytes badSum = good, badHeader = good;
    badSum.back() ^= 1;  // Adler-32 mismatch
    badHeader[4] = 0x00; // bad zlib header
    const TBytes cases[] = {badSum,
                            badHeader,
                            TBytes(good.begin(), good.end() - 3), // cut-off stream
                            TBytes{0, 0, 0, 0},
                            TBytes(good.begin(), good.begin() + 3),
                            TBytes(good.begin(), good.begin() + 2),
                            TBytes(good.begin(), good.begin() + 1),
                            TBytes()};
    for (const TBytes& bad : cases)
        EXPECT_EQ(Decrunch(bad), std::nullopt) << bad.size() << " bytes";
    EXPECT_EQ(krDecrunchMemoryBlock(nullptr), nullptr);
}

TEST(krMemoryBlock, WriteAndReadFiles)
{
    const std::string dir = krTestTempDir(), path = dir + "/block.bin";
    TBytes data = {1, 2, 3, 0, 255};
    const krMemoryBlock view = {data.data(), data.size()}, shorter = {data.data(), 2};
    ASSERT_TRUE(krWriteMemoryBlock(path.c_str(), &view));
    EXPECT_EQ(ReadFile(path), data);
    ASSERT_TRUE(krWriteMemoryBlock(path.c_str(), &shorter)); // writing truncates
    EXPECT_EQ(ReadFile(path), (TBytes{1, 2}));
    ASSERT_TRUE(krTestWriteFile(dir + "/empty.bin", {}));
    EXPECT_EQ(ReadFile(dir + "/empty.bin"), TBytes());

    EXPECT_EQ(ReadFile(dir + "/missing.bin"), std::nullopt);
    // A folder opens for reading but has no whole-file size: no block, and no attempt to
    // allocate whatever its end position says.
    EXPECT_EQ(ReadFile(dir), std::nullopt);
    EXPECT_FALSE(krWriteMemoryBlock((dir + "/no/such/dir.bin").c_str(), &view));
}

// A full disk takes the bytes into the stream's buffer and refuses them when the buffer is
// flushed at close: the write must still report failure.
TEST(krMemoryBlock, WriteToAFullDeviceFails)
{
    std::vector<uint8_t> data(48, 7);
    const krMemoryBlock view = {data.data(), data.size()};
    if (fopen("/dev/full", "wb") == nullptr)
        GTEST_SKIP() << "no /dev/full";
    EXPECT_FALSE(krWriteMemoryBlock("/dev/full", &view));
}
