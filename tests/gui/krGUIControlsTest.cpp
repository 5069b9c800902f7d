// Tests of buttons, labels, pictures and panels (they build GL objects, so all run with a
// hidden window): geometry, rebuilds, the button's face state machine and drawn pixels.
#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

#include "app/krSDLWrapper.h"
#include "data/krString.h"
#include "gui/krGUIButton.h"
#include "gui/krGUILabel.h"
#include "gui/krGUIManager.h"
#include "gui/krGUIPanel.h"
#include "gui/krGUIPicture.h"
#include "krGUITestAssets.h"
#include "krTestGL.h"
#include "render/krFont.h"
#include "render/krGeometry.h"
#include "render/krTexturedBox.h"

namespace
{

// Three faces of one colour each: red passive, green active, blue pushed.
class GUIControlsTest : public krGUIGLTest
{
protected:
    void SetUp() override
    {
        krGUIGLTest::SetUp();
        if (IsSkipped())
        {
            return;
        }
        red = krMakeSolidTGA(4, 4, 255, 0, 0, 255);
        green = krMakeSolidTGA(4, 4, 0, 255, 0, 255);
        blue = krMakeSolidTGA(4, 4, 0, 0, 255, 255);
        states = new krGUIButtonStates(red, green, blue);
        UseFont(10, 10);
    }
    void TearDown() override
    {
        delete states;
        krFreeMemoryBlock(red);
        krFreeMemoryBlock(green);
        krFreeMemoryBlock(blue);
        delete font;
        krGUIGLTest::TearDown();
    }

    // Glyphs 8 pixels wide and `height` tall, advancing `advance` (10 and 10 unless a test
    // says otherwise).
    void UseFont(int32_t height, int32_t advance)
    {
        delete font;
        font = krMakeTestFont(height, advance, 8);
        ASSERT_NE(nullptr, font);
    }

    static const float* Vertex(krVertexArray* array, uint64_t i) { return array->vertices[i]; }

    krMemoryBlock* red = nullptr;
    krMemoryBlock* green = nullptr;
    krMemoryBlock* blue = nullptr;
    krGUIButtonStates* states = nullptr;
    krFont* font = nullptr;
};

} // namespace

TEST_F(GUIControlsTest, PanelHas114VerticesInItsColour)
{
    krGUIPanel panel(0, 0, 0, 620, 320);
    ASSERT_EQ(1u, panel.GetGeometry()->Length());
    krVertexArray* box = panel.GetGeometry()->GetVertexArray(0);
    ASSERT_EQ(114u, box->GetVertexArraySize());
    ASSERT_EQ(114u, box->colorCount);
    for (uint64_t i = 0; i < box->colorCount; i++)
    {
        EXPECT_FLOAT_EQ(0.8f, box->colors[i][3]);
        EXPECT_FLOAT_EQ(0.0f, box->colors[i][0]);
    }
    // Top band: x 10 .. 610, y 0 .. 10.
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
    for (uint64_t i = 6; i < 12; i++)
    {
        minX = std::min(minX, Vertex(box, i)[0]);
        maxX = std::max(maxX, Vertex(box, i)[0]);
        minY = std::min(minY, Vertex(box, i)[1]);
        maxY = std::max(maxY, Vertex(box, i)[1]);
    }
    EXPECT_EQ(10.0f, minX);
    EXPECT_EQ(610.0f, maxX);
    EXPECT_EQ(0.0f, minY);
    EXPECT_EQ(10.0f, maxY);
    // First corner fan centred at (10, 10), starting straight left of it.
    EXPECT_EQ(10.0f, Vertex(box, 18)[0]);
    EXPECT_EQ(10.0f, Vertex(box, 18)[1]);
    EXPECT_NEAR(0.0f, Vertex(box, 19)[0], 1e-4);
    EXPECT_NEAR(10.0f, Vertex(box, 19)[1], 1e-4);
    // Every fan triangle is (centre, arc point, arc point), eight per corner, on the radius.
    for (uint64_t t = 18; t < 114; t += 3)
    {
        const float* c = Vertex(box, t);
        for (uint64_t k = 1; k < 3; k++)
        {
            const float* p = Vertex(box, t + k);
            EXPECT_NEAR(10.0, std::hypot(p[0] - c[0], p[1] - c[1]), 1e-3);
            EXPECT_EQ(0.0f, p[2]);
        }
    }
    EXPECT_EQ(610.0f, Vertex(box, 18 + 24)[0]); // the second corner is the top-right one
    EXPECT_EQ(10.0f, Vertex(box, 18 + 24)[1]);
}

TEST_F(GUIControlsTest, PanelRebuildKeepsItsColourAtTheAbsolutePosition)
{
    krGUIPanel* parent = new krGUIPanel(1, 100, 50, 400, 300);
    krGUIPanel* panel = new krGUIPanel(0, 0, 0, 200, 100);
    panel->SetBackgroundColor(1, 1, 1, 0.8f);
    parent->AppendChild(panel);
    krVertexArray* box = panel->GetGeometry()->GetVertexArray(0);
    EXPECT_EQ(100.0f, Vertex(box, 0)[0]); // the middle band starts at x = 100
    EXPECT_EQ(60.0f, Vertex(box, 0)[1]);
    ASSERT_EQ(114u, box->colorCount);
    for (uint64_t i = 0; i < box->colorCount; i++)
    {
        EXPECT_FLOAT_EQ(1.0f, box->colors[i][0]);
        EXPECT_FLOAT_EQ(0.8f, box->colors[i][3]);
    }
    manager->AppendControl(parent);
}

TEST_F(GUIControlsTest, CornersOfTinyRadiiAndShortSpansStayFinite)
{
    krVertexArray array(GL_TRIANGLES);
    krGUIPanel::CreateCorner(&array, 5, 5, 1, 3.1415927f, 4.712389f, 0);
    EXPECT_EQ(6u, array.GetVertexArraySize()); // one-radian steps: two triangles
    krGUIPanel::CreateCorner(&array, 5, 5, 10, 0.0f, 0.5f, 5);
    EXPECT_EQ(6u, array.GetVertexArraySize()); // under a radian: nothing
    krGUIPanel::CreateCorner(&array, 5, 5, 10, 2.0f, 1.0f, 5);
    EXPECT_EQ(6u, array.GetVertexArraySize()); // reversed: nothing
    float c[4] = {1, 1, 1, 1};
    krVertexArray box(GL_TRIANGLES);
    krGUIPanel::BuildRoundedBox(&box, 0, 0, 10, 10, 1, &c);
    EXPECT_EQ(18u + 4 * 6, box.GetVertexArraySize());
}

TEST_F(GUIControlsTest, PanelDrawsRoundedTranslucentCorners)
{
    manager->AppendControl(new krGUIPanel(0, 20, 20, 200, 100));
    DrawFrame(1, 1, 1);
    // Black at alpha 0.8 over white leaves 20 % of the white.
    ExpectPixels({{100, 60, 51, 51, 51}, {21, 60, 51, 51, 51}, {100, 21, 51, 51, 51}});
    // The very corners are cut away, on all four sides.
    ExpectPixels({{21, 21, 255, 255, 255},
                  {218, 21, 255, 255, 255},
                  {218, 118, 255, 255, 255},
                  {21, 118, 255, 255, 255}});
    // Just inside the arc it is covered.
    ExpectPixels({{24, 24, 51, 51, 51}, {19, 60, 255, 255, 255}});
}

TEST_F(GUIControlsTest, NarrowButtonsAreWidenedTo48)
{
    krGUIButton button(1, font, states, 0, 0, 40, 20, krString(L"ok"));
    EXPECT_EQ(48, button.GetWidth());
    ASSERT_EQ(3u, button.GetGeometry()->Length());
    for (uint64_t i = 0; i < 3; i++)
    {
        krTexturedBox* face = static_cast<krTexturedBox*>(button.GetGeometry()->GetVertexArray(i));
        EXPECT_EQ(48.0f, face->GetWidth());
        EXPECT_EQ(20.0f, face->GetHeight());
        EXPECT_NE(0u, face->GetTextureID());
    }
    EXPECT_TRUE(button.IsInside(48, 10)); // the enlarged width hit-tests too
}

TEST_F(GUIControlsTest, CaptionIsCentredEvenWhenWiderThanTheButton)
{
    UseFont(10, 131);
    krGUIButton button(1, font, states, 100, 50, 128, 40, krString(L"W"));
    EXPECT_EQ(131, button.GetTextWidth());
    int32_t x = 0, y = 0;
    button.GetCaptionPosition(&x, &y);
    EXPECT_EQ(99, x);      // trunc(-1.5) = -1
    EXPECT_EQ(50 + 23, y); // trunc(10 - 2 + (40 - 10) / 2)
}

TEST_F(GUIControlsTest, ButtonFacesFollowTheirParent)
{
    krGUIPanel* panel = new krGUIPanel(1, 200, 100, 300, 200);
    krGUIButton* button = new krGUIButton(2, font, states, 210, 36, 100, 30, krString(L"go"));
    panel->AppendChild(button);
    manager->AppendControl(panel);
    for (uint64_t i = 0; i < 3; i++)
    {
        float at[3];
        button->GetGeometry()->GetVertexArray(i)->GetCenter(at);
        EXPECT_EQ(410.0f, at[0]);
        EXPECT_EQ(136.0f, at[1]);
    }
}

TEST_F(GUIControlsTest, ButtonFaceStateMachine)
{
    krGUIButton* button = new krGUIButton(1, font, states, 20, 20, 100, 40, krString(L"go"));
    manager->AppendControl(button);
    EXPECT_EQ(krGUIButton::kPassive, button->GetState());
    manager->OnMouse(30, 30);
    EXPECT_EQ(krGUIButton::kActive, button->GetState());
    manager->OnLMBDown(30, 30);
    EXPECT_EQ(krGUIButton::kPushed, button->GetState()); // held still: pushed
    manager->OnMouse(31, 30);
    EXPECT_EQ(krGUIButton::kActive, button->GetState()); // the first movement shows active
    manager->OnLMBDown(31, 30);
    manager->OnMouse(200, 200);
    EXPECT_EQ(krGUIButton::kPassive, button->GetState()); // left the button
    manager->OnLMBUp(200, 200);
    EXPECT_EQ(krGUIButton::kPassive, button->GetState()); // a release outside changes nothing
    EXPECT_EQ(0u, manager->GetEvents()->Length());
    manager->OnMouse(30, 30);
    manager->OnLMBUp(30, 30); // still pressed from before: a click
    EXPECT_EQ(krGUIButton::kActive, button->GetState());
    EXPECT_EQ(1u, manager->GetEvents()->Length());
}

TEST_F(GUIControlsTest, ButtonShowsThreeFacesAndAShadowedCaption)
{
    // Caption "ab": 20 pixels wide at x = 20 + 40 = 60, baseline y = 20 + 23 = 43, so the
    // first glyph covers columns 60..67 and rows 33..42; the shadow is one pixel further.
    manager->AppendControl(new krGUIButton(1, font, states, 20, 20, 100, 40, krString(L"ab")));
    DrawFrame();
    ExpectPixels({{30, 30, 255, 0, 0},
                  {119, 59, 255, 0, 0},
                  {121, 61, 0, 0, 0},
                  {60, 33, 255, 255, 255},
                  {67, 42, 255, 255, 255},
                  {68, 43, 0, 0, 0}, // shadow corner
                  {61, 43, 0, 0, 0},
                  {59, 38, 255, 0, 0}});

    manager->OnMouse(30, 30);
    DrawFrame();
    ExpectPixels({{30, 30, 0, 255, 0}});
    manager->OnLMBDown(30, 30);
    DrawFrame();
    ExpectPixels({{30, 30, 0, 0, 255}, {60, 33, 255, 255, 255}});
}

TEST_F(GUIControlsTest, ButtonWithUndecodableImagesStillShowsItsCaptionAndTakesClicks)
{
    uint8_t junk[5] = {1, 2, 3, 4, 5};
    krMemoryBlock bad = {junk, sizeof junk};
    krGUIButtonStates broken(&bad, nullptr, &bad);
    // A plain face, and the caption with its shadow where a button with faces has them (see
    // the test above).
    manager->AppendControl(new krGUIButton(1, font, &broken, 20, 20, 100, 40, krString(L"ab")));
    manager->AppendControl(new krGUIButton(2, nullptr, nullptr, 20, 80, 10, 40, krString(L"x")));
    DrawFrame();
    ExpectPixels({{30, 30, 255, 255, 255}, {60, 33, 255, 255, 255}, {68, 43, 0, 0, 0}});
    for (int y : {30, 90})
    {
        manager->OnMouse(25, y);
        manager->OnLMBDown(25, y);
        manager->OnLMBUp(25, y);
    }
    ASSERT_EQ(2u, manager->GetEvents()->Length());
}

TEST_F(GUIControlsTest, LabelBaselineIsOneFontHeightBelowItsTop)
{
    UseFont(16, 10);
    krGIULabel* label = new krGIULabel(0, font, 30, 10, krString(L"ab"));
    EXPECT_EQ(20, label->GetWidth());
    EXPECT_EQ(16, label->GetHeight());
    label->SetColor(1, 1, 0, 1);
    manager->AppendControl(label);
    DrawFrame();
    ExpectPixels({{30, 10, 255, 255, 0},
                  {30, 25, 255, 255, 0}, // last row above the baseline 26
                  {30, 26, 0, 0, 0},
                  {30, 9, 0, 0, 0},
                  {55, 15, 0, 0, 0}});
}

TEST_F(GUIControlsTest, LabelValueChangesTheTextButNotTheWidth)
{
    UseFont(16, 10);
    krGIULabel* label = new krGIULabel(9, font, 30, 10, krString(L"ab"));
    manager->AppendControl(label);
    manager->SetValueByID(9, krString(L"abcdef"));
    EXPECT_EQ(20, label->GetWidth());
    DrawFrame();
    ExpectPixels({{85, 20, 255, 255, 255}}); // the sixth glyph
    manager->SetValueByID(9, krString());
    DrawFrame();
    ExpectPixels({{30, 20, 0, 0, 0}}); // no string: nothing drawn
}

TEST_F(GUIControlsTest, PictureStretchesItsImageOverTheRectangle)
{
    manager->AppendControl(new krGUIPicture(1, 100, 100, 64, 32, blue));
    manager->AppendControl(new krGUIPicture(2, 10, 10, 16, 16, nullptr));
    DrawFrame();
    ExpectPixels({{100, 100, 0, 0, 255},
                  {163, 131, 0, 0, 255},
                  {164, 131, 0, 0, 0},
                  {99, 110, 0, 0, 0},
                  {110, 132, 0, 0, 0}});
}
