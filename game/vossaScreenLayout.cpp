// vossaScreenLayout: the screens' integer layout arithmetic.
#include "vossaScreenLayout.h"

static TRect_s Button(int32_t x, int32_t y)
{
    return {x, y, kButtonWidth, kButtonHeight};
}

TIntroLayout_s IntroLayout(int32_t w, int32_t h)
{
    TIntroLayout_s l;
    int32_t logoW = 512;
    int32_t logoH = 256;
    if (h - 192 < 256)
    {
        logoH = h - 192 > 0 ? h - 192 : 0;
        logoW = 2 * logoH;
    }
    l.logo = {(w - logoW) / 2, 0, logoW, logoH};
    int32_t tw = static_cast<int32_t>(static_cast<float>(w) * 0.7f);
    if (tw < 512)
    {
        tw = w;
    }
    l.ticker = {(w - tw) / 2, logoH, tw, 0};
    const int32_t c = w / 2;
    l.start = Button(c - 138, logoH + 30);
    l.quit = Button(c + 10, logoH + 30);
    l.about = Button(c - 64, logoH + 70);
    l.howTo = Button(c - 138, logoH + 110);
    l.settings = Button(c + 10, logoH + 110);
    return l;
}

TRect_s AboutPanel(int32_t w, int32_t h)
{
    return {(w - kAboutWidth) / 2, (h - kAboutHeight) / 3, kAboutWidth, kAboutHeight};
}

TRect_s ConfigPanel(int32_t w, int32_t h)
{
    // The top stays where the dialog of the first four rows had it, so that those rows keep
    // their places; a low window moves it up as far as the dialog needs.
    const int32_t firstRowsHeight = ConfigRowY(4) + 40;
    int32_t y = (h - firstRowsHeight) / 3;
    if (y + kConfigHeight > h)
    {
        y = h - kConfigHeight;
    }
    return {(w - kConfigWidth) / 2, y > 0 ? y : 0, kConfigWidth, kConfigHeight};
}

TRect_s HowToPanel(int32_t w, int32_t h)
{
    return {(w - kHowToWidth) / 2, (h - kHowToHeight) / 3, kHowToWidth, kHowToHeight};
}

TRect_s CloseButton(int32_t panelWidth, int32_t panelHeight)
{
    return Button(panelWidth / 2 - 64, panelHeight - 40);
}

int32_t ConfigRowY(int32_t row)
{
    return 30 + 50 * row;
}

TStripLayout_s StripLayout(int32_t w)
{
    TStripLayout_s l;
    int32_t sw = 620;
    int32_t sl = (w - 620) / 2;
    if (w < 620)
    {
        sw = w - 4;
        sl = 2;
    }
    l.panel = {sl, 10, sw, 30};
    l.ticker = {sl, 14, sw, 0};
    return l;
}
