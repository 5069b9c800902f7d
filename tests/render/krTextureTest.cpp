// Tests of TGA decoding (CPU) and texture upload and orientation (GL).
#include <gtest/gtest.h>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>

#include <memory>
#include <tuple>

#include "krRenderTestData.h"
#include "krTestGL.h"
#include "render/krTexture.h"
#include "render/krTexturedBox.h"

namespace
{

TBytes Concat(TBytes a, const TBytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct TTextureFree
{
    void operator()(TTGATexture* t) const { FreeTGATexture(t); }
};
typedef std::unique_ptr<TTGATexture, TTextureFree> TTexturePtr;

TTexturePtr Decode(TBytes bytes)
{
    krMemoryBlock view = krTestView(bytes);
    return TTexturePtr(LoadFromMemoryBlockTGA(&view));
}

TBytes Pixels(const TTGATexture* t)
{
    const uint64_t size = uint64_t(t->width) * t->height * (t->bitsPerPixel / 8);
    return TBytes(t->pixels, t->pixels + size);
}

} // namespace

TEST(TGADecode, RawAndRunLengthPixelsComeOutRgb)
{
    // Each case: what it holds, the file, the pixels decoded (R, G, B (, A)).
    const std::tuple<const char*, TBytes, TBytes> cases[] = {
        {"uncompressed, 24 bits",
         Concat(krTestTGAHeader(2, 2, 1, 24), {1, 2, 3, 4, 5, 6}),
         {3, 2, 1, 6, 5, 4}},
        {"uncompressed, 32 bits", Concat(krTestTGAHeader(2, 1, 1, 32), {1, 2, 3, 4}), {3, 2, 1, 4}},
        {"a run packet of two 32-bit pixels",
         Concat(krTestTGAHeader(10, 2, 1, 32), {0x81, 0x10, 0x20, 0x30, 0x40}),
         {0x30, 0x20, 0x10, 0x40, 0x30, 0x20, 0x10, 0x40}},
        {"a raw packet of two 24-bit pixels",
         Concat(krTestTGAHeader(10, 2, 1, 24), {0x01, 1, 2, 3, 4, 5, 6}),
         {3, 2, 1, 6, 5, 4}},
        {"packets across row ends; the run that completes the image ends before a footer",
         Concat(krTestTGAHeader(10, 2, 2, 24),
                {0x00, 9, 8, 7, 0x82, 1, 2, 3, 'T', 'R', 'U', 'E', 'V', 'I', 'S', 'I'}),
         {7, 8, 9, 3, 2, 1, 3, 2, 1, 3, 2, 1}}};
    for (const auto& [what, tga, pixels] : cases)
    {
        TTexturePtr t = Decode(tga);
        ASSERT_NE(t, nullptr) << what;
        EXPECT_EQ(t->width, uint32_t(tga[12])) << what;
        EXPECT_EQ(t->height, uint32_t(tga[14])) << what;
        EXPECT_EQ(t->bitsPerPixel, uint32_t(tga[16])) << what;
        EXPECT_EQ(t->format, tga[16] == 32 ? uint32_t(GL_RGBA) : uint32_t(GL_RGB)) << what;
        EXPECT_EQ(Pixels(t.get()), pixels) << what;
    }
    FreeTGATexture(nullptr);
}

TEST(TGADecode, RefusesUnsupportedOrDamagedImages)
{
    const TBytes pixel24 = {1, 2, 3};
    TBytes idField = Concat(krTestTGAHeader(2, 1, 1, 24), pixel24);
    idField[0] = 1;
    TBytes colourMapped = Concat(krTestTGAHeader(2, 1, 1, 24), pixel24);
    colourMapped[1] = 1;
    const TBytes cases[] = {
        TBytes(),
        TBytes(17, 0),
        Concat(krTestTGAHeader(3, 1, 1, 8), {7}),                          // grey
        Concat(krTestTGAHeader(1, 1, 1, 8), {7}),                          // colour-mapped type
        Concat(krTestTGAHeader(2, 1, 1, 16), {1, 2}),                      // 16 bits
        Concat(krTestTGAHeader(2, 0, 1, 24), pixel24),                     // no width
        Concat(krTestTGAHeader(2, 2, 1, 24), pixel24),                     // truncated pixels
        Concat(krTestTGAHeader(10, 2, 1, 24), {0x00, 1, 2}),               // truncated raw packet
        Concat(krTestTGAHeader(10, 2, 1, 24), {0x81, 1, 2}),               // truncated run packet
        Concat(krTestTGAHeader(10, 2, 1, 24), {0x00, 1, 2, 3}),            // pixels missing
        Concat(krTestTGAHeader(10, 2, 1, 24), {0x82, 1, 2, 3}),            // run past the image
        Concat(krTestTGAHeader(10, 1, 1, 24), {0x01, 1, 2, 3, 4, 5, 6}),   // raw past the image
        Concat(krTestTGAHeader(10, 65535, 65535, 32), {0xFF, 1, 2, 3, 4}), // cannot be filled
        idField,
        colourMapped,
    };
    for (const TBytes& bytes : cases)
    {
        EXPECT_EQ(Decode(bytes), nullptr) << "case of " << bytes.size() << " bytes";
    }
    EXPECT_EQ(LoadFromMemoryBlockTGA(nullptr), nullptr);

    // The decoders report refusal and leave no pixels behind.
    TBytes truncated = Concat(krTestTGAHeader(2, 2, 1, 24), pixel24);
    krMemoryBlock view = krTestView(truncated);
    TTGATexture t = {};
    EXPECT_FALSE(ReadUncompressedTGA(&view, &t));
    EXPECT_EQ(t.pixels, nullptr);
    EXPECT_FALSE(ReadCompressedTGA(&view, &t));
    EXPECT_EQ(t.pixels, nullptr);
}

TEST(TGADecode, EveryTruncationIsRefused)
{
    const TBytes whole = Concat(krTestTGAHeader(10, 4, 2, 32), {0x83, 1, 2, 3, 4, 0x01, 5, 6, 7, 8,
                                                                9, 10, 11, 12, 0x81, 1, 1, 1, 1});
    ASSERT_NE(Decode(whole), nullptr);
    for (size_t n = 0; n < whole.size(); n++)
    {
        EXPECT_EQ(Decode(TBytes(whole.begin(), whole.begin() + n)), nullptr) << n;
    }
}

using TGATextureGL = krGLTest;

TEST_F(TGATextureGL, UploadAndCrunchedUpload)
{
    TBytes tga = krTestTGA32(2, 1, {0xFF0000FF, 0x00FF00FF});
    krMemoryBlock view = krTestView(tga);
    GLuint plain = TextureFromMemoryBlockTGA(&view);
    ASSERT_NE(plain, 0u);
    EXPECT_TRUE(glIsTexture(plain));
    GLint width = 0, param = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, 2);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &param);
    EXPECT_EQ(param, GL_REPEAT);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &param);
    EXPECT_EQ(param, GL_LINEAR);

    krMemoryBlock* crunched = krTestCrunch(tga);
    GLuint packed = TextureFromCrunchedMemoryBlockTGA(crunched);
    EXPECT_NE(packed, 0u);
    EXPECT_NE(packed, plain);
    krFreeMemoryBlock(crunched);

    // Not crunched, not a TGA: no texture.
    EXPECT_EQ(TextureFromCrunchedMemoryBlockTGA(&view), 0u);
    TBytes junk(40, 0x55);
    krMemoryBlock junkView = krTestView(junk);
    EXPECT_EQ(TextureFromMemoryBlockTGA(&junkView), 0u);
    GLuint names[2] = {plain, packed};
    glDeleteTextures(2, names);
}

TEST_F(TGATextureGL, OddWidth24BitRowsAreNotPadded)
{
    // 3 x 2 pixels of 24 bits: rows of 9 bytes. Bottom row (stored first) red, top row blue.
    TBytes tga = Concat(krTestTGAHeader(2, 3, 2, 24),
                        {0, 0, 255, 0, 0, 255, 0, 0, 255, 255, 0, 0, 255, 0, 0, 255, 0, 0});
    krTexturedBox box(256, 256, false, tbpNormal);
    krMemoryBlock* crunched = krTestCrunch(tga);
    ASSERT_TRUE(box.TextureFromCrunchedMemoryBlock(crunched));
    krFreeMemoryBlock(crunched);
    SetOrtho(0, kWidth, 0, kHeight, -1, 1);
    box.Draw();
    // The stored first row is the bottom row.
    for (int x : {43, 128, 213})
    {
        EXPECT_TRUE(krPixelNear(ReadPixel(x, 64), 0, 0, 255)) << x;
        EXPECT_TRUE(krPixelNear(ReadPixel(x, 192), 255, 0, 0)) << x;
    }
}

// A 2 x 2 picture stored bottom row first: bottom row red, green; top row blue, white.
class TGAOrientationGL : public krGLTest
{
protected:
    void Check(const char* what)
    {
        // ReadPixel counts y downward from the top of the window.
        EXPECT_TRUE(krPixelNear(ReadPixel(64, 192), 255, 0, 0)) << what << ": bottom left";
        EXPECT_TRUE(krPixelNear(ReadPixel(192, 192), 0, 255, 0)) << what << ": bottom right";
        EXPECT_TRUE(krPixelNear(ReadPixel(64, 64), 0, 0, 255)) << what << ": top left";
        EXPECT_TRUE(krPixelNear(ReadPixel(192, 64), 255, 255, 255)) << what << ": top right";
    }

    TBytes picture = krTestTGA32(2, 2, {0xFF0000FF, 0x00FF00FF, 0x0000FFFF, 0xFFFFFFFF});
};

TEST_F(TGAOrientationGL, NormalBoxInTheSceneAndFlippedBoxInTheGUI)
{
    krMemoryBlock* crunched = krTestCrunch(picture);

    // y up, as in the 3D scene.
    SetOrtho(0, kWidth, 0, kHeight, -1, 1);
    krTexturedBox* normal = krTexturedBox::Create(kWidth, kHeight, false, tbpNormal);
    ASSERT_TRUE(normal->TextureFromCrunchedMemoryBlock(crunched));
    normal->Draw();
    Check("tbpNormal, y up");
    delete normal;

    // y down, as in the GUI.
    Clear(0, 0, 0);
    SetPixelProjection();
    krTexturedBox* flipped = krTexturedBox::Create(kWidth, kHeight, false, tbpFlipped);
    ASSERT_TRUE(flipped->TextureFromCrunchedMemoryBlock(crunched));
    flipped->Draw();
    Check("tbpFlipped, y down");
    delete flipped;
    krFreeMemoryBlock(crunched);
}
