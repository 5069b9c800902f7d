// The generator as the build runs it: a second run gives the pack the build made, byte for
// byte; previews come on request; a missing source fails the run instead of making a pack.
#include <gtest/gtest.h>

#include <cstdlib>

#include "krTestFiles.h"

namespace
{
std::string Command(const std::string& assets, const std::string& out, const std::string& extra)
{
    return std::string("\"") + VOSSA_ASSETGEN_EXE + "\" --assets \"" + assets + "\" --fonts \"" +
           VOSSA_FONTS_DIR + "\" --out \"" + out + "\" " + extra + " > /dev/null 2>&1";
}
} // namespace

TEST(PackDeterminism, SecondRunGivesIdenticalBytesAndPreviewsOnRequest)
{
    std::vector<unsigned char> built, again;
    ASSERT_TRUE(krTestReadFile(VOSSA_PACK_FILE, built)) << VOSSA_PACK_FILE;
    const std::string dir = krTestTempDir();
    const std::string out = dir + "/vossadata.bin";
    // One thread this time: the result must not depend on how the work is shared either.
    const std::string command =
        Command(VOSSA_ASSETS_DIR, out, "--threads 1 --preview \"" + dir + "\"");
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    ASSERT_TRUE(krTestReadFile(out, again));
    ASSERT_EQ(built.size(), again.size());
    EXPECT_TRUE(built == again);

    for (const char* name : {"pack-contact-sheet.png", "pack-font-arial.png", "pack-font-ss10.png"})
    {
        std::vector<unsigned char> png;
        ASSERT_TRUE(krTestReadFile(dir + "/" + name, png)) << name;
        ASSERT_GT(png.size(), 1000u) << name;
        EXPECT_EQ(png[1], 'P') << name;
        EXPECT_EQ(png[2], 'N') << name;
        EXPECT_EQ(png[3], 'G') << name;
    }
}

TEST(PackDeterminism, MissingSourcesFailTheRunAndWriteNoPack)
{
    const std::string dir = krTestTempDir();
    const std::string out = dir + "/vossadata.bin";
    const std::string command = Command(dir + "/no-assets-here", out, "");
    EXPECT_NE(std::system(command.c_str()), 0);
    std::vector<unsigned char> bytes;
    EXPECT_FALSE(krTestReadFile(out, bytes));
}
