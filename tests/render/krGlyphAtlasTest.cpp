// Tests of krGlyphAtlas: the packing (gutters, copies, power-of-two sides) and its refusals.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "render/krGlyphAtlas.h"

namespace
{
TGlyph_s Glyph(int32_t width, int32_t height, uint8_t* bitmap = nullptr)
{
    return TGlyph_s{bitmap, width, height, 0, 0, 0};
}
} // namespace

TEST(krGlyphAtlas, EveryBitmapCopiedWithAZeroTexelAroundIt)
{
    // Mixed sizes (empty and negative ones get no place), coverage never zero.
    const int32_t sizes[][2] = {{5, 9}, {0, 0}, {12, 3}, {1, 1}, {7, 7}, {-3, 4}, {30, 2}, {3, 11}};
    std::vector<uint8_t> coverage(400);
    for (size_t t = 0; t < coverage.size(); t++)
    {
        coverage[t] = uint8_t(1 + t % 251);
    }
    std::vector<TGlyph_s> glyphs;
    for (const auto& size : sizes)
    {
        glyphs.push_back(Glyph(size[0], size[1], coverage.data()));
    }
    krGlyphAtlas atlas;
    ASSERT_TRUE(atlas.Pack(glyphs.data(), glyphs.size(), 2048));
    ASSERT_EQ(atlas.slotCount, glyphs.size());
    EXPECT_EQ(atlas.width, 32); // 321 texels with gutters: 32 x 16 holds no such shelves
    EXPECT_EQ(atlas.height, 32);

    // Each texel's glyph (-1: none), then every glyph's ring of neighbours, wrapping around
    // the edges as a repeating texture does: no glyph's and zero.
    const int32_t w = atlas.width, h = atlas.height;
    std::vector<int> owner(size_t(w * h), -1);
    for (size_t i = 0; i < glyphs.size(); i++)
    {
        const TGlyph_s& g = glyphs[i];
        for (int32_t y = 0; krGlyphAtlas::HasArea(g) && y < g.height; y++)
        {
            for (int32_t x = 0; x < g.width; x++)
            {
                const int32_t at = (atlas.slots[i].y + y) * w + atlas.slots[i].x + x;
                ASSERT_TRUE(atlas.slots[i].x + g.width <= w && atlas.slots[i].y + g.height <= h);
                EXPECT_EQ(owner[at], -1) << i;
                owner[at] = int(i);
                EXPECT_EQ(atlas.texels[2 * at], coverage[y * g.width + x]) << i;
                EXPECT_EQ(atlas.texels[2 * at + 1], coverage[y * g.width + x]) << i;
            }
        }
    }
    for (size_t i = 0; i < glyphs.size(); i++)
    {
        const TGlyph_s& g = glyphs[i];
        for (int32_t y = -1; krGlyphAtlas::HasArea(g) && y <= g.height; y++)
        {
            for (int32_t x = -1; x <= g.width; x += (y == -1 || y == g.height) ? 1 : g.width + 1)
            {
                const int32_t at =
                    (atlas.slots[i].y + y + h) % h * w + (atlas.slots[i].x + x + w) % w;
                EXPECT_TRUE(owner[at] == -1 && atlas.texels[2 * at + 1] == 0)
                    << "glyph " << i << " touches at " << x << ", " << y;
            }
        }
    }
}

TEST(krGlyphAtlas, GlyphsThatCannotFitAreRefusedAndLeaveItEmpty)
{
    krGlyphAtlas atlas;
    const TGlyph_s dot = Glyph(1, 1), wide = Glyph(63, 5), wider = Glyph(64, 5);
    ASSERT_TRUE(atlas.Pack(&dot, 1, 2048)); // one texel and its gutter
    EXPECT_EQ(atlas.width * atlas.height, 4);
    EXPECT_TRUE(atlas.Pack(&wide, 1, 100)); // 63 and its gutter: 64, below 100
    EXPECT_EQ(atlas.width, 64);
    EXPECT_FALSE(atlas.Pack(&wider, 1, 64));
    EXPECT_TRUE(atlas.width == 0 && !atlas.slots && !atlas.texels && atlas.slotCount == 0);
    EXPECT_FALSE(atlas.Pack(&wide, 1, 0));
    EXPECT_FALSE(atlas.Pack(nullptr, 1, 64));
    EXPECT_FALSE(atlas.Pack(&wide, 0, 64));
    // Hostile sizes: no allocation of their product, no crash.
    for (const TGlyph_s& g : {Glyph(INT32_MAX, INT32_MAX), Glyph(INT32_MAX, 1), Glyph(5000, 5000)})
    {
        EXPECT_FALSE(atlas.Pack(&g, 1, INT32_MAX));
    }
    // 64 glyphs of 7 x 7 fill 64 x 64 exactly (8 x 8 cells with their gutters); 65 do not.
    std::vector<TGlyph_s> many(64, Glyph(7, 7));
    EXPECT_TRUE(atlas.Pack(many.data(), many.size(), 64));
    many.push_back(Glyph(7, 7));
    EXPECT_FALSE(atlas.Pack(many.data(), many.size(), 64));
    // More glyphs than any atlas can hold are refused before packing.
    std::vector<TGlyph_s> flood(5000000, Glyph(1, 1));
    EXPECT_FALSE(atlas.Pack(flood.data(), flood.size(), INT32_MAX));
}
