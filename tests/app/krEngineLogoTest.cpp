// Engine logo tests: the compiled-in block's format, its registration in `Resource`, and (when
// the generator is built) that the committed logo shows what the generator draws from the
// design in assets/logo.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "data/krMemoryBlock.h"
#include "gui/krEngineLogo.h"
#include "gui/krGUIResource.h"
#include "krTestTGA.h"

namespace
{
krMemoryBlock LogoView()
{
    krMemoryBlock view;
    view.data = const_cast<uint8_t*>(krEngineLogo);
    view.size = krEngineLogo_size;
    return view;
}
} // namespace

TEST(krEngineLogoTest, IsACrunched256x64RunLengthTGAWithAlpha)
{
    const krMemoryBlock view = LogoView();
    krMemoryBlock* tga = krDecrunchMemoryBlock(&view);
    ASSERT_NE(tga, nullptr);
    const uint32_t declared = krEngineLogo[0] | (krEngineLogo[1] << 8) | (krEngineLogo[2] << 16) |
                              (static_cast<uint32_t>(krEngineLogo[3]) << 24);
    EXPECT_EQ(declared, tga->size);

    ASSERT_GE(tga->size, 18u);
    const uint8_t* h = tga->data;
    EXPECT_EQ(h[0], 0);  // no image ID
    EXPECT_EQ(h[1], 0);  // no colour map
    EXPECT_EQ(h[2], 10); // run-length-encoded true colour
    EXPECT_EQ(h[16], 32);
    EXPECT_EQ(h[17], 0x08); // 8 alpha bits, bottom-left origin

    TTestImage_s image;
    ASSERT_TRUE(krTestDecodeTGA(tga->data, tga->size, image));
    EXPECT_EQ(image.width, 256);
    EXPECT_EQ(image.height, 64);

    // It has both clear and opaque parts, and its ink keeps off the edges.
    int opaque = 0, clear = 0;
    for (int y = 0; y < 64; y++)
    {
        for (int x = 0; x < 256; x++)
        {
            const uint8_t a = image.rgba[(y * 256 + x) * 4 + 3];
            opaque += a == 255;
            clear += a == 0;
            if (x == 0 || y == 0 || x == 255 || y == 63)
            {
                EXPECT_EQ(a, 0) << "edge pixel " << x << "," << y;
            }
        }
    }
    EXPECT_GT(opaque, 500);
    EXPECT_GT(clear, 256 * 64 / 2);
    krFreeMemoryBlock(tga);
}

TEST(krEngineLogoTest, ResourceInitRegistersACopyOfTheLogo)
{
    krGUIResource resource;
    EXPECT_TRUE(resource.Init());
    ASSERT_EQ(resource.Length(), 1u);
    EXPECT_STREQ(resource.GetName(0), "krEngineLogo");
    krMemoryBlock* block = resource.Get("krEngineLogo");
    ASSERT_NE(block, nullptr);
    ASSERT_EQ(block->size, krEngineLogo_size);
    EXPECT_NE(block->data, krEngineLogo);
    EXPECT_EQ(memcmp(block->data, krEngineLogo, krEngineLogo_size), 0);
}

#ifdef KR_HAVE_LOGO_GENERATOR
#include "krLogoBuild.h"

// What the committed logo must match is the picture, not the bytes: a newer FreeType may
// smooth an edge differently and a newer zlib may pack the same image into other bytes.
TEST(krEngineLogoTest, CommittedLogoShowsWhatTheGeneratorDraws)
{
    std::vector<uint8_t> tga;
    std::string error;
    ASSERT_TRUE(BuildLogoTGA(KR_LOGO_DESIGN, KR_LOGO_FONT_DIR, tga, error)) << error;
    const krMemoryBlock view = LogoView();
    krMemoryBlock* committed = krDecrunchMemoryBlock(&view);
    ASSERT_NE(committed, nullptr);
    TTestImage_s made, shipped;
    ASSERT_TRUE(krTestDecodeTGA(tga.data(), tga.size(), made));
    const bool decoded = krTestDecodeTGA(committed->data, committed->size, shipped);
    krFreeMemoryBlock(committed);
    ASSERT_TRUE(decoded);
    // A mismatch here means the design changed without a rebuild (run the kr_logo_regen target).
    ASSERT_EQ(made.width, shipped.width);
    ASSERT_EQ(made.height, shipped.height);
    const size_t pixels = made.rgba.size() / 4;
    size_t differing = 0;
    uint64_t total = 0;
    for (size_t p = 0; p < pixels; ++p)
    {
        int worst = 0;
        for (size_t c = 0; c < 4; ++c)
        {
            const int d = std::abs(int(made.rgba[p * 4 + c]) - int(shipped.rgba[p * 4 + c]));
            total += uint64_t(d);
            worst = d > worst ? d : worst;
        }
        differing += worst > 16 ? 1 : 0;
    }
    // Anti-aliased edges may move a little; letters, colours and placement may not.
    EXPECT_LE(differing, pixels / 100);
    EXPECT_LT(double(total) / double(made.rgba.size()), 1.0);

    // The generator is deterministic.
    std::vector<uint8_t> again;
    ASSERT_TRUE(BuildLogoTGA(KR_LOGO_DESIGN, KR_LOGO_FONT_DIR, again, error)) << error;
    EXPECT_EQ(again, tga);
}
#endif
