// Tests for memory blocks, crunched blocks and whole-file I/O.
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "data/krMemoryBlock.h"
#include "krTestFiles.h"

namespace
{
std::vector<uint8_t> Bytes(const krMemoryBlock* block)
{
    return std::vector<uint8_t>(block->data, block->data + block->size);
}

krMemoryBlock View(const std::vector<uint8_t>& bytes)
{
    return krMemoryBlock{(uint8_t*)bytes.data(), bytes.size()};
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
    EXPECT_EQ(std::string((char*)copy->data, copy->size), "hello");
    krFreeMemoryBlock(copy);

    krMemoryBlock* empty = krAllocMemoryBlock(0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->size, 0u);
    krFreeMemoryBlock(empty);
    krFreeMemoryBlock(nullptr);
}

TEST(krMemoryBlock, CrunchEmptyAndAbcGiveTheReferenceBytes)
{
    krMemoryBlock empty = {nullptr, 0};
    krMemoryBlock* packed = krCrunchMemoryBlock(&empty);
    ASSERT_NE(packed, nullptr);
    std::vector<uint8_t> expectEmpty = {0, 0, 0, 0, 0x78, 0xDA, 3, 0, 0, 0, 0, 1};
    EXPECT_EQ(Bytes(packed), expectEmpty);
    krMemoryBlock* unpacked = krDecrunchMemoryBlock(packed);
    ASSERT_NE(unpacked, nullptr);
    EXPECT_EQ(unpacked->size, 0u);
    krFreeMemoryBlock(unpacked);
    krFreeMemoryBlock(packed);

    std::vector<uint8_t> abc = {'a', 'b', 'c'};
    krMemoryBlock view = View(abc);
    packed = krCrunchMemoryBlock(&view);
    ASSERT_NE(packed, nullptr);
    std::vector<uint8_t> expectAbc = {3,    0,    0,    0,    0x78, 0xDA, 0x4B, 0x4C,
                                      0x4A, 0x06, 0x00, 0x02, 0x4D, 0x01, 0x27};
    EXPECT_EQ(Bytes(packed), expectAbc);
    unpacked = krDecrunchMemoryBlock(packed);
    krFreeMemoryBlock(packed);
    ASSERT_NE(unpacked, nullptr);
    EXPECT_EQ(Bytes(unpacked), abc);
    krFreeMemoryBlock(unpacked);
    EXPECT_EQ(abc, (std::vector<uint8_t>{'a', 'b', 'c'}));
}

TEST(krMemoryBlock, CrunchRoundTripOfLargerData)
{
    std::vector<uint8_t> data(300000);
    for (size_t i = 0; i < data.size(); i++)
        data[i] = (uint8_t)((i * 7) ^ (i >> 5));
    krMemoryBlock view = View(data);
    krMemoryBlock* packed = krCrunchMemoryBlock(&view);
    ASSERT_NE(packed, nullptr);
    EXPECT_LT(packed->size, data.size());
    krMemoryBlock* unpacked = krDecrunchMemoryBlock(packed);
    ASSERT_NE(unpacked, nullptr);
    EXPECT_EQ(Bytes(unpacked), data);
    krFreeMemoryBlock(unpacked);
    krFreeMemoryBlock(packed);

    // Zeros crunch close to deflate's limit (about 1030:1); the guard against lying sizes
    // must still leave room for them.
    std::vector<uint8_t> zeros(16u << 20, 0);
    view = View(zeros);
    packed = krCrunchMemoryBlock(&view);
    ASSERT_NE(packed, nullptr);
    unpacked = krDecrunchMemoryBlock(packed);
    ASSERT_NE(unpacked, nullptr);
    EXPECT_EQ(unpacked->size, zeros.size());
    krFreeMemoryBlock(unpacked);
    krFreeMemoryBlock(packed);
}

TEST(krMemoryBlock, DecrunchWithWrongStoredSize)
{
    std::vector<uint8_t> text(1000, 'z');
    krMemoryBlock view = View(text);
    krMemoryBlock* packed = krCrunchMemoryBlock(&view);
    ASSERT_NE(packed, nullptr);

    // Smaller than the data: null.
    packed->data[0] = 0xE7;
    packed->data[1] = 0x03; // 999
    EXPECT_EQ(krDecrunchMemoryBlock(packed), nullptr);

    // Larger: the true length.
    packed->data[0] = 0x10;
    packed->data[1] = 0x27; // 10000
    krMemoryBlock* unpacked = krDecrunchMemoryBlock(packed);
    ASSERT_NE(unpacked, nullptr);
    EXPECT_EQ(unpacked->size, 1000u);
    krFreeMemoryBlock(unpacked);

    // Absurdly large (4 GiB - 1) from a tiny stream: still the true length, no huge buffer.
    memset(packed->data, 0xFF, 4);
    unpacked = krDecrunchMemoryBlock(packed);
    ASSERT_NE(unpacked, nullptr);
    EXPECT_EQ(Bytes(unpacked), text);
    krFreeMemoryBlock(unpacked);
    krFreeMemoryBlock(packed);
}

TEST(krMemoryBlock, DecrunchRejectsDamagedAndShortBlocks)
{
    std::vector<uint8_t> abc = {'a', 'b', 'c'};
    krMemoryBlock view = View(abc);
    krMemoryBlock* packed = krCrunchMemoryBlock(&view);
    ASSERT_NE(packed, nullptr);
    std::vector<uint8_t> good = Bytes(packed);
    krFreeMemoryBlock(packed);

    std::vector<uint8_t> bad = good;
    bad.back() ^= 1; // Adler-32 mismatch
    krMemoryBlock badView = View(bad);
    EXPECT_EQ(krDecrunchMemoryBlock(&badView), nullptr);

    bad = good;
    bad[4] = 0x00; // bad zlib header
    badView = View(bad);
    EXPECT_EQ(krDecrunchMemoryBlock(&badView), nullptr);

    bad.assign(good.begin(), good.end() - 3); // cut-off stream
    badView = View(bad);
    EXPECT_EQ(krDecrunchMemoryBlock(&badView), nullptr);

    for (size_t n = 0; n < 4; n++)
    {
        bad.assign(good.begin(), good.begin() + n);
        badView = View(bad);
        EXPECT_EQ(krDecrunchMemoryBlock(&badView), nullptr) << n;
    }
    bad = {0, 0, 0, 0};
    badView = View(bad);
    EXPECT_EQ(krDecrunchMemoryBlock(&badView), nullptr);
    EXPECT_EQ(krDecrunchMemoryBlock(nullptr), nullptr);
}

TEST(krMemoryBlock, WriteAndReadFiles)
{
    std::string dir = krTestTempDir();
    std::string path = dir + "/block.bin";
    std::vector<uint8_t> data = {1, 2, 3, 0, 255};
    krMemoryBlock view = View(data);
    ASSERT_TRUE(krWriteMemoryBlock(path.c_str(), &view));
    krMemoryBlock* read = krReadMemoryBlock(path.c_str());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(Bytes(read), data);
    krFreeMemoryBlock(read);

    // Writing truncates.
    krMemoryBlock shorter = {data.data(), 2};
    ASSERT_TRUE(krWriteMemoryBlock(path.c_str(), &shorter));
    read = krReadMemoryBlock(path.c_str());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->size, 2u);
    krFreeMemoryBlock(read);

    std::string emptyPath = dir + "/empty.bin";
    FILE* emptyFile = fopen(emptyPath.c_str(), "wb");
    ASSERT_NE(emptyFile, nullptr);
    fclose(emptyFile);
    read = krReadMemoryBlock(emptyPath.c_str());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->size, 0u);
    krFreeMemoryBlock(read);

    EXPECT_EQ(krReadMemoryBlock((dir + "/missing.bin").c_str()), nullptr);
    // A folder opens for reading but has no whole-file size: no block, and no attempt to
    // allocate whatever its end position says.
    EXPECT_EQ(krReadMemoryBlock(dir.c_str()), nullptr);
    EXPECT_FALSE(krWriteMemoryBlock((dir + "/no/such/dir.bin").c_str(), &view));
}

// A full disk takes the bytes into the stream's buffer and refuses them when the buffer is
// flushed at close: the write must still report failure.
TEST(krMemoryBlock, WriteToAFullDeviceFails)
{
    std::vector<uint8_t> data(48, 7);
    krMemoryBlock view = View(data);
    if (fopen("/dev/full", "wb") == nullptr)
        GTEST_SKIP() << "no /dev/full";
    EXPECT_FALSE(krWriteMemoryBlock("/dev/full", &view));
}
