// Tests of the text scroll (per-frame scrolling and the fading text change) and the text
// viewer (drag, coast and their limits, clipping, the viewer without lines).
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "app/krSDLWrapper.h"
#include "data/krString.h"
#include "data/krStringArray.h"
#include "gui/krGUIManager.h"
#include "gui/krGUIPanel.h"
#include "gui/krGUITextScroll.h"
#include "gui/krGUITextViewer.h"
#include "krGUITestAssets.h"
#include "krTestGL.h"
#include "render/krFont.h"

namespace
{

// Glyphs 10 pixels tall and wide, advancing 10: a 30-character text is 300 pixels wide and the
// viewer's line height is 14. A viewer of 200 x 100 at (20, 20) shows 7 lines, so of `twenty`
// lines the last that can stand first is line 13.
class GUITextTest : public krGUIGLTest
{
protected:
    void SetUp() override
    {
        krGUIGLTest::SetUp();
        if (IsSkipped())
        {
            return;
        }
        font = krMakeTestFont(10, 10, 10);
        ASSERT_NE(nullptr, font);
        FillLines(&twenty, 20, 3);
    }
    void TearDown() override
    {
        delete font;
        krGUIGLTest::TearDown();
    }

    void FillLines(krStringArray* lines, int count, int length)
    {
        for (int i = 0; i < count; i++)
        {
            lines->AppendLine(krRepeat(L'w', length).c_str());
        }
    }
    // A viewer of `lines` (by default `twenty`) in the 200 x 100 box at (20, 20), on the screen.
    krGUITextViewer* AddViewer(krStringArray* lines = nullptr)
    {
        krGUITextViewer* viewer =
            new krGUITextViewer(5, lines ? lines : &twenty, font, 20, 20, 200, 100);
        manager->AppendControl(viewer);
        return viewer;
    }

    krFont* font = nullptr;
    krStringArray twenty;
};

// Runs `steps` update steps of `control`.
template <class T> void Steps(T& control, int steps)
{
    for (int i = 0; i < steps; i++)
    {
        control.Update();
    }
}

bool SameText(const krString& a, const wchar_t* b)
{
    return a.GetString() && wcscmp(a.GetString(), b) == 0;
}

} // namespace

TEST_F(GUITextTest, ScrollCrossesTheControlIn922StepsAndStartsAgain)
{
    krGUITextScroll scroll(1, font, 2, 100, 620, krString(krRepeat(L'a', 30).c_str()));
    EXPECT_EQ(300, scroll.GetTextWidth());
    EXPECT_EQ(10, scroll.GetHeight());
    for (int frame = 0; frame < 922; frame++)
    {
        ASSERT_EQ(622.0f - frame, scroll.GetTextX()) << "step " << frame;
        scroll.Draw(); // drawing moves nothing
        ASSERT_EQ(622.0f - frame, scroll.GetTextX()) << "step " << frame;
        scroll.Update();
    }
    EXPECT_EQ(622.0f, scroll.GetTextX());
    EXPECT_EQ(0, scroll.GetVx());
}

TEST_F(GUITextTest, TextChangeFadesOutFor101FramesThenIn)
{
    krGUITextScroll scroll(1, font, 2, 100, 620, krString(L"old"));
    scroll.SetVx(40);
    scroll.SetValue(krString(L"new"));
    for (int frame = 1; frame <= 100; frame++)
    {
        scroll.Update();
        ASSERT_TRUE(SameText(scroll.GetText(), L"old")) << "frame " << frame;
        ASSERT_EQ(40 + frame, scroll.GetVx()); // the old text keeps moving while it fades
    }
    EXPECT_GT(scroll.GetAlpha(), 0.0f);
    scroll.Update(); // the 101st step goes below 0
    EXPECT_TRUE(SameText(scroll.GetText(), L"new"));
    EXPECT_EQ(0.0f, scroll.GetAlpha());
    EXPECT_EQ(0, scroll.GetVx()); // the new text starts at the right edge, invisible
    EXPECT_FALSE(scroll.IsFadingOut());
    for (int frame = 1; frame <= 100; frame++)
    {
        scroll.Update();
        ASSERT_TRUE(scroll.IsChanging()) << "frame " << frame;
    }
    scroll.Update();
    EXPECT_FALSE(scroll.IsChanging());
    EXPECT_EQ(1.0f, scroll.GetAlpha());
}

// A still ticker: its text stands centred and a new one still fades in; a text wider than the
// control comes a part at a time, each as many words as fit, and a word wider than the control
// starts at its left edge.
TEST_F(GUITextTest, StillScrollShowsItsTextInPlaceAPartAtATime)
{
    krGUITextScroll scroll(1, font, 2, 100, 620, krString(L"old"));
    scroll.SetScrolling(false);
    std::wstring words = L"aaa";
    for (int i = 1; i < 30; i++)
    {
        words += i == 15 ? L" bbb" : L" aaa";
    }
    scroll.SetValue(krString(words.c_str()));
    for (int frame = 0; frame < 101; frame++)
    {
        ASSERT_EQ(2.0f + (620 - 30) / 2, scroll.GetDrawnX(0.5f)) << frame;
        scroll.Update();
    }
    // 15 words of 40 pixels, less the last space, fit: 590 pixels centred.
    const std::wstring first = words.substr(0, 59), second = words.substr(60);
    for (int frame = 0; frame < 2 * krGUITextScroll::kPartSteps; frame++)
    {
        const bool later = frame >= krGUITextScroll::kPartSteps;
        ASSERT_EQ(scroll.GetShownText(), later ? second : first) << frame;
        ASSERT_EQ(17.0f, scroll.GetDrawnX(0.5f)) << frame;
        scroll.Update();
    }
    EXPECT_EQ(scroll.GetShownText(), first);
    scroll.SetValue(krString(krRepeat(L'a', 70).c_str()));
    Steps(scroll, 102);
    EXPECT_EQ(2.0f, scroll.GetDrawnX(1.0f));
}

TEST_F(GUITextTest, SecondChangeRestartsTheFadeOutFromTheCurrentAlpha)
{
    krGUITextScroll scroll(1, font, 2, 100, 620, krString(L"one"));
    scroll.SetValue(krString(L"two"));
    Steps(scroll, 150); // past the swap, well into the fade-in
    ASSERT_TRUE(SameText(scroll.GetText(), L"two"));
    const float alpha = scroll.GetAlpha();
    ASSERT_GT(alpha, 0.4f);
    scroll.SetValue(krString(L"three"));
    scroll.Update();
    EXPECT_TRUE(scroll.IsFadingOut());
    EXPECT_NEAR(alpha - 0.01f, scroll.GetAlpha(), 1e-5);
    for (int i = 0; i < 60 && !SameText(scroll.GetText(), L"three"); i++)
    {
        scroll.Update();
    }
    EXPECT_TRUE(SameText(scroll.GetText(), L"three"));
}

TEST_F(GUITextTest, SetColorSetsTheColourAndTheCurrentAlpha)
{
    krGUITextScroll scroll(1, font, 2, 100, 620, krString(L"x"));
    scroll.SetColor(0.04f, 0.04f, 0.25f, 1);
    EXPECT_EQ(1.0f, scroll.GetAlpha());
    scroll.SetColor(1, 1, 1, 0.5f);
    EXPECT_EQ(0.5f, scroll.GetAlpha());
    // A fade-in ends at the colour's alpha.
    scroll.SetValue(krString(L"y"));
    Steps(scroll, 120);
    EXPECT_FALSE(scroll.IsChanging());
    EXPECT_EQ(0.5f, scroll.GetAlpha());
}

TEST_F(GUITextTest, ScrollIsClippedToItsHorizontalSpan)
{
    krGUITextScroll* scroll =
        new krGUITextScroll(1, font, 50, 100, 100, krString(krRepeat(L'a', 30).c_str()));
    scroll->SetVx(200); // the text runs from x = -50 to 250
    manager->AppendControl(scroll);
    DrawFrame();
    ExpectPixels({{49, 105, 0, 0, 0},
                  {50, 105, 255, 255, 255},
                  {149, 105, 255, 255, 255},
                  {150, 105, 0, 0, 0}});
    EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
    // The clip rectangle, in GL's window coordinates: the control's span, from 5 pixels below
    // its bottom edge (room for descenders) up past its top edge (tall glyphs stay whole).
    GLint box[4];
    glGetIntegerv(GL_SCISSOR_BOX, box);
    EXPECT_EQ(box[0], 50);
    EXPECT_EQ(box[1], kHeight - 100 - 10 - 5);
    EXPECT_EQ(box[2], 100);
    EXPECT_GE(box[1] + box[3], kHeight - 100 + font->GetHeight());
}

TEST_F(GUITextTest, ViewerWithAFittingTextCannotBeDragged)
{
    krStringArray lines;
    FillLines(&lines, 5, 3);
    krGUITextViewer* viewer = AddViewer(&lines);
    EXPECT_EQ(14.0f, viewer->GetLineHeight());
    viewer->OnLMBDown();
    EXPECT_FALSE(viewer->IsDragging());
    viewer->OnMouseMove(0, -30);
    EXPECT_EQ(0, viewer->GetScrollOffset());
    EXPECT_EQ(0, viewer->GetLastDy());
}

TEST_F(GUITextTest, DragStopsAtTheLastLineAndSnapsBackToTheStart)
{
    krGUITextViewer* viewer = AddViewer();
    viewer->OnLMBDown();
    ASSERT_TRUE(viewer->IsDragging());
    viewer->OnMouseMove(0, -20);
    EXPECT_EQ(-20, viewer->GetScrollOffset());
    EXPECT_EQ(1, viewer->GetFirstLine());
    for (int i = 0; i < 20; i++)
    {
        viewer->OnMouseMove(0, -20);
        ASSERT_LE(viewer->GetFirstLine(), 13);
    }
    EXPECT_EQ(13, viewer->GetFirstLine());
    EXPECT_EQ(-180, viewer->GetScrollOffset()); // the step past the limit was taken back
    EXPECT_EQ(-20, viewer->GetLastDy());
    viewer->OnMouseMove(0, 500);
    EXPECT_EQ(0, viewer->GetScrollOffset());
    EXPECT_EQ(0, viewer->GetFirstLine());
    viewer->OnMouseLeave();
    EXPECT_FALSE(viewer->IsDragging());
    viewer->OnMouseMove(0, -20);
    EXPECT_EQ(0, viewer->GetScrollOffset());
}

TEST_F(GUITextTest, ReleasedDragCoastsToTheLastLineAndAPressStopsIt)
{
    krGUITextViewer* viewer = AddViewer();
    // Through the manager's dispatch: press, a 3-pixel upward drag, release.
    manager->OnMouse(60, 60);
    manager->OnLMBDown(60, 60);
    manager->OnMouse(60, 57);
    manager->OnLMBUp(60, 57);
    ASSERT_FALSE(viewer->IsDragging());
    ASSERT_EQ(-3, viewer->GetLastDy());
    ASSERT_EQ(-3, viewer->GetScrollOffset());

    int frames = 0;
    while (viewer->GetLastDy() != 0 && frames < 1000)
    {
        const int before = viewer->GetScrollOffset();
        viewer->Update();
        frames++;
        if (viewer->GetLastDy() != 0)
        {
            ASSERT_EQ(before - 3, viewer->GetScrollOffset());
        }
    }
    // 64 frames of 3 pixels to -195; the 65th reaches -198, which would show line 14 of a
    // last possible 13 (20 lines, 7 visible), so that step is taken back and the text stops.
    EXPECT_EQ(65, frames);
    EXPECT_EQ(13, viewer->GetFirstLine());
    const int resting = viewer->GetScrollOffset();
    EXPECT_EQ(-195, resting);
    viewer->Update();
    EXPECT_EQ(resting, viewer->GetScrollOffset());

    // Coast back down; a press stops it at once.
    viewer->OnLMBDown();
    viewer->OnMouseMove(0, 5);
    viewer->OnLMBUp();
    Steps(*viewer, 2);
    EXPECT_EQ(resting + 15, viewer->GetScrollOffset());
    viewer->OnLMBDown();
    viewer->OnLMBUp();
    viewer->Update();
    EXPECT_EQ(resting + 15, viewer->GetScrollOffset());
}

TEST_F(GUITextTest, CoastingPastTheStartSnapsToTheFirstLine)
{
    krGUITextViewer* viewer = AddViewer();
    viewer->OnLMBDown();
    viewer->OnMouseMove(0, -30);
    viewer->OnMouseMove(0, 20);
    viewer->OnMouseLeave(); // leaving ends the drag as a release does
    viewer->Update();
    EXPECT_EQ(0, viewer->GetScrollOffset());
    EXPECT_EQ(0, viewer->GetFirstLine());
    EXPECT_EQ(0, viewer->GetLastDy());
}

TEST_F(GUITextTest, ViewerClipsItsLinesToTheBoxLessHalfTheRadius)
{
    krStringArray lines;
    FillLines(&lines, 20, 30); // 300 pixels: wider than the box
    AddViewer(&lines);
    DrawFrame(1, 0, 0);
    // Line i has its baseline at 20 + 14 - 4 + 14 i and starts at x = 25; between the lines,
    // and left and right of them, the panel over red; line 7 cut at the bottom.
    ExpectPixels({{25, 20, 0, 0, 0},
                  {24, 25, 255, 204, 204},
                  {214, 25, 0, 0, 0},
                  {216, 25, 255, 204, 204},
                  {25, 30, 255, 204, 204},
                  {100, 119, 0, 0, 0},
                  {100, 121, 255, 0, 0}});
    EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
    GLint box[4];
    glGetIntegerv(GL_SCISSOR_BOX, box);
    EXPECT_EQ(box[0], 20);
    EXPECT_EQ(box[1], kHeight - 20 - 100);
    EXPECT_EQ(box[2], 200 - 5);
    EXPECT_EQ(box[3], 100);
}

TEST_F(GUITextTest, ViewerWithoutLinesDrawsJustItsPanel)
{
    krStringArray empty;
    krGUITextViewer* missing = new krGUITextViewer(1, nullptr, font, 20, 20, 100, 100);
    krGUITextViewer* none = new krGUITextViewer(2, &empty, font, 130, 20, 100, 100);
    manager->AppendControl(missing);
    manager->AppendControl(none);
    manager->OnMouse(50, 50);
    manager->OnLMBDown(50, 50);
    manager->OnMouse(50, 40);
    manager->OnLMBUp(50, 40);
    EXPECT_FALSE(missing->IsDragging());
    EXPECT_EQ(0, missing->GetScrollOffset());
    DrawFrame();
    ExpectPixels({{30, 25, 204, 204, 204}, {140, 25, 204, 204, 204}});
}

TEST_F(GUITextTest, ViewerPanelFollowsTheParent)
{
    krStringArray lines;
    FillLines(&lines, 3, 3);
    krGUIPanel* dialog = new krGUIPanel(1, 100, 50, 150, 150);
    krGUITextViewer* viewer = new krGUITextViewer(0, &lines, font, 10, 10, 100, 100);
    dialog->AppendChild(viewer);
    manager->AppendControl(dialog);
    EXPECT_EQ(110, viewer->GetBackground()->GetLeft());
    EXPECT_EQ(60, viewer->GetBackground()->GetTop());
    EXPECT_EQ(0u, viewer->GetBackground()->GetID());
}

// Page Up and Down move by the 7 lines that fit, Home and End go to the ends; the keys stop a
// coasting text and reach the viewer through the manager; a text that fits takes none.
TEST_F(GUITextTest, ViewerScrollsByPagesAndToItsEnds)
{
    krGUITextViewer* viewer = AddViewer();
    std::vector<int32_t> firstLines;
    for (krGUIKey key : {gkPageDown, gkPageDown, gkPageUp, gkEnd, gkPageUp, gkPageUp, gkPageUp,
                         gkPageDown, gkHome})
    {
        EXPECT_TRUE(manager->OnKey(key));
        firstLines.push_back(viewer->GetFirstLine());
        EXPECT_EQ(-14 * viewer->GetFirstLine(), viewer->GetScrollOffset());
    }
    EXPECT_EQ((std::vector<int32_t>{7, 13, 6, 13, 6, 0, 0, 7, 0}), firstLines);

    viewer->OnLMBDown();
    viewer->OnMouseMove(0, -30);
    viewer->OnLMBUp();
    ASSERT_NE(0, viewer->GetLastDy());
    EXPECT_TRUE(manager->OnKey(gkEnd));
    EXPECT_EQ(0, viewer->GetLastDy());
    manager->Update();
    EXPECT_EQ(13, viewer->GetFirstLine());

    krStringArray few;
    FillLines(&few, 7, 3);
    krGUITextViewer fits(6, &few, font, 20, 20, 200, 100);
    EXPECT_FALSE(fits.OnKey(gkPageDown));
    EXPECT_FALSE(fits.OnKey(gkEnd));
    EXPECT_EQ(0, fits.GetFirstLine());
    EXPECT_FALSE(viewer->OnKey(gkNext));
}
