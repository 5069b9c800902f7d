// Tests of the screens on large and odd-shaped displays: the GUI scale picked for each, every
// control inside the screen in GUI units and in pixels, the 16:9 screens keeping the design's
// share, and clicks on the scaled rectangles reaching the right control.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "gui/krGUIManager.h"
#include "gui/krGUIObject.h"
#include "gui/krGUIScale.h"
#include "vossaScreenLayout.h"

namespace
{
struct TDisplay_s
{
    int32_t w, h;
    float scale;
    bool wide16x9;
};

const TDisplay_s kDisplays[] = {
    {1280, 720, 1.0f, true},  {1920, 1080, 1.5f, true},  {2560, 1440, 2.0f, true},
    {3840, 2160, 3.0f, true}, {1280, 1024, 1.0f, false}, {2560, 1080, 1.5f, false},
};

// Every rectangle of every screen, absolute, in GUI units, for a view of w x h units.
std::vector<TRect_s> AllRects(int32_t w, int32_t h)
{
    const TIntroLayout_s i = IntroLayout(w, h);
    std::vector<TRect_s> rects = {i.logo, i.start, i.quit, i.about, i.howTo, i.settings};
    rects.push_back({i.ticker.x, i.ticker.y, i.ticker.w, 20});
    const TRect_s panels[3] = {AboutPanel(w, h), ConfigPanel(w, h), HowToPanel(w, h)};
    for (const TRect_s& p : panels)
    {
        rects.push_back(p);
        const TRect_s c = CloseButton(p.w, p.h);
        rects.push_back({p.x + c.x, p.y + c.y, c.w, c.h});
    }
    // Every settings row inside its panel, clear of the close button below it.
    const TRect_s config = panels[1];
    const TRect_s close = CloseButton(config.w, config.h);
    for (int32_t row = 0; row < kConfigRowCount; ++row)
    {
        const TRect_s r = {config.x + 10, config.y + ConfigRowY(row), 340, 42};
        EXPECT_LE(r.y + r.h, config.y + close.y) << "row " << row;
        rects.push_back(r);
    }
    const TStripLayout_s s = StripLayout(w);
    rects.push_back(s.panel);
    return rects;
}

} // namespace

TEST(ScreenScale, ScaleStepsFollowTheShorterSideOfTheDesign)
{
    for (const TDisplay_s& d : kDisplays)
    {
        EXPECT_FLOAT_EQ(krChooseGUIScale(d.w, d.h), d.scale) << d.w << "x" << d.h;
    }
    EXPECT_FLOAT_EQ(krChooseGUIScale(1600, 900), 1.25f);  // quarter steps below 2
    EXPECT_FLOAT_EQ(krChooseGUIScale(1920, 1200), 1.5f);  // 16:10, by its width
    EXPECT_FLOAT_EQ(krChooseGUIScale(3200, 1800), 2.5f);  // half steps above 2
    EXPECT_FLOAT_EQ(krChooseGUIScale(1919, 1079), 1.25f); // never rounded up
    EXPECT_FLOAT_EQ(krChooseGUIScale(800, 600), 1.0f);    // never below 1
    EXPECT_FLOAT_EQ(krChooseGUIScale(0, 0), 1.0f);
}

TEST(ScreenScale, EveryControlFitsTheScreenAndKeepsTheDesignShare)
{
    for (const TDisplay_s& d : kDisplays)
    {
        const float s = krChooseGUIScale(d.w, d.h);
        const int32_t uw = krPixelsToUnits(d.w, s), uh = krPixelsToUnits(d.h, s);
        EXPECT_GE(uw, kGUIDesignWidth);
        EXPECT_GE(uh, kGUIDesignHeight);
        for (const TRect_s& r : AllRects(uw, uh))
        {
            EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.w <= uw && r.y + r.h <= uh)
                << d.w << "x" << d.h << " units " << r.x << "," << r.y << " " << r.w << "x" << r.h;
            const int32_t px = krUnitsToPixels(r.x, s), py = krUnitsToPixels(r.y, s);
            EXPECT_TRUE(px >= 0 && py >= 0 && krUnitsToPixels(r.x + r.w, s) <= d.w &&
                        krUnitsToPixels(r.y + r.h, s) <= d.h)
                << d.w << "x" << d.h << " pixels " << px << "," << py;
        }
        if (d.wide16x9)
        {
            // The start button's share of the screen, against 128 x 32 on 1280 x 720.
            const TRect_s start = IntroLayout(uw, uh).start;
            const double shareW = start.w * s / d.w / (128.0 / 1280.0);
            const double shareH = start.h * s / d.h / (32.0 / 720.0);
            EXPECT_NEAR(shareW, 1.0, 0.25) << d.w << "x" << d.h;
            EXPECT_NEAR(shareH, 1.0, 0.25) << d.w << "x" << d.h;
        }
    }
}

TEST(ScreenScale, ClicksHitTheScaledRectangles)
{
    for (const TDisplay_s& d : kDisplays)
    {
        const float s = krChooseGUIScale(d.w, d.h);
        krGUIManager gui(d.w, d.h);
        gui.SetScale(s);
        ASSERT_EQ(gui.GetViewWidth(), krPixelsToUnits(d.w, s));
        const TIntroLayout_s l = IntroLayout(gui.GetViewWidth(), gui.GetViewHeight());
        gui.AppendControl(new krGUIObject(100, l.start.x, l.start.y, l.start.w, l.start.h));
        gui.AppendControl(new krGUIObject(101, l.quit.x, l.quit.y, l.quit.w, l.quit.h));
        auto click = [&](int32_t x, int32_t y) -> uint32_t
        {
            gui.GetEvents()->Clear();
            gui.OnMouse(x, y);
            gui.OnLMBDown(x, y);
            gui.OnLMBUp(x, y);
            const krGUIEvent* e = gui.GetEvents()->GetEvent(0);
            return e != nullptr ? e->control->GetID() : 0;
        };
        // The pixels of the scaled start button: its centre and its far corner.
        const int32_t right = static_cast<int32_t>((l.start.x + l.start.w) * s);
        const int32_t bottom = static_cast<int32_t>((l.start.y + l.start.h) * s);
        EXPECT_EQ(click(krUnitsToPixels(l.start.x + l.start.w / 2, s),
                        krUnitsToPixels(l.start.y + l.start.h / 2, s)),
                  100u)
            << d.w << "x" << d.h;
        EXPECT_EQ(click(right - 1, bottom - 1), 100u) << d.w << "x" << d.h;
        // Past the right edge by one unit lies the gap before the quit button.
        EXPECT_EQ(click(static_cast<int32_t>((l.start.x + l.start.w + 2) * s), bottom - 1), 0u);
        EXPECT_EQ(click(krUnitsToPixels(l.quit.x + 5, s), krUnitsToPixels(l.quit.y + 5, s)), 101u);
    }
}
