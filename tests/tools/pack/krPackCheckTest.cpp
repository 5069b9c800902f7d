// Tests for the archive image checker behind vossa-pack.
#include <gtest/gtest.h>
#include <string>
#include <tuple>
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
    const std::vector<uint8_t> image = SampleImage();
    auto changed = [&](size_t at, int value)
    {
        std::vector<uint8_t> bad = image;
        bad[at] = (uint8_t)value;
        return bad;
    };
    const std::vector<uint8_t> cut(image.begin(), image.end() - 1);
    // Each case: the damaged image, whether its CRC is made to match again, the reason given.
    const std::tuple<std::vector<uint8_t>, bool, const char*> cases[] = {
        {{'k', 'r', 0}, false, "too short"},
        {changed(1, 'R'), false, "magic"},
        {changed(image.size() - 1, image.back() ^ 0x40), false, "CRC mismatch"},
        {changed(9, 0x7F), true, "directory size"},  // far past the end
        {changed(14, 0), true, "does not decrunch"}, // the directory's zlib header
        {cut, true, "\"b\""}};                       // the last entry cut short
    for (auto [bytes, reseal, reason] : cases)
    {
        if (reseal)
            Reseal(bytes);
        const TPackCheckResult_s result = Check(bytes);
        EXPECT_EQ(result.verdict, pcRefused) << reason;
        EXPECT_NE(result.reason.find(reason), std::string::npos) << result.reason;
    }
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
