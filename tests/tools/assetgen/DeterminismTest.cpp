// Running the generator again gives the pack the build made, byte for byte.
#include <gtest/gtest.h>

#include <cstdlib>

#include "krTestFiles.h"

TEST(PackDeterminism, SecondRunGivesIdenticalBytes)
{
    std::vector<unsigned char> built, again;
    ASSERT_TRUE(krTestReadFile(VOSSA_PACK_FILE, built)) << VOSSA_PACK_FILE;
    const std::string out = krTestTempDir() + "/vossadata.bin";
    // One thread this time: the result must not depend on how the work is shared either.
    const std::string command = std::string("\"") + VOSSA_ASSETGEN_EXE + "\" --assets \"" +
                                VOSSA_ASSETS_DIR + "\" --fonts \"" + VOSSA_FONTS_DIR +
                                "\" --out \"" + out + "\" --threads 1 > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    ASSERT_TRUE(krTestReadFile(out, again));
    ASSERT_EQ(built.size(), again.size());
    EXPECT_TRUE(built == again);
}
