// Logo generator tests: the design parser's handling of malformed input. (Its TGA encoder,
// shared with the asset generator, is tested with the asset generator's encoders.)
#ifdef KR_HAVE_LOGO_GENERATOR
#include <gtest/gtest.h>

#include "krLogoDesign.h"

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
