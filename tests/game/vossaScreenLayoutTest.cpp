// Tests of the screens' layout arithmetic at the example window sizes and of the language
// table's guarded lookups.
#include <gtest/gtest.h>

#include <cstring>

#include "vossaLanguage.h"
#include "vossaScreenLayout.h"

namespace
{
void ExpectAt(const TRect_s& r, int32_t x, int32_t y)
{
    EXPECT_EQ(r.x, x);
    EXPECT_EQ(r.y, y);
}
} // namespace

TEST(ScreenLayout, IntroAt1280x720)
{
    const TIntroLayout_s l = IntroLayout(1280, 720);
    ExpectAt(l.logo, 384, 0);
    EXPECT_EQ(l.logo.w, 512);
    EXPECT_EQ(l.logo.h, 256);
    ExpectAt(l.ticker, 192, 256);
    EXPECT_EQ(l.ticker.w, 896);
    ExpectAt(l.start, 502, 286);
    ExpectAt(l.quit, 650, 286);
    ExpectAt(l.about, 576, 326);
    ExpectAt(l.howTo, 502, 366);
    ExpectAt(l.settings, 650, 366);
    EXPECT_EQ(l.start.w, 128);
    EXPECT_EQ(l.start.h, 32);
}

TEST(ScreenLayout, DialogsAt1280x720)
{
    const TRect_s about = AboutPanel(1280, 720);
    ExpectAt(about, 330, 133);
    const TRect_s close = CloseButton(about.w, about.h);
    ExpectAt(close, 246, 280);
    EXPECT_EQ(about.x + close.x, 576);
    EXPECT_EQ(about.y + close.y, 413);
    // The settings keep their first four rows where they were; the close button goes below
    // the seventh.
    ExpectAt(ConfigPanel(1280, 720), 460, 150);
    ExpectAt(CloseButton(kConfigWidth, kConfigHeight), 116, 380);
    EXPECT_EQ(ConfigRowY(kConfigRowCount - 1) + 42, 372);
    ExpectAt(HowToPanel(1280, 720), 330, 173);
    ExpectAt(CloseButton(kHowToWidth, kHowToHeight), 246, 160);
    EXPECT_EQ(ConfigRowY(0), 30);
    EXPECT_EQ(ConfigRowY(3), 180);
    const TStripLayout_s strip = StripLayout(1280);
    ExpectAt(strip.panel, 330, 10);
    EXPECT_EQ(strip.panel.w, 620);
    EXPECT_EQ(strip.panel.h, 30);
    ExpectAt(strip.ticker, 330, 14);
}

TEST(ScreenLayout, LowWindowShrinksTheLogo)
{
    const TIntroLayout_s l = IntroLayout(1024, 400);
    ExpectAt(l.logo, 304, 0);
    EXPECT_EQ(l.logo.w, 416);
    EXPECT_EQ(l.logo.h, 208);
    EXPECT_EQ(l.start.y, 238);
    EXPECT_EQ(l.ticker.w, 716);
    ExpectAt(l.ticker, 154, 208);
}

TEST(ScreenLayout, NarrowWindowsWidenTickerAndStrip)
{
    const TIntroLayout_s l = IntroLayout(731, 720);
    EXPECT_EQ(l.ticker.w, 731);
    EXPECT_EQ(l.ticker.x, 0);
    const TIntroLayout_s wider = IntroLayout(732, 720);
    EXPECT_EQ(wider.ticker.w, 512);

    const TStripLayout_s strip = StripLayout(600);
    EXPECT_EQ(strip.panel.w, 596);
    EXPECT_EQ(strip.panel.x, 2);
    EXPECT_EQ(strip.ticker.x, 2);
    EXPECT_EQ(StripLayout(620).panel.w, 620);
    EXPECT_EQ(StripLayout(620).panel.x, 0);
}

TEST(ScreenLayout, LowWindowsRaiseTheSettingsButNeverAboveTheTop)
{
    const TIntroLayout_s l = IntroLayout(100, 100);
    EXPECT_EQ(l.logo.h, 0);
    EXPECT_EQ(l.logo.w, 0);
    EXPECT_EQ(ConfigPanel(1280, 600).y, 110);
    EXPECT_EQ(ConfigPanel(1280, 450).y, 30);
    EXPECT_EQ(ConfigPanel(1280, 400).y, 0);
}

TEST(Language, TableAndNextLanguage)
{
    // Rows 0 and 1 are where stored settings files expect English and Polish.
    const char* suffixes[] = {"english", "polski",   "deutsch",   "francais",
                              "espanol", "italiano", "portugues", "cestina"};
    ASSERT_EQ(LanguageCount(), 8);
    for (int32_t row = 0; row < 8; ++row)
    {
        EXPECT_STREQ(LanguageTab[row].suffix, suffixes[row]);
        EXPECT_EQ(NextLanguage(row), (row + 1) % 8);
    }
    EXPECT_EQ(LanguageTab[8].name, nullptr);
    EXPECT_STREQ(LanguageName(NextLanguage(0)), "Polski");
    EXPECT_STREQ(LanguageName(7), "\u010ce\u0161tina");
    EXPECT_STREQ(LanguageName(NextLanguage(7)), "English");
}

TEST(Language, IndexOutsideTheTableReadsAsEnglish)
{
    for (int32_t bad : {8, 9, -1, 1000000, INT32_MIN, INT32_MAX})
    {
        EXPECT_EQ(ValidLanguage(bad), 0) << bad;
        EXPECT_STREQ(LanguageSuffix(bad), "english") << bad;
        EXPECT_EQ(NextLanguage(bad), 1) << bad;
    }
}
