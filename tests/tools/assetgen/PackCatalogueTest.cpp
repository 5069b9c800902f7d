// The generated pack: every catalogue entry present once, crunched, and in its stated form.
#include <gtest/gtest.h>

#include <set>

#include "AssetgenTestPack.h"
#include "PackCatalogue.h"
#include "ScaledEntries.h"
#include "data/krMemoryBlock.h"

TEST(PackCatalogue, EveryEntryIsPresentOnceAndDecrunches)
{
    const krResource* pack = krTestPack();
    ASSERT_NE(pack, nullptr) << "cannot read " << VOSSA_PACK_FILE;
    std::vector<std::string> names = PackCatalogue();
    // 72, three texts for each of six more languages, the 27-card trick's six faces, and all
    // 27 faces again with four colours
    EXPECT_EQ(names.size(), (size_t)156);
    // Beside the catalogue: the fonts and pictures for the GUI's larger scales.
    const std::vector<std::string> scaled = ScaledEntryNames();
    names.insert(names.end(), scaled.begin(), scaled.end());
    EXPECT_EQ(pack->Length(), (uint64_t)names.size());
    std::set<std::string> seen;
    for (uint64_t i = 0; i < pack->Length(); ++i)
    {
        EXPECT_TRUE(seen.insert(pack->GetName(i)).second) << "duplicate " << pack->GetName(i);
    }
    for (const std::string& name : names)
    {
        ASSERT_TRUE(pack->ResourceExists(name.c_str())) << name;
        const krMemoryBlock* block = pack->Get(name.c_str());
        // A crunched block: size prefix, then a zlib stream at level 9 (78 DA).
        ASSERT_GT(block->size, 6u) << name;
        EXPECT_EQ(block->data[4], 0x78) << name;
        EXPECT_EQ(block->data[5], 0xDA) << name;
        EXPECT_FALSE(krTestPackEntry(name).empty()) << name << " does not decrunch";
    }
}

TEST(PackCatalogue, NamesFitTheArchiveDirectory)
{
    for (const std::string& name : PackCatalogue())
    {
        EXPECT_LE(name.size(), 31u) << name;
    }
    for (const std::string& name : ScaledEntryNames())
    {
        EXPECT_LE(name.size(), 31u) << name;
    }
}

TEST(PackCatalogue, PackStaysWithinItsSizeBudget)
{
    const krResource* pack = krTestPack();
    ASSERT_NE(pack, nullptr);
    uint64_t total = 0;
    for (uint64_t i = 0; i < pack->Length(); ++i)
    {
        total += pack->Get(i)->size;
    }
    EXPECT_LE(total, 8u * 1024 * 1024);
}
