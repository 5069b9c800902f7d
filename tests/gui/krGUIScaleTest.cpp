// Tests of the GUI scale's drawing side: captions drawn with the fonts made for scales 2 and 3
// are as sharp as at scale 1 (not a magnified bitmap), and scissor rectangles cover the pixels
// of their scaled rectangle.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/krResource.h"
#include "gui/krGUIScale.h"
#include "krTestGL.h"
#include "render/krFont.h"

namespace
{
class GUIScaleGL : public krGLTest
{
protected:
    // Share of the inked pixels that are only partly covered, for a caption drawn at (x, y)
    // with `font` in a GUI projection of `scale`.
    double PartialShare(krFont& font, float scale, float x, float y)
    {
        Clear(0, 0, 0);
        glMatrixMode(GL_PROJECTION);
        krGUIProjection(kWidth, kHeight, scale);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(1, 1, 1, 1);
        font.Print(x, y, 0.0f, L"Start Quit");
        const std::vector<uint8_t> rgba = krReadScreen(kWidth, kHeight);
        int partial = 0, inked = 0;
        for (size_t i = 0; i < rgba.size(); i += 4)
        {
            const int v = rgba[i];
            inked += v > 24 ? 1 : 0;
            partial += v > 24 && v < 232 ? 1 : 0;
        }
        EXPECT_GT(inked, 0);
        return inked > 0 ? double(partial) / inked : 1.0;
    }

    bool LoadFont(krFont& font, const char* name)
    {
        krMemoryBlock* block = archive.Get(name);
        return block != nullptr && font.LoadFromCrunchedMemoryBlock(block);
    }

    krResource archive;
};
} // namespace

TEST_F(GUIScaleGL, CaptionsAtScaleTwoAndThreeAreAsSharpAsAtOne)
{
    const char* runDir = std::getenv("VOSSA_RUN_DIR");
    const std::string pack = std::string(runDir != nullptr ? runDir : ".") + "/vossadata.bin";
    if (!archive.ReadFromFile(pack.c_str()) || archive.Get("arial@300") == nullptr)
    {
        GTEST_SKIP() << "no asset pack with scaled fonts at " << pack;
    }
    krFont design(ftYDown);
    ASSERT_TRUE(LoadFont(design, "arial"));
    const double atOne = PartialShare(design, 1.0f, 3.0f, 25.0f);
    for (float scale : {2.0f, 3.0f})
    {
        krFont scaled(ftYDown);
        ASSERT_TRUE(LoadFont(scaled, scale == 2.0f ? "arial@200" : "arial@300"));
        scaled.SetScale(1.0f / scale);
        // Between pixels: the pen snaps to the glyphs' own pixels.
        const double sharp = PartialShare(scaled, scale, 3.3f, 24.6f);
        EXPECT_LE(sharp, atOne) << "scale " << scale;
        // The design's font magnified: the blur this guards against.
        const double magnified = PartialShare(design, scale, 3.0f, 25.0f);
        std::printf("partly covered: %.3f at 1, %.3f at %.0f, %.3f magnified\n", atOne, sharp,
                    scale, magnified);
        EXPECT_GT(magnified, atOne * 1.3) << "scale " << scale;
    }
}

TEST(GUIScale, ScissorCoversTheScaledRectangle)
{
    // At scale 1 the rectangle in OpenGL's bottom-up pixels, as the controls always clipped.
    TPixelRect_s r = krGUIScissorRect(10, 20, 100, 30, 720, 1.0f);
    EXPECT_EQ(r.x, 10);
    EXPECT_EQ(r.y, 720 - 20 - 30);
    EXPECT_EQ(r.w, 100);
    EXPECT_EQ(r.h, 30);
    // At 1.5 the edges fall between pixels: rounded outwards.
    r = krGUIScissorRect(11, 21, 101, 31, 1080, 1.5f);
    EXPECT_EQ(r.x, 16);        // 16.5 down
    EXPECT_EQ(r.y, 1080 - 78); // bottom 78 up
    EXPECT_EQ(r.x + r.w, 168); // 168 exactly
    EXPECT_EQ(r.h, 78 - 31);   // top 31.5 down
    EXPECT_EQ(krGUIScissorRect(0, 0, -5, -5, 100, 2.0f).w, 0);
}
