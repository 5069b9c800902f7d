// krGUITextScroll: a one-line ticker. The text enters at the right edge of the control, moves
// left one pixel per frame, is clipped to the control's horizontal span and starts again at
// the right once it has left on the left. SetValue fades the old text out, swaps the texts and
// fades the new one in. The animation advances in Update, one pixel per update step; Draw
// places the text between its last two offsets by the manager's step fraction. A ticker set
// not to scroll shows its text still and only fades from one text to the next.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/krString.h"
#include "gui/krGUIObject.h"

class krFont;

class krGUITextScroll : public krGUIObject
{
public:
    // `font` is borrowed and must not be null. The control is one font height tall; the text
    // is copied and measured once (a later text keeps the first text's width for wrapping).
    krGUITextScroll(uint32_t id, krFont* font, int32_t left, int32_t top, int32_t width,
                    const krString& text);
    static krGUITextScroll* Create(uint32_t id, krFont* font, int32_t left, int32_t top,
                                   int32_t width, const krString& text);
    ~krGUITextScroll() override;

    // Draws the text clipped to the control; changes nothing.
    void Draw() override;
    // One step of the animation: the scroll and the fade.
    void Update() override;
    // Starts a text change: the current text fades out, then `value` fades in from the right
    // edge. A second call during a change replaces the pending text.
    void SetValue(const krString& value) override;

    // Sets the colour and the current alpha; `a` is also the alpha a fade-in ends at.
    void SetColor(float r, float g, float b, float a);
    // Scroll offset: the text starts `vx` pixels left of the control's right edge.
    void SetVx(int32_t value) { vx = prevVx = value; }
    int32_t GetVx() const { return vx; }
    // Scrolling (the default) or still. A still ticker shows its text centred; a text wider
    // than the control it shows a part at a time, each part as many words as fit, for
    // kPartSteps update steps with a fade of kPartFadeSteps at either end.
    void SetScrolling(bool on);
    static constexpr int32_t kPartSteps = 240;
    static constexpr int32_t kPartFadeSteps = 20;
    // What Draw prints: the text, or the part of it that a still ticker shows now.
    const wchar_t* GetShownText() const;

    float GetAlpha() const { return alpha; }
    bool IsChanging() const { return changing; }
    bool IsFadingOut() const { return fadingOut; }
    int32_t GetTextWidth() const { return textWidth; }
    const krString& GetText() const { return text; }
    // Pen x of the text at the offset of the last step.
    float GetTextX() const;
    // Pen x of the text `fraction` of the way from the step before the last one to the last.
    float GetDrawnX(float fraction) const;
    // The animation step of Update; `x` is the pen x before the step.
    void Animate(float x);

protected:
    float color[4];
    krString text;
    krString nextText;
    krFont* font; // borrowed
    int32_t vx;
    int32_t prevVx; // vx before the last step
    int32_t frameCounter;
    int32_t framesPerStep;
    int32_t textWidth;
    bool changing;
    float alpha;
    float fadeStep;
    bool fadingOut;
    bool scrolling = true;
    // A still ticker's parts of `text`, their widths, the part shown and its steps so far.
    std::vector<std::wstring> parts;
    std::vector<int32_t> partWidths;
    size_t part = 0;
    int32_t partStep = 0;

    // Splits `text` into the parts a still ticker shows (none while scrolling).
    void SplitIntoParts();
    // The alpha factor of the part shown: it fades in and out when there are several.
    float PartFade() const;
};
