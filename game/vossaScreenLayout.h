// vossaScreenLayout: where the controls of the game's screens go for a given window size. All
// arithmetic is on integers with divisions truncating toward zero, as the screens are laid out
// in whole window pixels (origin top-left, y down). Children of a dialog panel are given
// relative to the panel.
#pragma once

#include <cstdint>

struct TRect_s
{
    int32_t x, y, w, h;
};

const int32_t kButtonWidth = 128;
const int32_t kButtonHeight = 32;

// The intro menu: logo, ticker and the five buttons in the order start, quit, about, how-to,
// settings (the ticker's height is the font's, so only its x, y and width are set).
struct TIntroLayout_s
{
    TRect_s logo;
    TRect_s ticker;
    TRect_s start, quit, about, howTo, settings;
};
TIntroLayout_s IntroLayout(int32_t w, int32_t h);

// Dialog panels (absolute) and their close buttons (relative to the panel).
const int32_t kAboutWidth = 620, kAboutHeight = 320;
// The settings rows: language, quality, music, strip, trick, suits, motion.
const int32_t kConfigRowCount = 7;
const int32_t kConfigWidth = 360;
// Below the last row the close button, 40 from the bottom.
const int32_t kConfigHeight = 30 + 50 * kConfigRowCount + 40;
const int32_t kHowToWidth = 620, kHowToHeight = 200;
TRect_s AboutPanel(int32_t w, int32_t h);
// The settings panel: its top where the dialog of the first four rows had it, raised as far
// as a low window needs, never above the window's top edge.
TRect_s ConfigPanel(int32_t w, int32_t h);
TRect_s HowToPanel(int32_t w, int32_t h);
// The close button at the bottom centre of a panel of the given size, relative to it.
TRect_s CloseButton(int32_t panelWidth, int32_t panelHeight);

// The settings rows: row r (0 language, 1 quality, 2 music, 3 strip, 4 trick, 5 suits,
// 6 motion) starts at this y.
int32_t ConfigRowY(int32_t row);

// The instruction strip: its panel (30 high) and its ticker at (x, 14).
struct TStripLayout_s
{
    TRect_s panel;
    TRect_s ticker;
};
TStripLayout_s StripLayout(int32_t w);
