// Tests for the resource archive: entry handling, image round trips and hostile images.
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "data/krCRC32.h"
#include "data/krResource.h"
#include "krTestFiles.h"

namespace
{
std::string Text(const krMemoryBlock* block)
{
    return block ? std::string((const char*)block->data, block->size) : "<null>";
}

void AppendText(krResource& archive, const char* name, const std::string& text)
{
    krMemoryBlock view = {(uint8_t*)text.data(), text.size()};
    archive.Append(&view, name);
}

std::vector<uint8_t> Image(const krResource& archive)
{
    krMemoryBlock* image = archive.WriteToMemoryBlock();
    EXPECT_NE(image, nullptr);
    if (!image)
        return {};
    std::vector<uint8_t> out(image->data, image->data + image->size);
    krFreeMemoryBlock(image);
    return out;
}

bool Read(krResource& archive, std::vector<uint8_t> bytes)
{
    krMemoryBlock view = {bytes.data(), bytes.size()};
    return archive.ReadFromMemoryBlock(&view);
}

void PutU32(std::vector<uint8_t>& bytes, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; i++)
        bytes[at + i] = (uint8_t)(v >> (8 * i));
}

// Fills in the image's CRC field: the CRC of the image with that field zeroed.
void Seal(std::vector<uint8_t>& image)
{
    PutU32(image, 2, 0);
    PutU32(image, 2, krCRC32(image.data(), (uint32_t)image.size()));
}

// Builds an image around a directory table given uncompressed, with a correct CRC.
std::vector<uint8_t> HandMadeImage(const std::vector<uint8_t>& table, const std::string& data)
{
    krMemoryBlock tableView = {(uint8_t*)table.data(), table.size()};
    krMemoryBlock* dir = krCrunchMemoryBlock(&tableView);
    std::vector<uint8_t> image(10 + dir->size + data.size(), 0);
    image[0] = 'k';
    image[1] = 'r';
    PutU32(image, 6, (uint32_t)dir->size);
    std::memcpy(image.data() + 10, dir->data, dir->size);
    std::memcpy(image.data() + 10 + dir->size, data.data(), data.size());
    krFreeMemoryBlock(dir);
    Seal(image);
    return image;
}

std::vector<uint8_t> Record(const char* name, uint32_t size)
{
    std::vector<uint8_t> record(36, 0);
    memcpy(record.data(), name, strlen(name));
    PutU32(record, 32, size);
    return record;
}

typedef std::vector<std::string> TEntries;

// Every entry in order, as "name=text".
TEntries Entries(const krResource& archive)
{
    TEntries entries;
    for (uint64_t i = 0; i < archive.Length(); i++)
        entries.push_back(std::string(archive.GetName(i)) + "=" + Text(archive.Get(i)));
    return entries;
}
} // namespace

TEST(krResource, AppendGetAndDuplicates)
{
    krResource archive;
    EXPECT_EQ(archive.Length(), 0u);
    AppendText(archive, "dup", "A");
    AppendText(archive, "other", "B");
    AppendText(archive, "dup", "C");
    EXPECT_EQ(archive.Length(), 3u);
    EXPECT_EQ(Text(archive.Get("dup")), "A");
    EXPECT_TRUE(archive.ResourceExists("dup"));
    EXPECT_FALSE(archive.ResourceExists("Dup"));
    EXPECT_EQ(archive.Get("missing"), nullptr);
    EXPECT_EQ(archive.Get((uint64_t)1), archive.GetMemoryBlock(1));
    EXPECT_EQ(archive.Get((uint64_t)3), nullptr);
    EXPECT_EQ(archive.GetName(3), nullptr);

    std::string replacement = "ZZ";
    krMemoryBlock view = {(uint8_t*)replacement.data(), replacement.size()};
    archive.Change(&view, "dup");
    EXPECT_EQ(Text(archive.Get((uint64_t)0)), "ZZ");
    EXPECT_EQ(Text(archive.Get((uint64_t)2)), "ZZ");
    EXPECT_NE(archive.Get((uint64_t)0)->data, view.data);
    archive.Change(&view, "missing");
    EXPECT_EQ(Text(archive.Get("other")), "B");
    // A borrowed block of the name itself: the first replacement frees it, so it must have
    // been copied before (the sanitizer build sees the use after free; here the bytes differ).
    AppendText(archive, "self", std::string(4096, 'q'));
    AppendText(archive, "self", "short");
    archive.Change(archive.Get("self"), "self");
    EXPECT_EQ(Text(archive.Get((uint64_t)4)), std::string(4096, 'q'));
    ASSERT_TRUE(archive.Remove("self") && archive.Remove("self"));

    AppendText(archive, "dup", "last");
    EXPECT_TRUE(archive.Remove("dup"));
    EXPECT_FALSE(archive.Remove("missing"));
    EXPECT_EQ(Entries(archive), (TEntries{"other=B", "dup=ZZ", "dup=last"}));
    EXPECT_EQ(Text(archive.Get("dup")), "ZZ");

    archive.Clear();
    EXPECT_EQ(archive.Length(), 0u);
    AppendText(archive, "x", "y");
    EXPECT_EQ(archive.Length(), 1u);
}

TEST(krResource, AppendKeepsPrivateCopies)
{
    krResource archive;
    std::string bytes = "abc";
    char name[] = "name";
    krMemoryBlock view = {(uint8_t*)&bytes[0], bytes.size()};
    archive.Append(&view, name);
    bytes[0] = 'X';
    name[0] = 'X';
    EXPECT_EQ(Text(archive.Get("name")), "abc");
}

TEST(krResource, ImageRoundTrip)
{
    krResource archive;
    AppendText(archive, "first", "one");
    AppendText(archive, "empty", "");
    AppendText(archive, "first", "again");
    std::string binary(1000, '\0');
    for (size_t i = 0; i < binary.size(); i++)
        binary[i] = (char)(i * 31);
    AppendText(archive, "0123456789012345678901234567890", binary); // 31 bytes: the longest
    std::vector<uint8_t> image = Image(archive);
    ASSERT_GE(image.size(), 10u);
    EXPECT_EQ(image[0], 'k');
    EXPECT_EQ(image[1], 'r');
    EXPECT_EQ(image.size(), 10 + (image[6] | image[7] << 8) + 3 + 0 + 5 + 1000u);
    // The entries' bytes follow the directory unchanged, in order.
    EXPECT_EQ(std::string(image.end() - 1008, image.end() - 1000), "oneagain");

    krResource loaded;
    AppendText(loaded, "stale", "gone");
    ASSERT_TRUE(Read(loaded, image));
    ASSERT_EQ(Entries(loaded), Entries(archive)); // "stale" gone
    EXPECT_EQ(loaded.Get((uint64_t)1)->size, 0u);
}

TEST(krResource, LongNamesAreCutTo32Bytes)
{
    krResource archive;
    std::string longName(40, 'n');
    AppendText(archive, longName.c_str(), "v");
    krResource loaded;
    ASSERT_TRUE(Read(loaded, Image(archive)));
    EXPECT_EQ(Entries(loaded), TEntries{std::string(32, 'n') + "=v"});
}

TEST(krResource, NothingToWrite)
{
    krResource archive;
    EXPECT_EQ(archive.WriteToMemoryBlock(), nullptr);
    AppendText(archive, "a", "");
    AppendText(archive, "b", "");
    EXPECT_EQ(archive.WriteToMemoryBlock(), nullptr);

    std::string dir = krTestTempDir();
    std::string path = dir + "/kept.bin";
    ASSERT_TRUE(krTestWriteFile(path, {1, 2, 3}));
    EXPECT_FALSE(archive.WriteToFile(path.c_str()));
    std::vector<unsigned char> kept;
    ASSERT_TRUE(krTestReadFile(path, kept));
    EXPECT_EQ(kept, (std::vector<unsigned char>{1, 2, 3}));
}

TEST(krResource, AnyChangedByteFailsAndKeepsEntries)
{
    krResource source;
    AppendText(source, "a", "alpha");
    AppendText(source, "b", "beta");
    std::vector<uint8_t> image = Image(source);
    krResource archive;
    AppendText(archive, "first", "one");
    for (size_t i = 2; i < image.size(); i++)
    {
        std::vector<uint8_t> bad = image;
        bad[i] ^= 0x20;
        EXPECT_FALSE(Read(archive, bad)) << "byte " << i;
    }
    EXPECT_EQ(Entries(archive), TEntries{"first=one"});
}

TEST(krResource, ReadZeroesTheCRCFieldOnlyAfterTheMagic)
{
    krResource source;
    AppendText(source, "a", "alpha");
    std::vector<uint8_t> image = Image(source);
    krResource archive;

    std::vector<uint8_t> badMagic = image;
    badMagic[0] = 'K';
    krMemoryBlock view = {badMagic.data(), badMagic.size()};
    EXPECT_FALSE(archive.ReadFromMemoryBlock(&view));
    EXPECT_TRUE(std::equal(badMagic.begin() + 1, badMagic.end(), image.begin() + 1));

    std::vector<uint8_t> badCRC = image;
    badCRC.back() ^= 1;
    view = {badCRC.data(), badCRC.size()};
    EXPECT_FALSE(archive.ReadFromMemoryBlock(&view));
    EXPECT_EQ(badCRC[2] | badCRC[3] | badCRC[4] | badCRC[5], 0);
    EXPECT_EQ(archive.Length(), 0u);
}

TEST(krResource, HostileImagesAreRejected)
{
    krResource archive;
    AppendText(archive, "first", "one");

    // Too short, even with the magic.
    const std::vector<uint8_t> head = {'k', 'r', 0, 0, 0, 0, 0, 0, 0, 0};
    for (size_t n = 0; n < 10; n++)
        EXPECT_FALSE(Read(archive, std::vector<uint8_t>(head.begin(), head.begin() + n))) << n;

    // Directory size past the end of the image (with a matching CRC).
    std::vector<uint8_t> image = HandMadeImage(Record("x", 1), "y");
    PutU32(image, 6, 1000);
    Seal(image);
    EXPECT_FALSE(Read(archive, image));

    // A directory that does not decrunch.
    std::vector<uint8_t> junk = {'k', 'r', 0, 0, 0, 0, 6, 0, 0, 0, 36, 0, 0, 0, 1, 2};
    Seal(junk);
    EXPECT_FALSE(Read(archive, junk));

    // Records whose sizes run past the data area, one by one and in sum.
    EXPECT_FALSE(Read(archive, HandMadeImage(Record("x", 5), "abcd")));
    std::vector<uint8_t> two = Record("x", 3);
    std::vector<uint8_t> second = Record("y", 0xFFFFFFFFu);
    two.insert(two.end(), second.begin(), second.end());
    EXPECT_FALSE(Read(archive, HandMadeImage(two, "abc")));
    EXPECT_EQ(Entries(archive), TEntries{"first=one"});

    // A full 32-byte name without NUL reads back as exactly 32 bytes.
    std::vector<uint8_t> full(36, 'n');
    PutU32(full, 32, 2);
    ASSERT_TRUE(Read(archive, HandMadeImage(full, "ok")));
    EXPECT_EQ(Entries(archive), TEntries{std::string(32, 'n') + "=ok"});
}

TEST(krResource, ShortDirectoryLoadsAnEmptyArchive)
{
    krResource archive;
    AppendText(archive, "first", "one");
    ASSERT_TRUE(Read(archive, HandMadeImage(std::vector<uint8_t>(35, 0), "")));
    EXPECT_EQ(archive.Length(), 0u);
    // Trailing bytes of a partial record are ignored.
    std::vector<uint8_t> table = Record("x", 1);
    table.resize(50, 0);
    ASSERT_TRUE(Read(archive, HandMadeImage(table, "z")));
    EXPECT_EQ(Entries(archive), TEntries{"x=z"});
}

TEST(krResource, Files)
{
    std::string dir = krTestTempDir();
    std::string path = dir + "/pack.bin";
    krResource archive;
    AppendText(archive, "a", "alpha");
    ASSERT_TRUE(archive.WriteToFile(path.c_str()));
    krResource loaded;
    ASSERT_TRUE(loaded.ReadFromFile(path.c_str()));
    EXPECT_FALSE(loaded.ReadFromFile((dir + "/missing.bin").c_str()));
    EXPECT_EQ(Entries(loaded), TEntries{"a=alpha"});
}
