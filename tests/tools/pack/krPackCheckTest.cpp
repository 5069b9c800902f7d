// Tests for the archive image checker behind vossa-pack.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "data/krCRC32.h"
#include "data/krResource.h"
#include "krPackCheck.h"

namespace
{
std::vector<uint8_t> SampleImage()
{
    krResource archive;
    std::string a = "alpha", b = "bravo!";
    krMemoryBlock va = {(uint8_t*)a.data(), a.size()};
    krMemoryBlock vb = {(uint8_t*)b.data(), b.size()};
    archive.Append(&va, "a");
    archive.Append(&vb, "b");
    krMemoryBlock* image = archive.WriteToMemoryBlock();
    std::vector<uint8_t> bytes(image->data, image->data + image->size);
    krFreeMemoryBlock(image);
    return bytes;
}

TPackCheckResult_s Check(std::vector<uint8_t> bytes)
{
    krMemoryBlock view = {bytes.data(), bytes.size()};
    return krPackCheckImage(&view);
}

void Reseal(std::vector<uint8_t>& bytes)
{
    for (int i = 2; i < 6; i++)
        bytes[i] = 0;
    uint32_t crc = krCRC32(bytes.data(), (uint32_t)bytes.size());
    for (int i = 0; i < 4; i++)
        bytes[2 + i] = (uint8_t)(crc >> (8 * i));
}
} // namespace

TEST(krPackCheck, SoundImageIsDescribedAndLeftUntouched)
{
    std::vector<uint8_t> image = SampleImage();
    std::vector<uint8_t> before = image;
    krMemoryBlock view = {image.data(), image.size()};
    TPackCheckResult_s result = krPackCheckImage(&view);
    EXPECT_EQ(result.verdict, pcSound);
    EXPECT_EQ(result.reason, "");
    EXPECT_EQ(result.entries, 2u);
    EXPECT_EQ(result.dataSize, 11u);
    EXPECT_EQ(image, before);
}

TEST(krPackCheck, RefusalsCarryTheirReason)
{
    std::vector<uint8_t> image = SampleImage();
    EXPECT_NE(Check({'k', 'r', 0}).reason.find("too short"), std::string::npos);

    std::vector<uint8_t> bad = image;
    bad[1] = 'R';
    EXPECT_NE(Check(bad).reason.find("magic"), std::string::npos);

    bad = image;
    bad.back() ^= 0x40;
    TPackCheckResult_s result = Check(bad);
    EXPECT_EQ(result.verdict, pcRefused);
    EXPECT_NE(result.reason.find("CRC mismatch"), std::string::npos);

    bad = image;
    bad[9] = 0x7F; // directory size far past the end
    Reseal(bad);
    EXPECT_NE(Check(bad).reason.find("directory size"), std::string::npos);

    bad = image;
    bad[14] = 0; // the directory's zlib header
    Reseal(bad);
    EXPECT_NE(Check(bad).reason.find("does not decrunch"), std::string::npos);

    bad = image;
    bad.pop_back(); // last entry cut short
    Reseal(bad);
    result = Check(bad);
    EXPECT_EQ(result.verdict, pcRefused);
    EXPECT_NE(result.reason.find("\"b\""), std::string::npos);
}

TEST(krPackCheck, OdditiesTheEngineTolerates)
{
    std::vector<uint8_t> image = SampleImage();
    image.push_back(0);
    image.push_back(0);
    Reseal(image);
    TPackCheckResult_s result = Check(image);
    EXPECT_EQ(result.verdict, pcOdd);
    EXPECT_NE(result.reason.find("2 bytes follow"), std::string::npos);
}
