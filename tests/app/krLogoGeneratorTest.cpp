// Logo generator tests: the RLE TGA encoder against an independent decoder, and the design
// parser's handling of malformed input.
#ifdef KR_HAVE_LOGO_GENERATOR
#include <gtest/gtest.h>

#include "krLogoDesign.h"
#include "krTGAEncoder.h"
#include "krTestTGA.h"

TEST(krTGAEncoderTest, RoundTripsRunsRawStretchesAndRowEnds)
{
    const int width = 300, height = 3;
    std::vector<uint8_t> rgba(width * height * 4);
    for (int y = 0; y < height; y++)
    {
        for (int x = 0; x < width; x++)
        {
            uint8_t* p = &rgba[(y * width + x) * 4];
            // Row 0: one long run (longer than a packet); row 1: all different; row 2: pairs.
            const int v = y == 0 ? 7 : y == 1 ? x : x / 2;
            p[0] = static_cast<uint8_t>(v);
            p[1] = static_cast<uint8_t>(v * 3);
            p[2] = static_cast<uint8_t>(y);
            p[3] = static_cast<uint8_t>(255 - v);
        }
    }
    const std::vector<uint8_t> tga = EncodeTGARLE32(rgba.data(), width, height);
    ASSERT_GT(tga.size(), 18u);
    EXPECT_EQ(tga[2], 10);
    EXPECT_EQ(tga[17], 0x08);
    TTestImage_s image;
    ASSERT_TRUE(krTestDecodeTGA(tga.data(), tga.size(), image));
    EXPECT_EQ(image.width, width);
    EXPECT_EQ(image.height, height);
    EXPECT_EQ(image.rgba, rgba);

    EXPECT_TRUE(EncodeTGARLE32(rgba.data(), 0, 5).empty());
    EXPECT_TRUE(EncodeTGARLE32(rgba.data(), 70000, 1).empty());
}

TEST(krLogoDesignTest, ReadsLayersInOrder)
{
    TLogoDesign_s design;
    std::string error;
    ASSERT_TRUE(ParseLogoDesign("size 256 64 # the canvas\n"
                                "font b DejaVuSans-Bold.ttf\n"
                                "text b 40 10 50 -1 ff0000 00ff0080 0000ff 4 hello world\n"
                                "line 1 200 45 2 ffffff 10\n",
                                design, error))
        << error;
    EXPECT_EQ(design.width, 256);
    EXPECT_EQ(design.height, 64);
    ASSERT_EQ(design.layers.size(), 2u);
    const TLogoLayer_s& text = design.layers[0];
    EXPECT_EQ(text.kind, llkText);
    EXPECT_EQ(text.text, "hello world");
    EXPECT_EQ(text.tracking, -1);
    EXPECT_EQ(text.top.r, 255);
    EXPECT_EQ(text.top.a, 255);
    EXPECT_EQ(text.bottom.a, 0x80);
    EXPECT_EQ(design.layers[1].kind, llkLine);
    EXPECT_EQ(design.layers[1].x1, 200);
}

TEST(krLogoDesignTest, RejectsMalformedInput)
{
    const char* bad[] = {
        "",                                                        // no size
        "size 0 64\n",                                             // empty canvas
        "size 256 99999\n",                                        // too large
        "size 256 64 1\n",                                         // extra field
        "size 256 64x\n",                                          // not a number
        "size 256 64\nfont a ../../etc/passwd\n",                  // leaves the font folder
        "size 256 64\nfont a /etc/passwd\n",                       // absolute path
        "size 256 64\ntext a 10 0 0 0 ffffff ffffff ffffff 0 x\n", // unknown font
        "size 256 64\nfont a A.ttf\ntext a 10 0 0 0 fffff ffffff ffffff 0 x\n",   // colour
        "size 256 64\nfont a A.ttf\ntext a 10 0 0 0 ffffff ffffff ffffff 99 x\n", // radius
        "size 256 64\nfont a A.ttf\ntext a 10 0 0 0 ffffff ffffff ffffff 1 \xc3\xa9\n",
        "size 256 64\nline 0 10 5 0 ffffff 0\n", // zero thickness
        "size 256 64\nblur 3\n",                 // unknown instruction
        "size 256 64\nfont a A.ttf\nfont a B.ttf\n",
    };
    for (const char* source : bad)
    {
        TLogoDesign_s design;
        std::string error;
        EXPECT_FALSE(ParseLogoDesign(source, design, error)) << source;
        EXPECT_FALSE(error.empty()) << source;
    }
    TLogoDesign_s design;
    std::string error;
    EXPECT_FALSE(ParseLogoDesign("size 10 10\n" + std::string(5000, 'x'), design, error));
}
#endif
