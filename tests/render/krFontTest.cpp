// Tests of krFont: glyph blocks (parsing, refusal, round trip), measuring, textures and drawing.
#include <gtest/gtest.h>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "krRenderTestData.h"
#include "krTestFiles.h"
#include "krTestGL.h"
#include "render/krFont.h"

namespace
{

// Codes 0..2: an empty glyph, a 2 x 3 glyph and a 1 x 1 glyph.
TBytes SmallBlock()
{
    TBytes b;
    krTestPutGlyph(b, 0, 0, 4, 0, 0, {});
    krTestPutGlyph(b, 2, 3, 7, 3, 1, {1, 2, 3, 4, 5, 6});
    krTestPutGlyph(b, 1, 1, -2, -1, -3, {255});
    return b;
}

bool Parse(krFont& font, TBytes bytes)
{
    krMemoryBlock view = krTestView(bytes);
    return font.ParseGlyphBlock(&view);
}

} // namespace

TEST(FontGlyphs, ParseAndSaveRoundTrip)
{
    krFont font(ftYDown);
    EXPECT_EQ(font.scale, 1.0f);
    EXPECT_EQ(font.GetHeight(), 0.0f);
    uint64_t size = 99;
    EXPECT_EQ(font.SaveToMemory(&size), nullptr);
    EXPECT_EQ(size, 0u);

    const TBytes block = SmallBlock();
    ASSERT_TRUE(Parse(font, block));
    ASSERT_EQ(font.glyphCount, 3u);
    EXPECT_EQ(font.glyphs[0].bitmap, nullptr);
    EXPECT_EQ(font.glyphs[1].width, 2);
    EXPECT_EQ(font.glyphs[1].bitmap[5], 6);
    EXPECT_EQ(font.glyphs[2].advance, -2);
    EXPECT_EQ(font.glyphs[2].bearingX, -3);

    uint8_t* saved = font.SaveToMemory(&size);
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(TBytes(saved, saved + size), block);
    free(saved);

    // Loading again replaces the glyphs.
    TBytes one;
    krTestPutGlyph(one, 1, 1, 9, 0, 0, {7});
    ASSERT_TRUE(Parse(font, one));
    EXPECT_EQ(font.glyphCount, 1u);
    ASSERT_TRUE(Parse(font, TBytes()));
    EXPECT_EQ(font.glyphCount, 0u);
}

TEST(FontGlyphs, DamagedBlocksAreRefusedAndTheFontKept)
{
    krFont font(ftYDown);
    ASSERT_TRUE(Parse(font, SmallBlock()));
    const TBytes whole = SmallBlock();
    // Every cut that is not at a record boundary (0, 20, 46, 67).
    for (size_t n = 1; n < whole.size(); n++)
    {
        if (n == 20 || n == 46)
        {
            continue;
        }
        EXPECT_FALSE(Parse(font, TBytes(whole.begin(), whole.begin() + n))) << n;
        EXPECT_EQ(font.glyphCount, 3u);
    }
    const int32_t sizes[][2] = {{-1, 1}, {1, -1}, {-2, -3}, {5000, 0}, {0, 5000}, {0x7FFFFFFF, 2}};
    for (const auto& s : sizes)
    {
        TBytes bad;
        krTestPutGlyph(bad, s[0], s[1], 1, 1, 1, std::vector<uint8_t>(6, 1));
        EXPECT_FALSE(Parse(font, bad)) << s[0] << " x " << s[1];
    }
    EXPECT_EQ(font.glyphCount, 3u);
    EXPECT_EQ(font.glyphs[1].bitmap[0], 1);
    EXPECT_FALSE(font.LoadFromFile("/nonexistent/font.bin"));
    EXPECT_FALSE(font.SaveToFile("/nonexistent/dir/font.bin"));
    TBytes plain = SmallBlock();
    krMemoryBlock view = krTestView(plain);
    EXPECT_FALSE(font.LoadFromCrunchedMemoryBlock(&view));
    EXPECT_EQ(font.glyphCount, 3u);
}

TEST(FontGlyphs, WidthSumsAdvancesOfKnownCodes)
{
    krFont font(ftYDown);
    EXPECT_EQ(font.GetWidth(L"abc"), 0.0f);
    ASSERT_TRUE(Parse(font, SmallBlock()));
    EXPECT_EQ(font.GetWidth(nullptr), 0.0f);
    EXPECT_EQ(font.GetWidth(L""), 0.0f);
    const wchar_t two[] = {1, 2, 0};
    EXPECT_EQ(font.GetWidth(two), 5.0f);
    font.SetScale(0.5f);
    EXPECT_EQ(font.GetWidth(two), 2.5f);
    // Codes without a glyph, negative ones (stray UTF-8 bytes) included, count nothing.
    const wchar_t stray[] = {1, wchar_t(-66), 3, 0x17C, 2, 0};
    EXPECT_EQ(font.GetWidth(stray), 2.5f);
}

TEST(FontGlyphs, AppendCopiesTheBitmap)
{
    krFont font(ftYUp);
    uint8_t bitmap[4] = {1, 2, 3, 4};
    TGlyph_s g = {bitmap, 2, 2, 3, 2, 0};
    font.AppendGlyph(&g);
    bitmap[0] = 99;
    EXPECT_EQ(font.glyphs[0].bitmap[0], 1);
    EXPECT_NE(font.glyphs[0].bitmap, bitmap);
    TGlyph_s odd = {bitmap, -2, -2, 3, 2, 0}; // negative sizes carry no bitmap
    font.AppendGlyph(&odd);
    EXPECT_EQ(font.glyphs[1].bitmap, nullptr);
    font.FreeGlyphs();
    EXPECT_EQ(font.glyphCount, 0u);
    EXPECT_EQ(font.glyphs, nullptr);
}

class FontGL : public krGLTest
{
protected:
    // A square glyph whose upper half (first rows) is full and lower half empty.
    static void PutHalfGlyph(TBytes& out, int size, int advance, int bearingY, int bearingX)
    {
        std::vector<uint8_t> bitmap(size * size, 0);
        for (int i = 0; i < size * size / 2; i++)
        {
            bitmap[i] = 255;
        }
        krTestPutGlyph(out, size, size, advance, bearingY, bearingX, bitmap);
    }
    // Loads the glyph block `bytes` (uncrunched) with textures.
    static bool Load(krFont& font, TBytes bytes)
    {
        krMemoryBlock view = krTestView(bytes);
        return font.LoadFromMemory(&view);
    }
};

TEST_F(FontGL, TexturesArePowerOfTwoAndHeightFollowsBearings)
{
    TBytes b;
    krTestPutGlyph(b, 0, 0, 1, 0, 0, {});
    krTestPutGlyph(b, 5, 12, 1, 10, 0, std::vector<uint8_t>(60, 9));
    krTestPutGlyph(b, 16, 14, 1, 11, 0, std::vector<uint8_t>(16 * 14, 9));
    krTestPutGlyph(b, 5, 9, 1, 20, 0, std::vector<uint8_t>(45, 9));
    krTestPutGlyph(b, 5, 3, 1, 0, 0, std::vector<uint8_t>(15, 9));
    krTestPutGlyph(b, 1, 1, 1, 0, 0, {9});
    krMemoryBlock* crunched = krTestCrunch(b);
    krFont font(ftYDown);
    ASSERT_TRUE(font.LoadFromCrunchedMemoryBlock(crunched));
    krFreeMemoryBlock(crunched);
    EXPECT_EQ(font.fontHeight, 9.0f); // 12 at glyph 1, kept at 2, 9 at glyph 3
    font.SetScale(2);
    EXPECT_EQ(font.GetHeight(), 18.0f);
    ASSERT_EQ(font.geometry->Length(), 6u);
    ASSERT_EQ(font.textureCount, 6u);

    const int expected[6][2] = {{1, 1}, {8, 16}, {16, 16}, {8, 16}, {8, 4}, {1, 1}};
    for (int i = 0; i < 6; i++)
    {
        GLint w = 0, h = 0;
        glBindTexture(GL_TEXTURE_2D, font.textures[i]);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
        EXPECT_EQ(w, expected[i][0]) << i;
        EXPECT_EQ(h, expected[i][1]) << i;
    }
    // 5 x 3 in 8 x 4: u = 0.625, v = 0.75 at the corner (w, h).
    const krVertexArray* quad = font.geometry->GetVertexArray(4);
    EXPECT_EQ(quad->texCoords[4][0], 0.625f);
    EXPECT_EQ(quad->texCoords[4][1], 0.75f);
    EXPECT_EQ(quad->vertices[4][0], 5.0f);
    EXPECT_EQ(quad->vertices[4][1], 3.0f);

    // Reloading replaces the textures and releases the old ones.
    const GLuint old = font.textures[1];
    TBytes one;
    krTestPutGlyph(one, 1, 1, 1, 0, 0, {9});
    ASSERT_TRUE(Load(font, one));
    EXPECT_FALSE(glIsTexture(old));
    EXPECT_EQ(font.geometry->Length(), 1u);
}

TEST_F(FontGL, PrintPlacesGlyphsByBearingsAndAdvances)
{
    TBytes b;
    krTestPutGlyph(b, 0, 0, 5, 0, 0, {});                            // code 0
    PutHalfGlyph(b, 8, 12, 8, 2);                                    // code 1
    krTestPutGlyph(b, 4, 4, 6, 4, 0, std::vector<uint8_t>(16, 128)); // code 2: half coverage
    const std::string dir = krTestTempDir();
    ASSERT_TRUE(krTestWriteFile(dir + "/font.bin", b));
    krFont font(ftYDown);
    ASSERT_TRUE(font.LoadFromFile((dir + "/font.bin").c_str()));

    glColor4f(1, 0, 0, 1);
    // Pen at (20, 50) in the y-down projection; out-of-range codes are skipped.
    const wchar_t text[] = {1, wchar_t(-1), 7, 1, 2, 0};
    font.Print(20, 50, 0, text);
    // First glyph: x 22..30, y 42..50, upper half (y 42..46) full.
    EXPECT_TRUE(krPixelNear(ReadPixel(26, 43), 255, 0, 0));
    EXPECT_TRUE(krPixelNear(ReadPixel(26, 48), 0, 0, 0));
    EXPECT_TRUE(krPixelNear(ReadPixel(31, 43), 0, 0, 0));
    // Second glyph one advance (12) further: x 34..42.
    EXPECT_TRUE(krPixelNear(ReadPixel(38, 43), 255, 0, 0));
    EXPECT_TRUE(krPixelNear(ReadPixel(33, 43), 0, 0, 0));
    // Third glyph: pen at 44, x 44..48, y 46..50, colour times half coverage.
    EXPECT_TRUE(krPixelNear(ReadPixel(46, 48), 128, 0, 0, 12));
    EXPECT_TRUE(krPixelNear(ReadPixel(46, 44), 0, 0, 0));

    // Twice the scale: twice the distances.
    Clear(0, 0, 0);
    font.SetScale(2);
    const wchar_t one[] = {1, 0};
    font.Print(20, 100, 0, one);
    EXPECT_TRUE(krPixelNear(ReadPixel(30, 86), 255, 0, 0)); // x 24..40, y 84..100
    EXPECT_TRUE(krPixelNear(ReadPixel(30, 96), 0, 0, 0));
    EXPECT_TRUE(krPixelNear(ReadPixel(22, 86), 0, 0, 0));
}

TEST_F(FontGL, UpwardFontIsUprightWhereYGrowsUp)
{
    TBytes b;
    krTestPutGlyph(b, 0, 0, 0, 0, 0, {});
    PutHalfGlyph(b, 8, 10, 0, 0);
    krFont font(ftYUp);
    ASSERT_TRUE(Load(font, b));
    SetOrtho(0, kWidth, 0, kHeight, -1, 1);
    glColor4f(0, 1, 0, 1);
    const wchar_t text[] = {1, 0};
    font.SetScale(4);
    font.Print(100, 100, 0, text); // quad y 100..132 upward; screen rows 124..156 downward
    EXPECT_TRUE(krPixelNear(ReadPixel(110, 130), 0, 255, 0)); // upper half on screen
    EXPECT_TRUE(krPixelNear(ReadPixel(110, 150), 0, 0, 0));
}

TEST_F(FontGL, PrintOfNothingOnlyResetsItsOwnState)
{
    krFont font(ftYDown);
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    font.Print(1, 2, 3, L"");
    font.Print(1, 2, 3, nullptr);
    font.Print(1, 2, 3, L"no glyphs at all");
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(krGLInteger(GL_ARRAY_BUFFER_BINDING), 0);
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_EQ(m[12], 0.0f); // the matrix is restored
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    glDeleteBuffers(1, &buffer);
}

TEST_F(FontGL, PrintSpanDrawsTheGlyphsReachingIntoItsSpanWherePrintPutsThem)
{
    TBytes b;
    krTestPutGlyph(b, 0, 0, 5, 0, 0, {});
    PutHalfGlyph(b, 8, 12, 8, 2); // code 1: quads x 22..30, 34..42, ... from a pen at 20
    krFont font(ftYDown);
    ASSERT_TRUE(Load(font, b));
    const wchar_t text[] = {1, 1, 1, 1, 1, 0};
    glColor4f(1, 0, 0, 1);
    // The span 38..60 reaches into the second (34..42) and fourth (58..66) glyphs: they are
    // drawn whole, the third between them too, the first and the last not at all.
    font.PrintSpan(20, 50, 0, text, 38, 60);
    EXPECT_TRUE(krPixelNear(ReadPixel(35, 43), 255, 0, 0));
    EXPECT_TRUE(krPixelNear(ReadPixel(50, 43), 255, 0, 0));
    EXPECT_TRUE(krPixelNear(ReadPixel(65, 43), 255, 0, 0));
    EXPECT_TRUE(krPixelNear(ReadPixel(26, 43), 0, 0, 0));
    EXPECT_TRUE(krPixelNear(ReadPixel(74, 43), 0, 0, 0));

    // Clipped to the span, a pen off the pixel grid: the picture of Print, drawn from the atlas
    // and glyph by glyph (where a skipped glyph moves the pen as a drawn one does).
    const uint32_t atlasTexture = font.atlasTexture;
    glEnable(GL_SCISSOR_TEST);
    glScissor(38, 0, 22, kHeight);
    for (uint32_t texture : {atlasTexture, 0u})
    {
        font.atlasTexture = texture;
        const std::vector<uint8_t> printed = Picture([&] { font.Print(20.37f, 50.61f, 0, text); });
        EXPECT_EQ(krLargestDifference(
                      printed, Picture([&] { font.PrintSpan(20.37f, 50.61f, 0, text, 38, 60); })),
                  0)
            << "atlas " << texture;
    }
    font.atlasTexture = atlasTexture;
    glDisable(GL_SCISSOR_TEST);
}

TEST_F(FontGL, OneDrawPerStringLooksLikeADrawPerGlyph)
{
    // Glyphs of many sizes and bearings, full along their borders (where a neighbour read
    // through filtering would show). None is a power of two wide or high: such a glyph fills
    // its own texture, which repeats, and off the pixel grid filtering blends its opposite
    // edge into its border, where the atlas has zero (GlyphEdgesDoNotBleedInTheAtlas).
    const int sizes[] = {3, 5, 6, 7, 9, 10, 11, 12, 13};
    TBytes b;
    krTestPutGlyph(b, 0, 0, 4, 0, 0, {});
    for (int i = 1; i < 12; i++)
    {
        const int w = sizes[(i * 5) % 7], h = sizes[(i * 7) % 9];
        std::vector<uint8_t> bitmap(w * h);
        for (int t = 0; t < w * h; t++)
        {
            const bool border = t % w == 0 || t % w == w - 1 || t < w || t >= w * (h - 1);
            bitmap[t] = border ? 255 : uint8_t(t * 37 + i * 11);
        }
        krTestPutGlyph(b, w, h, w + i % 3 - 1, h - i % 4, i % 3 - 1, bitmap);
    }
    const wchar_t text[] = {1, 2, 3, 0x7FFF, 4, 5, 6, 7, 8, 9, 10, 11, 3, 1, 0};
    struct
    {
        TFontType type;
        float scale, view;       // the GUI's scale: the projection magnifies by `view`
        float x, y, left, right; // a span (a ticker) when left < right
    } const cases[] = {
        {ftYDown, 1.0f, 1.0f, 10.3f, 40.6f, 1, 0},
        {ftYDown, 1.0f / 1.5f, 1.5f, 10.3f, 40.6f, 1, 0}, // a fractional GUI scale
        {ftYDown, 2.0f, 1.0f, 3.7f, 90.2f, 1, 0},         // magnified
        {ftYDown, 0.8f, 1.0f, 7.1f, 120.4f, 1, 0},        // minified
        {ftYUp, 1.25f, 1.0f, 12.5f, 60.3f, 1, 0},
        {ftYDown, 1.0f / 1.5f, 1.5f, 5.6f, 30.2f, 20, 90},
        {ftYUp, 1.0f, 1.0f, 9.4f, 150.7f, 30, 110},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(::testing::Message() << c.type << " at " << c.scale << ", " << c.left);
        krFont font(c.type);
        ASSERT_TRUE(Load(font, b));
        const uint32_t atlasTexture = font.atlasTexture;
        ASSERT_NE(atlasTexture, 0u);
        font.SetScale(c.scale);
        const float w = kWidth / c.view, h = kHeight / c.view;
        SetOrtho(0, w, c.type == ftYUp ? 0 : h, c.type == ftYUp ? h : 0, -1, 1);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(1.0f, 0.9f, 0.5f, 1.0f);
        const bool span = c.left < c.right;
        const auto draw = [&]
        {
            glEnable(GL_SCISSOR_TEST); // a ticker's clip hides what lies outside its span
            glScissor(span ? int(c.left * c.view) : 0, 0,
                      span ? int((c.right - c.left) * c.view) : kWidth, kHeight);
            for (int line = 0; line < 3; line++)
            {
                const float x = c.x + float(line) * 7.3f, y = c.y + float(line) * 25.0f;
                span ? font.PrintSpan(x, y, 0, text, c.left, c.right) : font.Print(x, y, 0, text);
            }
            glDisable(GL_SCISSOR_TEST);
        };
        font.atlasTexture = 0; // without it: a draw per glyph
        const std::vector<uint8_t> perGlyph = Picture(draw, 0.2f, 0.3f, 0.4f);
        font.atlasTexture = atlasTexture;
        const std::vector<uint8_t> batched = Picture(draw, 0.2f, 0.3f, 0.4f);
        glDisable(GL_BLEND);
        // The state a draw per glyph leaves, the atlas bound.
        EXPECT_TRUE(krGLInteger(GL_ARRAY_BUFFER_BINDING) == 0 &&
                    krGLInteger(GL_MODELVIEW_STACK_DEPTH) == 1 && !glIsEnabled(GL_TEXTURE_2D) &&
                    !glIsEnabled(GL_VERTEX_ARRAY) && !glIsEnabled(GL_TEXTURE_COORD_ARRAY));
        EXPECT_EQ(GLuint(krGLInteger(GL_TEXTURE_BINDING_2D)), atlasTexture);
        // The same picture (pixel centres meet texel centres alike in both: no filtering
        // difference shows), and text drawn at all.
        EXPECT_LE(krLargestDifference(perGlyph, batched), 1);
        EXPECT_GT(krPixelsUnlike(perGlyph, 51, 77, 102), 1000);
    }
}

TEST_F(FontGL, GlyphEdgesDoNotBleedInTheAtlas)
{
    // A glyph 4 texels wide fills its own texture: off the pixel grid a repeating texture
    // blends its full right column into its empty left one. The atlas has zero there.
    TBytes b;
    krTestPutGlyph(b, 0, 0, 4, 0, 0, {});
    krTestPutGlyph(b, 4, 4, 5, 4, 0, {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255});
    krFont font(ftYDown);
    ASSERT_TRUE(Load(font, b));
    glColor4f(1, 0, 0, 1);
    font.Print(20.3f, 50, 0, L"\x01"); // x 20.3..24.3, y 46..50
    EXPECT_TRUE(krPixelNear(ReadPixel(20, 48), 0, 0, 0, 2));
    EXPECT_TRUE(krPixelNear(ReadPixel(23, 48), 178, 0, 0, 12));
}
