// The two bitmap fonts, parsed with the engine's glyph block loader.
#include <gtest/gtest.h>

#include "AssetgenTestPack.h"
#include "render/krFont.h"

namespace
{
const wchar_t kPolish[] = L"ąćęłńóśźżĄĆĘŁŃÓŚŹŻ";
}

TEST(PackFonts, BothFontsLoadAndDrawEveryPolishLetter)
{
    for (const char* name : {"arial", "ss10"})
    {
        std::vector<uint8_t> bytes = krTestPackEntry(name);
        krMemoryBlock view{bytes.data(), bytes.size()};
        krFont font(ftYDown);
        ASSERT_TRUE(font.ParseGlyphBlock(&view)) << name;
        EXPECT_GE(font.glyphCount, 0x180u) << name;
        for (const wchar_t* c = kPolish; *c; ++c)
        {
            ASSERT_LT((uint64_t)*c, font.glyphCount) << name;
            const TGlyph_s& g = font.glyphs[*c];
            EXPECT_GT(g.width, 0) << name << " U+" << std::hex << (int)*c;
            EXPECT_GT(g.height, 0) << name << " U+" << std::hex << (int)*c;
            EXPECT_GT(g.advance, 0) << name << " U+" << std::hex << (int)*c;
        }
        // Control codes are empty records; the space only advances.
        EXPECT_EQ(font.glyphs[0].width, 0) << name;
        EXPECT_EQ(font.glyphs[0].advance, 0) << name;
        EXPECT_EQ(font.glyphs[' '].width * font.glyphs[' '].height, 0) << name;
        EXPECT_GT(font.glyphs[' '].advance, 0) << name;
    }
}

TEST(PackFonts, CaptionFontIsBiggerThanTheLabelFontAndBothSuitTheirControls)
{
    krFont mainFont(ftYDown), smallFont(ftYDown);
    krFont* fonts[2] = {&mainFont, &smallFont};
    const char* names[2] = {"arial", "ss10"};
    for (int i = 0; i < 2; ++i)
    {
        std::vector<uint8_t> bytes = krTestPackEntry(names[i]);
        krMemoryBlock view{bytes.data(), bytes.size()};
        ASSERT_TRUE(fonts[i]->ParseGlyphBlock(&view));
    }
    // Cap heights: the caption font sits well on 32-pixel buttons, the label font is small.
    const int capMain = mainFont.glyphs['H'].height, capSmall = smallFont.glyphs['H'].height;
    EXPECT_GE(capMain, 10);
    EXPECT_LE(capMain, 14);
    EXPECT_GE(capSmall, 8);
    EXPECT_LT(capSmall, capMain);
    // Glyph coverage is real anti-aliasing: some partial values, some full ones.
    const TGlyph_s& g = smallFont.glyphs['o'];
    bool partial = false, full = false;
    for (int k = 0; k < g.width * g.height; ++k)
    {
        partial = partial || (g.bitmap[k] > 0 && g.bitmap[k] < 255);
        full = full || g.bitmap[k] > 200;
    }
    EXPECT_TRUE(partial && full);
}
